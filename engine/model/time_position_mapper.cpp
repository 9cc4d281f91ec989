#include "engine/model/time_position_mapper.h"

#include <cmath>
#include <cstdint>

#include "engine/model/int_clamp.h"
#include "engine/model/position_map.h"

namespace quaverly {

int TimePositionMapper::TimeToX(int time) const
{
    if (map_ == nullptr)
        return 0;
    const int leftMargin = map_->GetLeftMargin();
    const int total = map_->GetTotalExtent();
    if (total == 0)
        return leftMargin;
    const double room = static_cast<double>(rect_.right) - rect_.left - leftMargin -
                        map_->GetRightMargin();
    const double perUnit = room / total;

    double units = MapTimeThroughSegments(map_->GetSegments(), time);
    for (const ExtraWidth& record : map_->GetExtraWidths()) {
        if (record.time > time)
            break;
        units += record.width;
    }
    return TruncToInt(leftMargin + std::trunc(perUnit * units));
}

}  // namespace quaverly
