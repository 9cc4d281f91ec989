#include "engine/layout/line_mark_drag.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "engine/model/bar.h"
#include "engine/model/part.h"
#include "engine/model/position_map.h"
#include "engine/model/time_position_mapper.h"

namespace quaverly {

namespace {

// The time at x (relative to the row) inside the bar, held to 0 .. the bar's length:
// the earliest time that the views' time-to-x rule puts at x or beyond, so a time found
// here is drawn where the x was (to the unit). The rule only grows with the time.
int TimeInBar(const Bar& bar, int x)
{
    const int length = std::max(GetBarTimeLength(bar), 0);
    const std::shared_ptr<PositionMap>& map = bar.GetPositionMap();
    if (!map)
        return 0;
    const TimePositionMapper mapper(bar.GetRect(), map.get());
    const std::int64_t inBar = std::int64_t{x} - bar.GetPosition().x;
    if (mapper.TimeToX(length) < inBar)
        return length;
    int low = 0;
    int high = length;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (mapper.TimeToX(middle) >= inBar)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

}  // namespace

BarTime FindRowTimeAtX(const Part& part, int firstBar, int endBar, int x, bool clampToRow)
{
    const int count = GetPartBarCount(part);
    const int first = std::max(firstBar, 0);
    const int end = std::min(endBar, count);
    if (first >= end)
        return {-1, 0};
    const std::shared_ptr<Bar> firstOfRow = GetPartBar(part, first);
    const std::shared_ptr<Bar> lastOfRow = GetPartBar(part, end - 1);
    if (!firstOfRow || !lastOfRow)
        return {-1, 0};
    const int left = GetBarRowRect(*firstOfRow).left;
    if (x < left) {
        if (!clampToRow)
            return {-1, 0};
        return {first, 0};
    }
    const Rect lastRect = GetBarRowRect(*lastOfRow);
    if (x >= lastRect.right) {
        if (!clampToRow)
            return {-1, 0};
        return {end - 1, GetBarTimeLength(*lastOfRow)};
    }
    for (int b = first; b < end; ++b) {
        const std::shared_ptr<Bar> bar = GetPartBar(part, b);
        if (!bar)
            continue;
        const Rect rect = GetBarRowRect(*bar);
        if (rect.left <= x && x < rect.right)
            return {b, TimeInBar(*bar, x)};
    }
    // In a gap between bars: the nearest bar to the left takes it at its end.
    for (int b = end - 1; b >= first; --b) {
        const std::shared_ptr<Bar> bar = GetPartBar(part, b);
        if (bar && GetBarRowRect(*bar).right <= x)
            return clampToRow ? BarTime{b, GetBarTimeLength(*bar)} : BarTime{-1, 0};
    }
    return {-1, 0};
}

}  // namespace quaverly
