// Score records and MIDI songs for the playback builder and MIDI file tests, owned
// through their Release.
#pragma once

#include <gtest/gtest.h>

#include <ios>
#include <memory>
#include <ostream>
#include <vector>

#include "midi/midi_data.h"
#include "scoredata/score_data.h"

namespace midi {

inline void PrintTo(const MidiEvent& event, std::ostream* os)
{
    *os << "{" << event.tick << ", 0x" << std::hex << event.message << std::dec << "}";
}

inline void PrintTo(const MidiTempoRecord& tempo, std::ostream* os)
{
    *os << "{" << tempo.tick << ", " << tempo.microsecondsPerQuarter << " us}";
}

inline void PrintTo(const MidiMeterRecord& meter, std::ostream* os)
{
    *os << "{" << meter.tick << ", " << meter.numerator << "/" << meter.denominator << ", "
        << meter.clocksPerClick << ", " << meter.thirtySecondsPerQuarter << "}";
}

inline void PrintTo(const MidiKeyRecord& key, std::ostream* os)
{
    *os << "{" << key.tick << ", " << key.sharpsFlats << ", " << key.minor << "}";
}

}  // namespace midi

namespace mididev_test {

struct ReleaseScore {
    void operator()(tabulon::ScoreData* score) const { score->Release(); }
};
using ScorePtr = std::unique_ptr<tabulon::ScoreData, ReleaseScore>;

struct ReleaseSong {
    void operator()(midi::MidiData* song) const { song->Release(); }
};
using SongPtr = std::unique_ptr<midi::MidiData, ReleaseSong>;

inline ScorePtr NewScore(int barCount = 1)
{
    ScorePtr score(create_score_data());
    EXPECT_NE(score, nullptr);
    score->SetBarCount(barCount);
    return score;
}

inline SongPtr NewSong()
{
    SongPtr song(create_midi_data());
    EXPECT_NE(song, nullptr);
    return song;
}

// The staff of a stave, both made when missing.
inline tabulon::StaffData* AddStaff(tabulon::ScoreData& score, int staveId, int staffId,
                                    int channel = 0, int program = 0)
{
    score.AddStave(staveId);
    tabulon::StaveData* stave = score.GetStave(staveId);
    stave->AddStaff(staffId, 0);
    tabulon::StaffData* staff = stave->GetStaff(staffId);
    staff->SetChannel(channel);
    staff->SetProgram(program);
    return staff;
}

inline tabulon::NoteRecord Note(int pitch, int bar, int offset, int value = tabulon::kUnitsPerQuarter,
                                int velocity = 100, int dotted = 0, int tuplet = 0)
{
    tabulon::NoteRecord note;
    note.pitch = pitch;
    note.bar = bar;
    note.offset = offset;
    note.value = value;
    note.velocity = velocity;
    note.dotted = static_cast<std::uint8_t>(dotted);
    note.tuplet = tuplet;
    return note;
}

}  // namespace mididev_test
