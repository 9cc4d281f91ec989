#include "midi/meter_map.h"

#include <algorithm>
#include <limits>

namespace midi {

std::vector<MeterSegment> BuildMeterSegments(const std::vector<MidiMeterRecord>& meters,
                                             int division)
{
    std::vector<MidiMeterRecord> records;
    records.reserve(meters.size());
    for (const MidiMeterRecord& record : meters) {
        if (record.numerator > 0 && record.denominator > 0) {
            MidiMeterRecord kept = record;
            kept.tick = std::max(kept.tick, 0);
            records.push_back(kept);
        }
    }
    std::stable_sort(records.begin(), records.end(),
                     [](const MidiMeterRecord& a, const MidiMeterRecord& b) {
                         return a.tick < b.tick;
                     });

    std::vector<MeterSegment> segments;
    if (records.empty() || division <= 0) {
        segments.push_back(MeterSegment{});
        return segments;
    }
    WideInt numerator = 4;
    WideInt denominator = 4;
    WideInt previousTick = 0;
    WideInt bar = 0;
    for (const MidiMeterRecord& record : records) {
        bar += (record.tick - previousTick) * denominator / (numerator * division * 4);
        segments.push_back({record.numerator, record.denominator, record.tick,
                            SaturateTick(bar)});
        previousTick = record.tick;
        numerator = record.numerator;
        denominator = record.denominator;
    }
    return segments;
}

WideInt TicksPerBar(const MeterSegment& segment, int division)
{
    return std::max<WideInt>(1, static_cast<WideInt>(division) * segment.numerator * 4 / segment.denominator);
}

int SaturateTick(WideInt value)
{
    return static_cast<int>(std::clamp<WideInt>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

bool RebuildMeterSegments(const std::vector<MidiMeterRecord>& meters, int division,
                          std::vector<MeterSegment>& segments, int& keptDivision)
{
    if (division <= 0) {
        keptDivision = kDefaultMeterDivision;
        segments.assign(1, MeterSegment{});
        return false;
    }
    segments = BuildMeterSegments(meters, division);
    keptDivision = division;
    return true;
}

bool MeterMap::Build(const std::vector<MidiMeterRecord>& meters, int division)
{
    return RebuildMeterSegments(meters, division, segments_, division_);
}

int MeterMap::BarPositionToTick(int bar, int offset) const
{
    // The last segment that has begun by that bar.
    const auto after =
        std::upper_bound(segments_.begin(), segments_.end(), bar,
                         [](int b, const MeterSegment& segment) { return b < segment.startBar; });
    const MeterSegment segment = after == segments_.begin() ? MeterSegment{} : *(after - 1);
    const WideInt tick = segment.startTick +
                         TicksPerBar(segment, division_) * (static_cast<WideInt>(bar) - segment.startBar) +
                         static_cast<WideInt>(division_) * offset / kUnitsPerQuarter;
    return SaturateTick(tick);
}

bool MeterMap::TickToBarPosition(int tick, int& bar, int& offset) const
{
    const auto after = std::upper_bound(
        segments_.begin(), segments_.end(), tick,
        [](int t, const MeterSegment& segment) { return t < segment.startTick; });
    const MeterSegment segment = after == segments_.begin() ? MeterSegment{} : *(after - 1);
    const WideInt ticksPerBar = TicksPerBar(segment, division_);
    const WideInt distance = static_cast<WideInt>(tick) - segment.startTick;
    bar = SaturateTick(distance / ticksPerBar + segment.startBar);
    offset = SaturateTick(distance % ticksPerBar * kUnitsPerQuarter / division_);
    return true;
}

}  // namespace midi
