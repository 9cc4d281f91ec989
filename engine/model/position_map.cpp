#include "engine/model/position_map.h"

#include <algorithm>
#include <cstdint>

#include "engine/model/int_clamp.h"

namespace quaverly {

void PositionMap::SetMeter(int beats, int beatType)
{
    beats_ = beats;
    beatType_ = beatType;
}

void PositionMap::AddExtraWidth(int time, int width)
{
    for (ExtraWidth& record : extraWidths_) {
        if (record.time == time) {
            record.width = ClampToInt(std::int64_t{record.width} + width);
            return;
        }
    }
    extraWidths_.push_back({time, width});
}

void PositionMap::SortExtraWidths()
{
    std::stable_sort(extraWidths_.begin(), extraWidths_.end(),
                     [](const ExtraWidth& a, const ExtraWidth& b) { return a.time < b.time; });
}

int PositionMap::GetTotalExtent() const
{
    std::int64_t total = 0;
    for (const MapSegment& segment : segments_)
        total += segment.xExtent;
    for (const ExtraWidth& record : extraWidths_)
        total += record.width;
    return ClampToInt(total);
}

int MapTimeThroughSegments(const std::vector<MapSegment>& segments, int time)
{
    if (segments.empty())
        return 0;
    for (const MapSegment& segment : segments) {
        const std::int64_t start = segment.startTime;
        // A segment of no length holds no time, so the division below never sees 0.
        if (start <= time && time < start + segment.timeLength) {
            const double fraction = static_cast<double>(time - start) / segment.timeLength;
            return ClampToInt(std::int64_t{segment.xOffset} +
                              TruncToInt(fraction * segment.xExtent));
        }
    }
    const MapSegment& last = segments.back();
    return ClampToInt(std::int64_t{last.xOffset} + last.xExtent);
}

}  // namespace quaverly
