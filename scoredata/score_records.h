// The records of the neutral score data. Positions and lengths count 645120 units per
// whole note (161280 per quarter, 5040 per 128th); bars are numbered from 0; texts are
// UTF-16.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace tabulon {

constexpr std::int32_t kUnitsPerWhole = 645120;
constexpr std::int32_t kUnitsPerQuarter = 161280;

// One note.
struct NoteRecord {
    std::int32_t sequence = 0;  // order number given by the writer
    std::int32_t pitch = 0;     // MIDI note number
    std::int32_t bar = 0;
    std::int32_t offset = 0;    // position in the bar
    std::int32_t value = 0;     // written note value, 1290240 (breve) down to 5040 (128th)
    std::uint8_t dotted = 0;    // 1: one augmentation dot
    std::int32_t tuplet = 0;    // tuplet number (3 for a triplet), 0 outside tuplets
    std::int32_t velocity = 100;  // 100 when the writer has none

    // The played length: the value, times 3/2 when dotted (value + value / 2); in a
    // tuplet of t notes further times the largest power of two below t (1 when t <= 2)
    // and divided by t, so a triplet eighth sounds 2/3 of an eighth.
    std::int32_t SoundingLength() const
    {
        std::int64_t length = value;
        if (dotted != 0)
            length += length / 2;
        if (tuplet > 0) {
            std::int64_t normal = 1;
            while (normal * 2 < tuplet)
                normal *= 2;
            length = length * normal / tuplet;
        }
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(length, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max()));
    }

    // The same written note at the same place: pitch, bar, offset, value, dot and tuplet
    // (sequence and velocity are not compared).
    bool IsSameNote(const NoteRecord& other) const
    {
        return pitch == other.pitch && bar == other.bar && offset == other.offset &&
               value == other.value && dotted == other.dotted && tuplet == other.tuplet;
    }
};

// A time signature from that bar on; the denominator is the plain note value.
struct MeterRecord {
    std::int32_t bar = 0;
    std::int32_t numerator = 0;
    std::int32_t denominator = 0;
    std::uint8_t flag = 0;
};

// A key signature from that bar on: sharps positive, flats negative.
struct KeyRecord {
    std::int32_t bar = 0;
    std::int32_t key = 0;
    std::uint8_t major = 0;
};

// A tempo from that bar on: beatsPerMinute beats of beatLength units each, so quarter
// notes per minute = beatsPerMinute * beatLength / 161280.
struct TempoRecord {
    std::int32_t bar = 0;
    std::int32_t beatsPerMinute = 0;
    std::int32_t beatLength = 0;
};

// A tempo word at that bar.
struct TempoTextRecord {
    std::int32_t bar = 0;
    std::u16string text;
};

// One lyric syllable at that bar and offset.
struct LyricRecord {
    std::int32_t bar = 0;
    std::int32_t offset = 0;
    std::u16string text;
};

// Notes tied into one sounding note, in time order.
struct TieChain {
    std::vector<NoteRecord> notes;
};

// Notes forming one tuplet group; count = the number of note positions in the group.
struct TupletGroup {
    std::int32_t count = 0;
    std::vector<NoteRecord> notes;
};

}  // namespace tabulon
