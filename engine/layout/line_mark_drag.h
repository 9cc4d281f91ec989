// Where a dragged line mark lands on its row: the bar under an x and the time at that x
// inside the bar. Shared by the line-mark views' move and reshape steps.
//
// x values are relative to the row's absolute point, as the bars' row rectangles are.
#pragma once

#include "engine/layout/line_mark_geometry.h"

namespace quaverly {

class Part;

// The bar of the row [firstBar, endBar) whose x range holds x and the time at x in it,
// the time held to 0 .. the bar's length (both included). With `clampToRow` an x before
// the row's first bar is taken as that bar's left edge and one at or past the right
// edge of its last bar as that edge (found in the last bar); without it such an x gives
// bar -1. A row without bars gives bar -1 either way.
BarTime FindRowTimeAtX(const Part& part, int firstBar, int endBar, int x, bool clampToRow);

}  // namespace quaverly
