#include "midi/tempo_map.h"

#include <algorithm>
#include <limits>

namespace midi {

namespace {

// Time runs at 100 quarter notes per minute before the first tempo record.
constexpr std::int32_t kMicrosecondsPerQuarterAt100 = 600000;

int SaturateToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// a x b, held to the 64-bit range instead of overflowing.
std::int64_t SaturatingProduct(std::int64_t a, std::int64_t b)
{
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return (a < 0) != (b < 0) ? std::numeric_limits<std::int64_t>::min()
                                  : std::numeric_limits<std::int64_t>::max();
    return product;
}

}  // namespace

TempoSegment TempoMap::InitialSegment() const
{
    return {kMicrosecondsPerQuarterAt100, 0, 0};
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

    // Ticks are at most 2^31 and rates below 2^31, so the sum of the spans' products
    // stays inside 64 bits.
    std::int32_t rate = InitialSegment().microsecondsPerQuarter;
    std::int32_t previousTick = 0;
    std::int64_t time = 0;
    for (const MidiTempoRecord& record : records) {
        time += static_cast<std::int64_t>(record.tick - previousTick) * rate;
        rate = record.microsecondsPerQuarter;
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
    const std::int64_t time = SaturatingProduct(microseconds, division_);
    // The last segment that has begun by then.
    const auto after = std::upper_bound(
        segments_.begin(), segments_.end(), time, [](std::int64_t t, const TempoSegment& segment) {
            return t < segment.startTimeTimesDivision;
        });
    const TempoSegment segment = after == segments_.begin() ? InitialSegment() : *(after - 1);
    return SaturateToInt(segment.startTick +
                         (time - segment.startTimeTimesDivision) / segment.microsecondsPerQuarter);
}

std::int64_t TempoMap::TickToMicroseconds(int tick) const
{
    const auto after = std::upper_bound(
        segments_.begin(), segments_.end(), tick,
        [](int t, const TempoSegment& segment) { return t < segment.startTick; });
    const TempoSegment segment = after == segments_.begin() ? InitialSegment() : *(after - 1);
    const std::int64_t time =
        segment.startTimeTimesDivision +
        (static_cast<std::int64_t>(tick) - segment.startTick) * segment.microsecondsPerQuarter;
    // Rounded up; times before the song's start (negative ticks) round toward it.
    const std::int64_t whole = time / division_;
    return whole * division_ < time ? whole + 1 : whole;
}

}  // namespace midi
