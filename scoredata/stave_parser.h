// Turns the note events of one MIDI track into one stave: chooses the stave kind from
// the notes' range (or takes a fixed one) and fills one staff, or two split at a key.
// Created by create_stave_parser and destroyed only through Release.
#pragma once

#include <cstdint>
#include <vector>

#include "midi/midi_records.h"
#include "scoredata/stave_data.h"

namespace tabulon {

// Stave kinds as the import chooses them from the notes: 0 treble range, 1 middle
// range, 2 two staffs split at a key (piano), 5 high, 6 low. 3 and 4 are only ever
// fixed by the caller.
class StaveParser {
public:
    // Fine ticks per quarter note: the song's division times 32.
    virtual void SetDivision(int fineDivision) = 0;
    // The grid in score ticks (40320 for sixteenths).
    virtual void SetGrid(int grid) = 0;
    // The song's time signatures (copied).
    virtual void SetMeters(const std::vector<midi::MidiMeterRecord>& meters) = 0;
    // Fixes the kind instead of choosing it from the notes.
    virtual void SetKind(int kind) = 0;
    // Whether a piano-like range may become two staffs, and the lowest key of the upper.
    virtual void SetSplit(std::uint8_t enabled, int key) = 0;
    // Sets the stave's kind, adds its staffs and their notes; returns the number of bars
    // filled, 0 when nothing was produced. Ticks are the song's.
    virtual int Parse(StaveData* stave, const std::vector<midi::MidiEvent>& events) = 0;
    // Destroys the object.
    virtual void Release() = 0;

protected:
    StaveParser() = default;
    StaveParser(const StaveParser&) = delete;
    StaveParser& operator=(const StaveParser&) = delete;
    ~StaveParser() = default;
};

}  // namespace tabulon

// A new stave parser (kind chosen from the notes, split at key 60); null when out of
// memory.
extern "C" __attribute__((visibility("default"))) tabulon::StaveParser* create_stave_parser();
