// Time to x inside the rectangle in which a bar is drawn.
//
// A value built on the stack from the bar's rectangle and its position map. The
// distances between the margins scale by p = (rectangle width - both margins) / the
// map's total extent, so a bar drawn at its natural width gets p = 1.
#pragma once

#include "engine/model/layout_types.h"

namespace quaverly {

class PositionMap;

class TimePositionMapper {
public:
    // The map is not owned and must outlive the mapper; it may be null.
    TimePositionMapper(const Rect& rect, const PositionMap* map) : rect_(rect), map_(map) {}

    // The x of a time, relative to the rectangle's left edge: the left margin plus the
    // scaled segment mapping of the time plus the extra widths recorded at or before it.
    // An extra width at time t sits before the note that starts at t. A map whose total
    // extent is 0 puts every time at the left margin; without a map the result is 0.
    int TimeToX(int time) const;

private:
    Rect rect_;
    const PositionMap* map_;
};

}  // namespace quaverly
