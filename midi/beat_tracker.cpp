#include "midi/beat_tracker.h"

#include <algorithm>
#include <utility>

namespace midi {

bool BeatTracker::Build(const std::vector<MidiMeterRecord>& meters, int division)
{
    return RebuildMeterSegments(meters, division, segments_, division_);
}

void BeatTracker::SetListener(std::shared_ptr<BeatListener> listener, int subdivisions)
{
    listener_ = std::move(listener);
    subdivisions_ = std::max(1, subdivisions);
}

MeterSegment BeatTracker::SegmentBefore(int tick) const
{
    const auto after = std::lower_bound(
        segments_.begin(), segments_.end(), tick,
        [](const MeterSegment& segment, int t) { return segment.startTick < t; });
    return after == segments_.begin() ? MeterSegment{} : *(after - 1);
}

BeatTracker::Position BeatTracker::PositionOf(int tick, int subdivisions) const
{
    const MeterSegment segment = SegmentBefore(tick);
    const WideInt units = (static_cast<WideInt>(tick) - segment.startTick) *
                          segment.denominator * subdivisions /
                          (static_cast<WideInt>(division_) * 4);
    const WideInt beats = units / subdivisions;
    Position position;
    position.bar = SaturateTick(beats / segment.numerator + segment.startBar);
    position.beat = static_cast<int>(beats % segment.numerator);
    position.subdivision = static_cast<int>(units % subdivisions);
    return position;
}

void BeatTracker::Update(int tick)
{
    if (!listener_)
        return;
    const Position position = PositionOf(tick, subdivisions_);
    if (reported_ && position == lastReported_)
        return;
    // Stored first: the listener may be called again only for a new position.
    lastReported_ = position;
    reported_ = true;
    listener_->OnBeat(position.bar, position.beat, position.subdivision, tick);
}

bool BeatTracker::TickToBarBeat(int tick, int& bar, int& beat) const
{
    const Position position = PositionOf(tick, 1);
    bar = position.bar;
    beat = position.beat;
    return true;
}

}  // namespace midi
