// Converts playing time into song ticks (and back) from a song's tempo records.
// Self-contained: the MIDI library and the program compile this same source.
#pragma once

#include <cstdint>
#include <vector>

#include "midi/midi_records.h"

namespace midi {

// One span of constant tempo. The rate is kept as the record gives it, microseconds per
// quarter note, so that a tick's length (microseconds per quarter / division) is exact
// and long pieces do not drift; times are held multiplied by the division, which makes
// every segment start exact too.
struct TempoSegment {
    std::int32_t microsecondsPerQuarter = 0;
    std::int32_t startTick = 0;
    std::int64_t startTimeTimesDivision = 0;  // microseconds from the start x division
};

class TempoMap {
public:
    static constexpr int kDefaultDivision = 120;

    // Rebuilds the segments from the tempo records (taken in tick order; records of one
    // tick in their given order, the later one winning). Records with a tempo of zero or
    // less are passed over. A division of zero or less is refused: the map returns to
    // its initial state (division 120, no segments). True when a segment exists.
    bool Build(const std::vector<MidiTempoRecord>& tempos, int division);

    // The tick reached after that many milliseconds from the start of the song.
    int MsToTick(int milliseconds) const;
    // The tick reached at that time from the start of the song.
    int MicrosecondsToTick(std::int64_t microseconds) const;
    // The time from the start of the song at which the tick is reached: the first whole
    // microsecond that is not before it.
    std::int64_t TickToMicroseconds(int tick) const;

    int GetDivision() const { return division_; }
    const std::vector<TempoSegment>& GetSegments() const { return segments_; }

private:
    // The segment in force from the start of the song until the first tempo record:
    // 100 quarter notes per minute.
    TempoSegment InitialSegment() const;

    int division_ = kDefaultDivision;
    std::vector<TempoSegment> segments_;
};

}  // namespace midi
