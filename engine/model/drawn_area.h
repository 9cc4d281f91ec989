// What a drawing device may tell the engine besides the painter's operations: the part of
// the page a drawing pass limited to part of it (a view drawing again what changed) can
// show. A painter that is one as well lets the engine leave out what lies wholly outside;
// every other painter draws everything.
#pragma once

#include "engine/model/layout_types.h"
#include "engine/model/score_painter.h"

namespace quaverly {

class DrawnArea {
public:
    // False when nothing inside `area` (layout units) can reach the device.
    virtual bool IsAreaDrawn(const Rect& area) const = 0;

protected:
    DrawnArea() = default;
    DrawnArea(const DrawnArea&) = default;
    DrawnArea& operator=(const DrawnArea&) = default;
    ~DrawnArea() = default;
};

// Whether the pass of `painter` can show anything inside `area`.
inline bool IsAreaDrawn(ScorePainter& painter, const Rect& area)
{
    const auto* drawn = dynamic_cast<const DrawnArea*>(&painter);
    return drawn == nullptr || drawn->IsAreaDrawn(area);
}

}  // namespace quaverly
