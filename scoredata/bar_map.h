// The bars of a MIDI song in fine ticks (MIDI ticks times 32), built from its time
// signatures for one import (internal). Before the first time signature the song runs
// in 4/4; a change that falls inside a bar moves back to that bar's line.
#pragma once

#include <cstdint>
#include <vector>

#include "midi/midi_records.h"

namespace tabulon {

// A place in the score: bar from 0 and offset in score ticks (645120 per whole).
struct BarPosition {
    std::int32_t bar = 0;
    std::int32_t offset = 0;
};

class BarMap {
public:
    struct Segment {
        std::int32_t numerator = 4;
        std::int32_t denominator = 4;
        std::int64_t start = 0;  // fine ticks
        std::int32_t startBar = 0;
    };

    // The meter of one bar: the segment in force at its start.
    struct BarMeter {
        std::int32_t numerator = 4;
        std::int32_t denominator = 4;
        std::int64_t start = 0;
        std::int32_t startBar = 0;
        std::int32_t length = 0;  // bar length in score ticks
        std::int32_t Beat() const { return 645120 / denominator; }
    };

    // Bars past this are not imported: a song of absurd length (a corrupt or hostile
    // time value) must not make the import allocate without end.
    static constexpr std::int32_t kMaxBars = 100000;
    // The largest fine division that can come from a MIDI file (15-bit division).
    static constexpr std::int64_t kMaxFineDivision = 32767LL * 32;

    // Rebuilds the map. Time signatures whose numerator is not 1 to 255 or whose
    // denominator is not a power of two from 1 to 128 are passed over, and so are
    // those past the last importable bar. False when the map is not usable.
    bool Build(const std::vector<midi::MidiMeterRecord>& meters, std::int64_t fineDivision);
    bool IsValid() const { return valid_; }
    const std::vector<Segment>& Segments() const { return segments_; }
    std::int64_t FineDivision() const { return fineDivision_; }

    // The bar and offset of a fine tick (negative ticks count as 0). The bar may lie
    // beyond kMaxBars; callers check.
    BarPosition PositionOf(std::int64_t fineTick) const;
    BarMeter MeterOf(std::int32_t bar) const;
    // The length of a segment's bars in fine ticks.
    std::int64_t BarLengthFine(const Segment& segment) const;

    static bool IsUsableMeter(std::int32_t numerator, std::int32_t denominator);

private:
    std::int64_t fineDivision_ = 0;
    std::vector<Segment> segments_;
    bool valid_ = false;
};

}  // namespace tabulon
