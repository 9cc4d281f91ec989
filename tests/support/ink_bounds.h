#pragma once

// The bounding box of the pixels of a picture that a test counts as ink.

#include <QImage>
#include <QRect>

#include <algorithm>
#include <climits>
#include <optional>

namespace test_support {

// The bounds of the pixels inside `area` (clipped to the image) for which `inked(x, y)`
// holds; empty without ink.
template <typename Inked>
std::optional<QRect> InkBounds(const QImage& image, const QRect& area, Inked inked)
{
    const QRect within = area.intersected(image.rect());
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (inked(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (left == INT_MAX)
        return std::nullopt;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace test_support
