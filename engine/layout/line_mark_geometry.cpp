#include "engine/layout/line_mark_geometry.h"

#include <cstdint>

#include "engine/model/bar.h"
#include "engine/model/int_clamp.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/position_map.h"
#include "engine/model/time_position_mapper.h"

namespace quaverly {

namespace {

// The x of a time inside the bar, from the bar's left edge.
int TimeXInBar(const Bar& bar, int time)
{
    return TimePositionMapper(bar.GetRect(), bar.GetPositionMap().get()).TimeToX(time);
}

int BarWidth(const Bar& bar)
{
    return bar.GetRect().Width();
}

}  // namespace

std::shared_ptr<Bar> GetPartBar(const Part& part, int index)
{
    return std::dynamic_pointer_cast<Bar>(part.GetChild(index));
}

int GetPartBarCount(const Part& part)
{
    return part.GetChildCount();
}

int GetBarTimeLength(const Bar& bar)
{
    const std::shared_ptr<PositionMap>& map = bar.GetPositionMap();
    if (!map)
        return kTicksPerWhole;
    const auto [beats, beatType] = map->GetMeter();
    if (beats <= 0 || beatType <= 0)
        return kTicksPerWhole;
    return ClampToInt(std::int64_t{beats} * kTicksPerWhole / beatType);
}

Rect GetBarRowRect(const Bar& bar)
{
    return bar.GetRect().Moved({bar.GetPosition().x, 0});
}

BarTime FindBarAtTime(const Part& part, int bar, int position, int duration)
{
    const int count = GetPartBarCount(part);
    if (count <= 0)
        return {-1, 0};
    int index = bar < 0 ? 0 : (bar >= count ? count - 1 : bar);
    std::int64_t time = std::int64_t{position} + duration;
    for (;; ++index) {
        const std::shared_ptr<Bar> current = GetPartBar(part, index);
        const int length = current ? GetBarTimeLength(*current) : 0;
        if (time < length)
            return {index, ClampToInt(time)};
        if (index == count - 1)
            return {index, length};
        time -= length;
    }
}

int GetTimeX(const Part& part, int bar, int time)
{
    const std::shared_ptr<Bar> found = GetPartBar(part, bar);
    if (!found)
        return 0;
    return ClampToInt(std::int64_t{found->GetPosition().x} + TimeXInBar(*found, time));
}

int GetTimeBetween(const Part& part, int b, int t1, int c, int t2)
{
    if (c < b)
        return ClampToInt(-std::int64_t{GetTimeBetween(part, c, t2, b, t1)});
    std::int64_t total = std::int64_t{t2} - t1;
    const int count = GetPartBarCount(part);
    for (int i = b < 0 ? 0 : b; i < c && i < count; ++i) {
        if (const std::shared_ptr<Bar> bar = GetPartBar(part, i))
            total += GetBarTimeLength(*bar);
    }
    return ClampToInt(total);
}

int GetDistanceBetween(const Part& part, int b, int t1, int c, int t2)
{
    if (c < b)
        return ClampToInt(-std::int64_t{GetDistanceBetween(part, c, t2, b, t1)});
    const std::shared_ptr<Bar> first = GetPartBar(part, b);
    const std::shared_ptr<Bar> last = GetPartBar(part, c);
    if (b == c)
        return first ? TimeXInBar(*first, t2) - TimeXInBar(*first, t1) : 0;
    std::int64_t total = 0;
    if (first)
        total += std::int64_t{BarWidth(*first)} - TimeXInBar(*first, t1);
    const int count = GetPartBarCount(part);
    for (int i = b + 1 < 0 ? 0 : b + 1; i < c && i < count; ++i) {
        if (const std::shared_ptr<Bar> bar = GetPartBar(part, i))
            total += BarWidth(*bar);
    }
    if (last)
        total += TimeXInBar(*last, t2);
    return ClampToInt(total);
}

}  // namespace quaverly
