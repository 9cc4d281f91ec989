// Small value types shared by the whole element tree: layout units, points, sizes,
// rectangles, the "not set" marker, colour indices and half-open bar ranges.
//
// Layout units are ints: 0.01 mm of the printed page at scale 1, x growing to the
// right and y growing downward. An element's absolute place is its origin plus its
// position plus its user offset.
#pragma once

#include <algorithm>
#include <cstdint>

#include "engine/model/int_clamp.h"

namespace quaverly {

// The marker stored in an offset or size that has not been set.
inline constexpr int kUnset = -16777216;
inline constexpr double kUnsetDouble = -16777216.0;

// The largest user offset along either axis: 10 m of paper.
inline constexpr int kMaxUserOffset = 1000000;

// a + b and a - b held to the int range: offsets and sizes read from a document may be
// anything, and the sum of a few of them must not wrap around.
inline constexpr int AddCoordinates(int a, int b)
{
    return ClampToInt(std::int64_t{a} + b);
}

inline constexpr int SubtractCoordinates(int a, int b)
{
    return ClampToInt(std::int64_t{a} - b);
}

struct Point {
    int x = 0;
    int y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return SubtractCoordinates(right, left); }
    int Height() const { return SubtractCoordinates(bottom, top); }
    // The same rectangle moved by a delta (held to the int range).
    Rect Moved(Point delta) const
    {
        return {AddCoordinates(left, delta.x), AddCoordinates(top, delta.y),
                AddCoordinates(right, delta.x), AddCoordinates(bottom, delta.y)};
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

// The offset with each coordinate held to +-kMaxUserOffset.
inline constexpr Point HoldUserOffset(Point offset)
{
    return {std::clamp(offset.x, -kMaxUserOffset, kMaxUserOffset),
            std::clamp(offset.y, -kMaxUserOffset, kMaxUserOffset)};
}

// {x + delta.x, y + delta.y}, held to the int range: turns origin and position into
// absolute coordinates.
inline constexpr Point OffsetPoint(Point point, Point delta)
{
    return {AddCoordinates(point.x, delta.x), AddCoordinates(point.y, delta.y)};
}

// Colour indices passed to the drawing interface with every stroke; the drawing
// device maps them to real colours. Elements start with Normal and Selected unless
// they set their own in their constructors.
namespace color_index {
inline constexpr int kNormal = 0;
inline constexpr int kSelected = 1;
inline constexpr int kPage = 4;
inline constexpr int kCaretLine = 29;
inline constexpr int kGuideLine = 30;
inline constexpr int kTrackBaseLine = 32;
inline constexpr int kSelectedTrack = 33;
inline constexpr int kEditMark = 34;  // edit marks and the block-selection highlight
}  // namespace color_index

// A range of bars [first, end): a line and its rows show bars first to end - 1.
struct BarRange {
    int first = 0;
    int end = 0;

    bool Contains(int bar) const { return first <= bar && bar < end; }
    int Count() const { return end > first ? end - first : 0; }
    bool IsEmpty() const { return end <= first; }

    friend bool operator==(const BarRange&, const BarRange&) = default;
};

}  // namespace quaverly
