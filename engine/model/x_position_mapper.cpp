#include "engine/model/x_position_mapper.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/model/int_clamp.h"
#include "engine/model/position_map.h"

namespace quaverly {

namespace {

std::int64_t TruncToInt64(double value)
{
    if (std::isnan(value))
        return 0;
    // Well inside the int64 range, far beyond any sum of int extents.
    constexpr double kBound = 9.0e15;
    return static_cast<std::int64_t>(std::clamp(value, -kBound, kBound));
}

// A segment of the copy that XToTime walks, in 64 bits so sums never overflow.
struct WideSegment {
    std::int64_t start;
    std::int64_t length;
    std::int64_t offset;
    std::int64_t extent;
};

}  // namespace

XPositionMapper::XPositionMapper(std::shared_ptr<const PositionMap> map) : map_(std::move(map))
{
}

XPositionMapper::~XPositionMapper() = default;

int XPositionMapper::XToTime(int x) const
{
    if (!map_ || map_->GetSegments().empty())
        return 0;
    const int total = map_->GetTotalExtent();
    if (total == 0)
        return 0;
    const double room = static_cast<double>(rect_.right) - rect_.left - map_->GetLeftMargin() -
                        map_->GetRightMargin();
    const double perUnit = room / total;
    if (!(perUnit > 0.0))
        return 0;
    const std::int64_t units = TruncToInt64(x / perUnit + 0.99);

    std::vector<WideSegment> segments;
    segments.reserve(map_->GetSegments().size());
    for (const MapSegment& segment : map_->GetSegments())
        segments.push_back({segment.startTime, segment.timeLength, 0, segment.xExtent});
    for (const ExtraWidth& record : map_->GetExtraWidths()) {
        for (WideSegment& segment : segments) {
            if (segment.start <= record.time && record.time < segment.start + segment.length) {
                segment.extent += record.width;
                break;
            }
        }
    }
    std::int64_t offset = 0;
    for (WideSegment& segment : segments) {
        segment.offset = offset;
        offset += segment.extent;
    }

    for (const WideSegment& segment : segments) {
        // offset <= units < offset + extent leaves the extent above 0.
        if (segment.offset <= units && units < segment.offset + segment.extent) {
            const double fraction =
                static_cast<double>(units - segment.offset) / static_cast<double>(segment.extent);
            return ClampToInt(segment.start +
                              TruncToInt64(fraction * static_cast<double>(segment.length)));
        }
    }
    const WideSegment& last = segments.back();
    return ClampToInt(last.start + last.length);
}

}  // namespace quaverly
