// What each line-mark kind looks like on a laid-out row, as one table row per kind:
// its shape, where it sits relative to the row, and for each of its piece classes the
// class name, the painter operation that draws it, how a pointer hits it and which axes
// its handles may be dragged along.
//
// The view classes (line_mark_view.h and the three piece bases) read their row instead
// of each kind carrying its own copy of the same few lines.
#pragma once

namespace quaverly {

class ScorePainter;

// How the piece is drawn and measured.
enum class LineMarkShape {
    kStraight,    // a line from start to end sloped by the radian (hairpins, trills, ...)
    kFlatSlur,    // a bracket slur: drawn from a start and a length
    kSmoothSlur,  // a curve whose bulge is the radian
    kArpeggio,    // a vertical line whose length is the radian
};

// Where the view sits relative to its row (its position).
enum class LineMarkPlacement {
    kBelow,     // (wedge offset x, wedge offset y + bar-line height)
    kAbove,     // (wedge offset x, -wedge offset y)
    kEnding,    // (wedge offset x, -wedge offset y - 150)
    kSlur,      // (second wedge offset x, -second wedge offset y)
    kArpeggio,  // (wedge offset x, -wedge offset y)
};

// How the pointer hits a piece.
enum class LineMarkHit {
    kSlopeLine,  // within the rectangle's height of the sloped line, between the ends
    kRectangle,  // inside the rectangle moved to the start point
    kNever,      // only the piece's handle can be taken
};

// A handle axis mask that means "no such handle".
inline constexpr int kNoHandle = -1;

using LineMarkLineOp = void (ScorePainter::*)(int x1, int y1, int x2, int y2, int color);
using LineMarkSlurOp = void (ScorePainter::*)(int x, int y, int length, int color);

// One class of the table: a whole, start or continued piece of a kind.
struct LineMarkPieceStyle {
    const char* className = nullptr;  // null: the kind has no such piece
    LineMarkLineOp line = nullptr;    // straight and arpeggio shapes
    LineMarkSlurOp slur = nullptr;    // flat slurs
    LineMarkHit hit = LineMarkHit::kNever;
    int endHandleAxes = kNoHandle;    // drag_axis mask of the end handle
    int bulgeHandleAxes = kNoHandle;  // drag_axis mask of the bulge handle
};

struct LineMarkStyle {
    int kind = 0;
    LineMarkShape shape = LineMarkShape::kStraight;
    LineMarkPlacement placement = LineMarkPlacement::kBelow;
    // A whole piece that ends at time 0 of a bar ends at the bar's left edge; slurs end
    // at the first note instead.
    bool endsAtBarStart = true;
    // The glissando's middle pieces are drawn by its start class.
    bool middleUsesStartClass = false;
    LineMarkPieceStyle whole;
    LineMarkPieceStyle start;
    LineMarkPieceStyle continued;  // middle and end pieces
};

// The row of a kind; null for a kind outside 0-12.
const LineMarkStyle* FindLineMarkStyle(int kind);
// The same for the view constructors, which are only given the kinds 0-12: anything
// else gets the first row rather than a null one.
const LineMarkStyle& LineMarkStyleOf(int kind);

}  // namespace quaverly
