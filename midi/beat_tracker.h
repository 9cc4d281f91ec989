// Turns song ticks into (bar, beat, subdivision) positions from a song's time-signature
// records and reports every change of position to a listener.
// Self-contained: the MIDI library and the program compile this same source.
#pragma once

#include <memory>
#include <vector>

#include "midi/meter_map.h"
#include "midi/midi_records.h"

namespace midi {

// Receives the positions a BeatTracker reports. Held through a shared pointer, which
// destroys the concrete object; the interface itself is never deleted through.
class BeatListener {
public:
    // All values counted from 0.
    virtual void OnBeat(int bar, int beat, int subdivision, int tick) = 0;

protected:
    ~BeatListener() = default;
};

class BeatTracker {
public:
    static constexpr int kDefaultDivision = kDefaultMeterDivision;

    // Rebuilds the meter segments (RebuildMeterSegments); the last reported position
    // is kept, so a new run that begins where the last one was reported stays quiet
    // until the position moves on.
    bool Build(const std::vector<MidiMeterRecord>& meters, int division);
    // The listener to report to and the subdivisions per beat (at least 1).
    void SetListener(std::shared_ptr<BeatListener> listener, int subdivisions);
    // Reports the position of the tick when it differs from the last one reported.
    void Update(int tick);
    // The bar and beat of a tick. Always true.
    bool TickToBarBeat(int tick, int& bar, int& beat) const;

    int GetDivision() const { return division_; }
    const std::vector<MeterSegment>& GetSegments() const { return segments_; }

private:
    struct Position {
        int bar = 0;
        int beat = 0;
        int subdivision = 0;
        friend bool operator==(const Position&, const Position&) = default;
    };

    // The last segment that began strictly before the tick (4/4 from 0 before the first).
    MeterSegment SegmentBefore(int tick) const;
    Position PositionOf(int tick, int subdivisions) const;

    int division_ = kDefaultDivision;
    bool reported_ = false;
    Position lastReported_;
    std::vector<MeterSegment> segments_ = std::vector<MeterSegment>(1);  // 4/4 from the start
    int subdivisions_ = 1;
    std::shared_ptr<BeatListener> listener_;
};

}  // namespace midi
