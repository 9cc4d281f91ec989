// Where text goes, shared by the drawing backends that draw with Qt fonts: the offset of a
// line from its reference point by the text alignment, and the lines of DrawText in their
// rectangle. Each backend draws the lines its own way.
#pragma once

#include "platform/device_context.h"

#include <QFont>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace platform {

// The offset from the reference point to the start of the baseline of a line `width`
// long, for the kTa* alignment flags.
QPointF AlignedTextOffset(unsigned align, double width, double ascent, double descent);

// One line of DrawText: its text and the top-left corner of its cell.
struct DrawTextLine {
    QString text;
    double x = 0;
    double y = 0;
};

struct DrawTextLayout {
    std::vector<DrawTextLine> lines;  // none with kDtCalcRect
    std::int32_t height = 0;          // what DrawText returns
    bool clip = false;                // the lines are clipped to the rectangle
};

// The lines of `text` in `rect` by the kDt* flags with `font` (ascent + descent =
// `lineHeight`, logical units). With kDtCalcRect `rect` gets the bottom (and, for a
// single line or no word breaking, the right edge) that the text needs. A line's width is
// `advance` of it when given (a backend that keeps its measurements), else the font's.
DrawTextLayout LayOutDrawText(std::u16string_view text, Rect& rect, unsigned format,
                              const QFont& font, double lineHeight,
                              const std::function<double(const QString&)>& advance = {});

}  // namespace platform
