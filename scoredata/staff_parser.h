// Turns one list of MIDI note events into the notes of one staff: notes are paired,
// quantised to a grid, cut at bar lines and beat groups and written as note values with
// dots, triplets and ties. Created by create_staff_parser and destroyed only through
// Release; one parser can parse again with the same settings.
#pragma once

#include <vector>

#include "midi/midi_records.h"
#include "scoredata/staff_data.h"

namespace tabulon {

class StaffParser {
public:
    // Fine ticks per quarter note: the song's division times 32.
    virtual void SetDivision(int fineDivision) = 0;
    // The grid in score ticks (40320 for sixteenths); values outside a 128th to a
    // whole are refused and the grid stays.
    virtual void SetGrid(int grid) = 0;
    // The song's time signatures (copied).
    virtual void SetMeters(const std::vector<midi::MidiMeterRecord>& meters) = 0;
    // Adds the notes, tuplet groups and tie chains to the staff; returns the number of
    // bars used (last bar + 1), 0 when nothing was produced. Ticks are the song's.
    virtual int Parse(StaffData* staff, const std::vector<midi::MidiEvent>& events) = 0;
    // Destroys the object.
    virtual void Release() = 0;

protected:
    StaffParser() = default;
    StaffParser(const StaffParser&) = delete;
    StaffParser& operator=(const StaffParser&) = delete;
    ~StaffParser() = default;
};

}  // namespace tabulon

// A new staff parser (fine division 120, sixteenth grid, no time signatures); null when
// out of memory.
extern "C" __attribute__((visibility("default"))) tabulon::StaffParser* create_staff_parser();
