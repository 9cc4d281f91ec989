// Fills a score-data record (the neutral form that playback and MIDI file export work
// from) with the content of a score: the title, composer and poet texts, the time
// signatures (one 4/4 at bar 0 when the score has none), key signatures, tempo marks
// and tempo words, the bar count, and per part one stave holding one staff with the
// part's MIDI program, channel and name and one note record per sounding note.
//
// Note records carry the MIDI key, the bar, the start in the bar, the played length
// (dots and tuplet ratio included) with dotted 0 and tuplet 0, velocity 100 and a
// sequence number counting the staff's records from 0. Rests make no record. A chain of
// tied notes makes one record as long as the whole chain. Grace notes before a note end
// where the note starts; those that would start before the bar move back into the bars
// before it, and at the very start of the score the group starts at 0 instead. Grace
// notes after a note follow the note's sounding end; chord notes start with their note.
//
// Keys are spelled from the key's tonic, the inverse of PitchSpeller: the degree-1 note
// of the middle register is the tonic in octave 5 (one octave lower in flat keys), so a
// score in G plays "1" as G (67) and one in F as F (53).
//
// The engine reaches the record only through the score-data interfaces; it never
// creates one (the host does, with create_score_data, and releases it).
#pragma once

#include <cstdint>
#include <memory>

#include "scoredata/score_data.h"

namespace quaverly {

class Note;
class Part;
class Score;

class ScoreDataExporter {
public:
    explicit ScoreDataExporter(std::shared_ptr<const Score> score);

    // Adds the score's content to the record. False, with nothing added, when the score
    // or the record is missing.
    bool ExportScore(tabulon::ScoreData* data);
    // One part (its container under the score) into the stave.
    void ExportPart(const Part& part, tabulon::StaveData& stave);
    void ExportStaff(const Part& part, tabulon::StaffData& staff);

    // The MIDI key of a note: its degree spelled from the tonic of the key with that
    // many fifths, raised or lowered by its octave and accidental (1, 2, -1, -2; any
    // other code adds nothing). Type codes 8 and 10-13 sound as degree 7, unknown codes
    // as degree 1.
    static int KeyNumber(int typeCode, int accidental, int octave, int fifths);
    // The key in force at the bar, as its number of fifths; 0 before the first key.
    static int KeyFifthsAt(const Score& score, int bar);

private:
    // True for a note that sounds (not a rest, a dash or an unset note).
    static bool Sounds(const Note& note);
    void AddRecord(tabulon::StaffData& staff, const Note& note, int fifths, int bar,
                   std::int64_t start, std::int64_t duration);
    // The record of the note itself and those of its grace and chord notes.
    void ExportNote(tabulon::StaffData& staff, const Note& note, int fifths, int bar);
    void ExportGraceBefore(tabulon::StaffData& staff, const Note& note, int fifths, int bar);
    // The played length of the note and every note tied after it.
    static std::int64_t ChainLength(const Note& note);
    // The length of bar b in its time signature (4/4 before the first one).
    std::int64_t BarLength(int bar) const;

    std::shared_ptr<const Score> score_;
    int sequence_ = 0;
};

}  // namespace quaverly
