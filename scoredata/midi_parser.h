// Imports a MIDI song into score data: each selected track becomes a stave, the song's
// time and key signatures are carried over, and optionally the tracks' lyrics. The song
// is read only through the MIDI library's interfaces. Created by create_midi_parser and
// destroyed only through Release.
#pragma once

#include <cstdint>

#include "scoredata/score_data.h"

namespace midi {
class MidiData;
}

namespace tabulon {

class MidiParser {
public:
    // The grid as a note value 1/n, n from 1 to 128 (16: sixteenths); returns the grid
    // in score ticks (645120 / n). Another n is refused and the grid stays.
    virtual int SetGrid(int n) = 0;
    // Whether piano-like tracks may become two staffs, and the lowest key of the upper.
    virtual void SetSplit(std::uint8_t enabled, int key) = 0;
    // Fixes the stave kind of one track; kind 2 (two staffs) switches splitting on.
    virtual void SetTrackKind(int trackId, int kind) = 0;
    // Selects a track for conversion; only selected tracks are converted.
    virtual void MarkTrack(int trackId) = 0;
    // When the low byte is not 0, the tracks' lyrics are carried over.
    virtual void SetPostPass(int pass) = 0;
    // Adds the song's time and key signatures, one stave per selected track (keyed by
    // the track identifier) and the bar count to the score. A song whose division is
    // not 3 to 32767 ticks per quarter adds nothing (SMPTE time, held as a negative
    // division, included).
    virtual void Convert(const midi::MidiData* song, ScoreData* score) = 0;
    // Destroys the object.
    virtual void Release() = 0;

protected:
    MidiParser() = default;
    MidiParser(const MidiParser&) = delete;
    MidiParser& operator=(const MidiParser&) = delete;
    ~MidiParser() = default;
};

}  // namespace tabulon

// A new MIDI parser (sixteenth grid, split at key 60, no track selected, no lyrics);
// null when out of memory.
extern "C" __attribute__((visibility("default"))) tabulon::MidiParser* create_midi_parser();
