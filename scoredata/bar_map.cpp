#include "scoredata/bar_map.h"

#include <algorithm>
#include <limits>

namespace tabulon {

bool BarMap::IsUsableMeter(std::int32_t numerator, std::int32_t denominator)
{
    if (numerator < 1 || numerator > 255)
        return false;
    return denominator >= 1 && denominator <= 128 && (denominator & (denominator - 1)) == 0;
}

std::int64_t BarMap::BarLengthFine(const Segment& segment) const
{
    const std::int64_t beat = std::int64_t{645120} / segment.denominator / 5040;
    return segment.numerator * (beat * fineDivision_ / 32);
}

bool BarMap::Build(const std::vector<midi::MidiMeterRecord>& meters, std::int64_t fineDivision)
{
    segments_.clear();
    valid_ = false;
    fineDivision_ = fineDivision;
    // Below 32 fine ticks per quarter a 128th-note beat would have no length at all.
    if (fineDivision < 32 || fineDivision > kMaxFineDivision)
        return false;

    std::vector<midi::MidiMeterRecord> sorted = meters;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.tick < b.tick; });

    // 4/4 from the start until the first time signature.
    segments_.push_back(Segment{});
    for (const midi::MidiMeterRecord& record : sorted) {
        if (!IsUsableMeter(record.numerator, record.denominator))
            continue;
        const Segment& previous = segments_.back();
        const std::int64_t barLength = BarLengthFine(previous);
        if (barLength <= 0)
            return false;
        const std::int64_t tick = std::int64_t{std::max(record.tick, 0)} * 32;
        const std::int64_t startBar =
            (tick - previous.start) / barLength + previous.startBar;
        if (startBar >= kMaxBars)
            break;
        Segment segment;
        segment.numerator = record.numerator;
        segment.denominator = record.denominator;
        segment.startBar = static_cast<std::int32_t>(startBar);
        segment.start = previous.start + (startBar - previous.startBar) * barLength;
        // Two signatures on one bar line: the later one holds.
        if (segment.start == previous.start)
            segments_.back() = segment;
        else
            segments_.push_back(segment);
    }
    for (const Segment& segment : segments_) {
        if (BarLengthFine(segment) <= 0)
            return false;
    }
    valid_ = true;
    return true;
}

BarPosition BarMap::PositionOf(std::int64_t fineTick) const
{
    BarPosition position;
    if (!valid_)
        return position;
    fineTick = std::max<std::int64_t>(fineTick, 0);
    auto after = std::upper_bound(segments_.begin(), segments_.end(), fineTick,
                                  [](std::int64_t tick, const Segment& s) { return tick < s.start; });
    const Segment& segment = after == segments_.begin() ? segments_.front() : *(after - 1);
    const std::int64_t barLength = BarLengthFine(segment);
    const std::int64_t into = fineTick - segment.start;
    const std::int64_t bar = segment.startBar + into / barLength;
    position.bar = static_cast<std::int32_t>(
        std::min<std::int64_t>(bar, std::numeric_limits<std::int32_t>::max()));
    position.offset = static_cast<std::int32_t>((into % barLength) * 161280 / fineDivision_);
    return position;
}

BarMap::BarMeter BarMap::MeterOf(std::int32_t bar) const
{
    BarMeter meter;
    meter.length = 645120;
    if (segments_.empty())
        return meter;
    auto after = std::upper_bound(segments_.begin(), segments_.end(), bar,
                                  [](std::int32_t b, const Segment& s) { return b < s.startBar; });
    const Segment& segment = after == segments_.begin() ? segments_.front() : *(after - 1);
    meter.numerator = segment.numerator;
    meter.denominator = segment.denominator;
    meter.start = segment.start;
    meter.startBar = segment.startBar;
    meter.length = 645120 / segment.denominator * segment.numerator;
    return meter;
}

}  // namespace tabulon
