#include "midi/tempo_map.h"

#include <algorithm>
#include <limits>

namespace midi {

namespace {

// Time runs at 100 quarter notes per minute before the first tempo record.
constexpr std::int32_t kMicrosecondsPerQuarterAt100 = 600000;

// Microseconds per tick, truncated as the tempo records are; at least 1 so that a very
// fast tempo or a very fine division never gives a rate to divide by that is zero.
std::int32_t RatePerTick(std::int32_t microsecondsPerQuarter, int division)
{
    return std::max<std::int32_t>(1, microsecondsPerQuarter / division);
}

int SaturateToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

TempoSegment TempoMap::InitialSegment() const
{
    return {RatePerTick(kMicrosecondsPerQuarterAt100, division_), 0, 0};
}

bool TempoMap::Build(const std::vector<MidiTempoRecord>& tempos, int division)
{
    segments_.clear();
    if (division <= 0) {
        division_ = kDefaultDivision;
        return false;
    }
    division_ = division;

    std::vector<MidiTempoRecord> records;
    records.reserve(tempos.size());
    for (const MidiTempoRecord& record : tempos) {
        if (record.microsecondsPerQuarter > 0)
            records.push_back({std::max(record.tick, 0), record.microsecondsPerQuarter});
    }
    std::stable_sort(records.begin(), records.end(),
                     [](const MidiTempoRecord& a, const MidiTempoRecord& b) {
                         return a.tick < b.tick;
                     });

    std::int32_t rate = InitialSegment().microsecondsPerTick;
    std::int32_t previousTick = 0;
    std::int64_t time = 0;
    for (const MidiTempoRecord& record : records) {
        time += static_cast<std::int64_t>(record.tick - previousTick) * rate;
        rate = RatePerTick(record.microsecondsPerQuarter, division_);
        segments_.push_back({rate, record.tick, time});
        previousTick = record.tick;
    }
    return !segments_.empty();
}

int TempoMap::MsToTick(int milliseconds) const
{
    return MicrosecondsToTick(static_cast<std::int64_t>(milliseconds) * 1000);
}

int TempoMap::MicrosecondsToTick(std::int64_t microseconds) const
{
    // The last segment that has begun by then.
    const auto after = std::upper_bound(
        segments_.begin(), segments_.end(), microseconds,
        [](std::int64_t time, const TempoSegment& segment) { return time < segment.startTime; });
    const TempoSegment segment = after == segments_.begin() ? InitialSegment() : *(after - 1);
    return SaturateToInt(segment.startTick +
                         (microseconds - segment.startTime) / segment.microsecondsPerTick);
}

std::int64_t TempoMap::TickToMicroseconds(int tick) const
{
    const auto after = std::upper_bound(
        segments_.begin(), segments_.end(), tick,
        [](int t, const TempoSegment& segment) { return t < segment.startTick; });
    const TempoSegment segment = after == segments_.begin() ? InitialSegment() : *(after - 1);
    return segment.startTime +
           (static_cast<std::int64_t>(tick) - segment.startTick) * segment.microsecondsPerTick;
}

}  // namespace midi
