// What the user chose for a new score in the new-score wizard: the header texts, the
// opening key, beat, tempo words and metronome mark, one staff per instrument, the staff
// groups and the bars per line. The program fills it and hands it to the editor, whose
// score-building command copies it whole and builds the score from it. A plain record:
// it owns its texts and lists.
#pragma once

#include <string>
#include <vector>

#include "engine/model/expression_text.h"
#include "engine/model/key_signature.h"
#include "engine/model/tempo_mark.h"
#include "engine/model/time_signature.h"

namespace quaverly {

// One staff of the new score: its instrument (MIDI program, or key number for a
// percussion staff), whether it is a percussion staff, and its MIDI channel 0-15.
struct NewScoreStaff {
    int instrument = 0;
    bool percussion = false;
    int channel = 0;

    friend bool operator==(const NewScoreStaff&, const NewScoreStaff&) = default;
};

// Staffs first .. last (indices into the staff list) joined by a brace or bracket of
// `kind` (0 a piano brace: the two staffs are linked as one instrument).
struct NewScoreStaffGroup {
    int firstStaff = 0;
    int lastStaff = 0;
    int kind = 0;

    friend bool operator==(const NewScoreStaffGroup&, const NewScoreStaffGroup&) = default;
};

struct NewScoreSettings {
    std::u16string title;
    std::u16string subtitle;
    std::u16string poet;  // the lyricist
    std::u16string composer;
    std::u16string copyright;
    std::u16string spareText;  // kept empty

    KeySignatureRecord key;              // {bar 0, fifths 0, major}
    TimeSignatureRecord timeSignature;   // {bar 0, 4, 4, common}
    ExpressionRecord tempoText;          // {bar 0, no words}
    bool exactTempo = false;             // the metronome mark is shown
    TempoMarkRecord tempo;               // {bar 0, a quarter note, 120}

    std::vector<NewScoreStaff> staves;
    std::vector<NewScoreStaffGroup> staffGroups;

    // 0: as many bars per line as fit the page width; else that many in every line.
    int barsPerLine = 0;

    friend bool operator==(const NewScoreSettings&, const NewScoreSettings&) = default;
};

}  // namespace quaverly
