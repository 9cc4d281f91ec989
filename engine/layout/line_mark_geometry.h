// The bar arithmetic that line marks and their views share: where a mark ends, where a
// time lies on the laid-out row, and how far a mark has run in time and in x.
//
// A part's children are its bars by bar index. A bar's x range in its row is its
// rectangle moved by its position; a time inside the bar becomes an x through the bar's
// position map (TimePositionMapper). A bar's length in ticks comes from the meter of its
// position map (4/4 while the bar has none).
//
// Every function tolerates bar indices outside the part: a missing bar counts as 0 wide
// and 0 long and is never read, and sums are formed in 64 bits and held to the int
// range.
#pragma once

#include <memory>

#include "engine/model/layout_types.h"

namespace quaverly {

class Bar;
class Part;

// Bar `index` of the part, or an empty pointer when there is no such bar (or the child
// there is not a bar).
std::shared_ptr<Bar> GetPartBar(const Part& part, int index);
int GetPartBarCount(const Part& part);

// The bar's length in ticks: beats x 645120 / beat type of its position map's meter; a
// whole note for a bar without a map or with a meter that is not positive.
int GetBarTimeLength(const Bar& bar);

// The bar's x range on its row: its rectangle moved by its position (y left as is).
Rect GetBarRowRect(const Bar& bar);

// Where a time ends up: a bar index and a time inside that bar.
struct BarTime {
    int bar = 0;
    int time = 0;

    friend bool operator==(const BarTime&, const BarTime&) = default;
};

// Walks from `bar` subtracting each bar's length from position + duration until the
// time falls inside a bar ([0, length)). Past the last bar the answer is {last bar, its
// length}. A start bar before the first bar is taken as bar 0 and one beyond the last
// bar as the last bar; a part without bars gives {-1, 0}.
BarTime FindBarAtTime(const Part& part, int bar, int position, int duration);

// The bar's position x plus the x of the time in its position map; 0 for a missing bar.
int GetTimeX(const Part& part, int bar, int time);

// The duration from (b, t1) to (c, t2): the lengths of bars b to c - 1 plus t2 - t1,
// negative when c is before b.
int GetTimeBetween(const Part& part, int b, int t1, int c, int t2);

// How far the row runs from (b, t1) to (c, t2) across systems: what is left of bar b
// after t1, the whole widths of the bars between, and the x of t2 in bar c (in one bar
// the difference of the two x); negative when c is before b.
int GetDistanceBetween(const Part& part, int b, int t1, int c, int t2);

}  // namespace quaverly
