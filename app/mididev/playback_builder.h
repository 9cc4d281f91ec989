// Turns the score's neutral record into the MIDI song that is played and exported: one
// track per stave, a program change and the notes of every staff of it, tied notes
// sounding as one, the tempo marks (or failing those the tempo words) as tempos, and the
// time and key signatures. Score positions (bar and offset, 161280 units per quarter)
// become ticks at the song's division through a meter map of the score's meters.
//
// Whatever the score holds, the song stays playable: ticks are never negative, every
// data byte is in range (a note with a pitch outside 0-127 or a program outside 0-127
// is left out), a tempo that comes to zero quarters per minute is passed over, the song
// always has a tempo at tick 0 (120 quarters per minute unless the score gives one
// there), and at one tick note-offs, program and control changes come before note-ons,
// so that a note ending where another of the same key starts never silences it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "midi/meter_map.h"
#include "midi/midi_data.h"
#include "midi/midi_records.h"
#include "scoredata/score_data.h"

namespace brindle {

// The tempo of a song with no tempo of its own: 120 quarters per minute.
inline constexpr std::int32_t kDefaultMicrosecondsPerQuarter = 500000;

// {tick, note-on on the channel with the key and velocity}; each byte is masked into its
// range (channel 0-15, key and velocity 0-127).
midi::MidiEvent MakeNoteOnEvent(int tick, std::uint8_t key, std::uint8_t velocity,
                                std::uint8_t channel);
// {tick, note-off on the channel with the key, release velocity 0}; masked likewise.
midi::MidiEvent MakeNoteOffEvent(int tick, std::uint8_t key, std::uint8_t channel);

// Quarter notes per minute of a tempo word ("快板" 132 and so on); 0 when the word has
// none. The whole word must match.
int TempoWordValue(std::u16string_view word);

class PlaybackBuilder {
public:
    PlaybackBuilder() = default;

    // Neither is owned; both must outlive Build.
    void SetMidiData(midi::MidiData* midiData) { midiData_ = midiData; }
    void SetScoreData(const tabulon::ScoreData* scoreData) { scoreData_ = scoreData; }

    // Empties the song and fills it from the score. False only when either is missing.
    bool Build();

    // The score's meters as song meters at the division: in bar order (records of one
    // bar in their given order, the last of them holding), negative bars taken as bar 0,
    // records with a numerator or denominator of zero or less passed over. Each record's
    // tick counts the bars before it in the meter then in force (4/4 before the first
    // record).
    static std::vector<midi::MidiMeterRecord> ConvertMeters(
        const std::vector<tabulon::MeterRecord>& meters, int division);

private:
    // The tick of an offset into a bar; never negative.
    int TickOf(int bar, std::int64_t offset) const;
    void AddKeys();
    void AddTempos();
    void BuildTrack(const tabulon::StaveData& stave, midi::MidiTrack& track) const;

    midi::MidiData* midiData_ = nullptr;
    const tabulon::ScoreData* scoreData_ = nullptr;
    midi::MeterMap meterMap_;
};

}  // namespace brindle
