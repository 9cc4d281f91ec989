// A rectangular piece of a score (a range of parts times a range of bars) as it travels
// through the clipboard: staves in part order, bars in bar order, and per bar the notes
// and rests in start-time order, each with its chord notes and its grace notes before
// and after it.
//
// Every note is held as a NoteUnit of seven 32-bit values; the byte form of a fragment
// (score_fragment_writer.h, score_fragment_reader.h) stores each unit as these 28 bytes,
// little-endian, in field order.
#pragma once

#include <cstdint>
#include <vector>

namespace quaverly {

// One note or rest of a fragment.
struct NoteUnit {
    std::int32_t startTime = 0;  // inside the bar, 161280 to a quarter note
    std::int32_t typeCode = 0;   // 1 rest, 2-8 the degrees 1-7, 10-13 the special symbols
    std::int32_t duration = 0;   // base value before dots and tuplets
    std::int32_t octave = 0;     // 0 the middle register
    std::int32_t dots = 0;
    std::int32_t accidental = 0;
    std::int32_t kind = 0;       // the note style: 0 normal, 1 small, 2 grace

    friend bool operator==(const NoteUnit&, const NoteUnit&) = default;
};

inline constexpr std::size_t kNoteUnitFieldCount = 7;
inline constexpr std::size_t kNoteUnitSize = kNoteUnitFieldCount * 4;

// A note or rest of the bar with what hangs on it.
struct FragmentEntry {
    NoteUnit main;
    std::vector<NoteUnit> chordNotes;
    std::vector<NoteUnit> graceBefore;
    std::vector<NoteUnit> graceAfter;

    friend bool operator==(const FragmentEntry&, const FragmentEntry&) = default;
};

using FragmentBar = std::vector<FragmentEntry>;
using FragmentStave = std::vector<FragmentBar>;

struct ScoreFragment {
    std::vector<FragmentStave> staves;

    bool IsEmpty() const { return staves.empty(); }

    friend bool operator==(const ScoreFragment&, const ScoreFragment&) = default;
};

}  // namespace quaverly
