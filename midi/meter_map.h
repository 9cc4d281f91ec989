// Converts between song ticks and (bar, offset) positions from a song's time-signature
// records. Offsets count 161280 units per quarter note, the score's time unit.
// Self-contained: the MIDI library and the program compile this same source.
#pragma once

#include <cstdint>
#include <vector>

#include "midi/midi_records.h"

namespace midi {

// One span of constant time signature; bars counted from 0.
struct MeterSegment {
    std::int32_t numerator = 4;
    std::int32_t denominator = 4;
    std::int32_t startTick = 0;
    std::int32_t startBar = 0;

    friend bool operator==(const MeterSegment&, const MeterSegment&) = default;
};

// Score units per quarter note.
constexpr std::int32_t kUnitsPerQuarter = 161280;

// The segments of a meter list: the records in tick order (records of one tick in their
// given order), records with a numerator or denominator of zero or less passed over,
// negative ticks taken as 0. An empty list gives one 4/4 segment from tick 0; a change
// that falls inside a bar starts its segment at the truncated bar count. The division
// must be positive.
std::vector<MeterSegment> BuildMeterSegments(const std::vector<MidiMeterRecord>& meters,
                                             int division);

// Wide enough for tick distance x denominator x subdivisions with any int operands.
__extension__ typedef __int128 WideInt;

// Ticks in one bar of a segment (at least 1), exact for any int operands.
WideInt TicksPerBar(const MeterSegment& segment, int division);

// Clamps a wide position into the int range.
int SaturateTick(WideInt value);

// The division of a meter list before any is given, and after a refused one.
constexpr int kDefaultMeterDivision = 120;

// Rebuilds the segments and the division from a meter list. A division of zero or less
// is refused: 4/4 from tick 0 at kDefaultMeterDivision, and the result is false.
bool RebuildMeterSegments(const std::vector<MidiMeterRecord>& meters, int division,
                          std::vector<MeterSegment>& segments, int& keptDivision);

class MeterMap {
public:
    static constexpr int kDefaultDivision = kDefaultMeterDivision;

    // Rebuilds the segments (RebuildMeterSegments).
    bool Build(const std::vector<MidiMeterRecord>& meters, int division);

    // The tick of an offset (score units) into a bar.
    int BarPositionToTick(int bar, int offset) const;
    // The bar and offset (score units) of a tick. Always true.
    bool TickToBarPosition(int tick, int& bar, int& offset) const;

    int GetDivision() const { return division_; }
    const std::vector<MeterSegment>& GetSegments() const { return segments_; }

private:
    int division_ = kDefaultDivision;
    std::vector<MeterSegment> segments_ = std::vector<MeterSegment>(1);  // 4/4 from the start
};

}  // namespace midi
