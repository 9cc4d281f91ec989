// Small MIDI songs built in code for the import tests, and a reading of imported staffs
// as the notes they sound.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <ostream>
#include <tuple>
#include <vector>

#include "midi/midi_data.h"
#include "midi/midi_records.h"
#include "scoredata/score_data.h"
#include "scoredata/staff_data.h"

namespace tabulon::testing {

struct ReleaseObject {
    template <typename T>
    void operator()(T* object) const
    {
        object->Release();
    }
};
template <typename T>
using Owned = std::unique_ptr<T, ReleaseObject>;

inline midi::MidiEvent NoteOn(std::int32_t tick, std::uint32_t key, std::uint32_t velocity = 100)
{
    return {tick, midi::kNoteOn | key << 8 | velocity << 16};
}

inline midi::MidiEvent NoteOff(std::int32_t tick, std::uint32_t key)
{
    return {tick, midi::kNoteOff | key << 8};
}

// One played note in MIDI ticks.
struct Played {
    std::int32_t tick = 0;
    std::int32_t length = 0;
    std::uint32_t key = 60;
};

// The note-ons and note-offs of the notes, in time order as a track holds them.
inline std::vector<midi::MidiEvent> EventsOf(const std::vector<Played>& notes)
{
    std::vector<midi::MidiEvent> events;
    for (const Played& note : notes) {
        events.push_back(NoteOn(note.tick, note.key));
        events.push_back(NoteOff(note.tick + note.length, note.key));
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.tick < b.tick; });
    return events;
}

inline midi::MidiMeterRecord Meter(std::int32_t tick, std::int32_t numerator, std::int32_t denominator)
{
    return {tick, numerator, denominator, 24, 8};
}

// A sounding note in score ticks from the start of the song.
struct Sounding {
    std::int32_t pitch = 0;
    std::int64_t start = 0;
    std::int64_t length = 0;

    friend bool operator==(const Sounding&, const Sounding&) = default;
    friend bool operator<(const Sounding& a, const Sounding& b)
    {
        return std::tie(a.start, a.pitch, a.length) < std::tie(b.start, b.pitch, b.length);
    }
    friend void PrintTo(const Sounding& s, std::ostream* os)
    {
        *os << "{pitch " << s.pitch << ", start " << s.start << ", length " << s.length << "}";
    }
};

// Where each bar starts in score ticks, from the score's meter records (4/4 before the
// first).
inline std::int64_t BarStart(const std::vector<MeterRecord>& meters, std::int32_t bar)
{
    std::int64_t start = 0;
    std::int32_t at = 0;
    std::int64_t length = 645120;
    for (const MeterRecord& meter : meters) {
        if (meter.bar > bar)
            break;
        start += (meter.bar - at) * length;
        at = meter.bar;
        length = std::int64_t{645120} / meter.denominator * meter.numerator;
    }
    return start + (bar - at) * length;
}

// What a staff sounds: every note that is not part of a tie chain, and every chain as
// one note from its first note's start to its last note's end.
inline std::vector<Sounding> SoundOf(const StaffData& staff, const std::vector<MeterRecord>& meters)
{
    std::vector<Sounding> sounds;
    auto startOf = [&](const NoteRecord& note) { return BarStart(meters, note.bar) + note.offset; };
    for (const NoteRecord& note : staff.GetNotes()) {
        bool tied = false;
        for (const TieChain& chain : staff.GetTieChains()) {
            for (const NoteRecord& other : chain.notes)
                tied = tied || note.IsSameNote(other);
        }
        if (!tied)
            sounds.push_back({note.pitch, startOf(note), note.SoundingLength()});
    }
    for (const TieChain& chain : staff.GetTieChains()) {
        if (chain.notes.empty())
            continue;
        const NoteRecord& first = chain.notes.front();
        const NoteRecord& last = chain.notes.back();
        sounds.push_back({first.pitch, startOf(first), startOf(last) + last.SoundingLength() - startOf(first)});
    }
    std::sort(sounds.begin(), sounds.end());
    return sounds;
}

}  // namespace tabulon::testing
