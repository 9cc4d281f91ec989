// Builds a score from a score-data record, the reverse of ScoreDataExporter: header
// texts, time and key signatures, tempo marks and tempo words, and one part per staff
// with its name, MIDI program and channel, its bars and its notes, spelled in the key in
// force with PitchSpeller. Notes of one staff that start together in a bar form a chord
// on the lowest of them; tuplet groups and tie chains are rebuilt over the notes.
//
// The record may come from a MIDI file, so every value is checked before it is used:
// a note record with a key outside 0-127, a bar outside the score, a negative start or
// a value that is not a positive note length is left out; programs and channels out of
// range keep the part's default; signatures the score refuses are passed over. The
// bar count is held to kMaxImportBars and raised to hold the last note record; at most
// kMaxImportParts staffs become parts. The meters are shown by the first part's bars,
// so that a document saved afterwards keeps them.
//
// The score is expected to be empty (the editor resets its document first); parts that
// already exist are reused and their bars replaced.
#pragma once

#include <cstdint>
#include <memory>

#include "scoredata/score_data.h"

namespace quaverly {

class Note;
class Part;
class Score;

inline constexpr int kMaxImportBars = 100000;
// Staffs after this many parts are not imported: a record from a damaged MIDI file may
// name thousands of tracks, each of which would hold every bar.
inline constexpr int kMaxImportParts = 256;

// The index of the highest set bit, 0 when none.
int HighestSetBit(std::uint32_t value);

class ScoreDataImporter {
public:
    ScoreDataImporter(std::shared_ptr<Score> score, const tabulon::ScoreData* data);

    // False when the score or the record is missing.
    bool ImportScore();
    void ImportStaff(Part& part, const tabulon::StaffData& staff, int barCount);
    // The note of one record in the key with that many fifths; empty for a record that
    // is left out.
    static std::shared_ptr<Note> ImportNote(const tabulon::NoteRecord& record, int fifths);

private:
    // The bar count of the record, raised to hold every usable note record and held to
    // kMaxImportBars.
    int BarCount() const;
    // Gives the first part's bars the meters of the table.
    void ShowMeters();

    std::shared_ptr<Score> score_;
    const tabulon::ScoreData* data_;
};

}  // namespace quaverly
