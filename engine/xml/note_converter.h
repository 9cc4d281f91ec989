// A "note" of a measure: a main note or rest, a note stacked on the previous main note
// as a chord, or a grace note before or after a main note, with its pitch ("step" C to
// B for the degrees 1 to 7 whatever the key, "X" to "X3" for the unpitched symbols,
// "alter" the accidental code, "octave" the octave register + 4), its value ("type",
// "dot"s, "time-modification" for a tuplet), its "accidental", its drawing "size", its
// "notations" (tuplet start, ties, marks, user symbols) and its five verses of
// "lyric". "duration" is written from the base value in the document's divisions.
//
// Reading files each note by its role and keeps the links between notes in the
// document context, per staff, from one measure to the next: grace notes before a main
// note wait for it, a tie started waits for the note that ends it. A note on "staff" 2
// or higher goes to the pending part that becomes the part's second staff. Of the
// notes of one staff only the lowest "voice" seen so far is kept. What is checked:
// - the reading position moves on by each main note's played length (its value, dots
//   and time modification), not by "duration", so what follows a dotted note or a
//   tuplet keeps its place; a note dropped by the voice filter moves it too;
// - a note without "type" takes the longest note value its "duration" holds, so that it
//   writes back as it was read; one whose value comes to 0 (no "type" and no positive
//   "duration") is not filed;
// - a chord note or a grace note after its main note with no main note before it in
//   its part is passed over;
// - durations are converted in 64 bits and every value is held to the note's ranges;
// - a tie started again before it ended is dropped, as is one still open at the end of
//   its part (the document reader drops that one);
// - a tuplet needs counts above 0.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class Bar;
class Note;

class NoteConverter : public XmlConverter {
public:
    // Reading: the measure's new bar and the part's container. Writing: also the note.
    NoteConverter(std::shared_ptr<Bar> bar, std::shared_ptr<ScoreElement> partEntry)
        : bar_(std::move(bar)), partEntry_(std::move(partEntry))
    {
    }
    NoteConverter(std::shared_ptr<Note> note, std::shared_ptr<Bar> bar,
                  std::shared_ptr<ScoreElement> partEntry)
        : note_(std::move(note)), bar_(std::move(bar)), partEntry_(std::move(partEntry))
    {
    }

    // Writing: at most one of the three.
    void SetChord(bool chord) { chord_ = chord; }
    void SetGraceBefore(bool grace) { graceBefore_ = grace; }
    void SetGraceAfter(bool grace) { graceAfter_ = grace; }

    void Read() override;
    void Write() override;

    // The note read (empty when the element made none).
    const std::shared_ptr<Note>& GetNote() const { return note_; }

    // How far the reader of a written note moves on: the played length of the value
    // it reads back.
    static std::int64_t ReadBackLength(const Note& note);
    // The value the written "type" names: the note's own, or for a cut note the shortest
    // value that holds it.
    static int WrittenType(const Note& note);

private:
    std::shared_ptr<Note> note_;
    std::shared_ptr<Bar> bar_;
    std::shared_ptr<ScoreElement> partEntry_;
    bool chord_ = false;
    bool graceBefore_ = false;
    bool graceAfter_ = false;
};

// "pitch": step, alter and octave of the note.
class PitchConverter : public XmlConverter {
public:
    explicit PitchConverter(std::shared_ptr<Note> note) : note_(std::move(note)) {}
    void Read() override;
    void Write() override;

private:
    std::shared_ptr<Note> note_;
};

// "lyric": one verse ("number" 1 to 5) of the note. A "syllabic" of "begin" or "middle"
// adds the hyphen that the program keeps at the end of the text; the writer writes the
// text as it is, hyphen included.
class LyricConverter : public XmlConverter {
public:
    explicit LyricConverter(std::shared_ptr<Note> note) : note_(std::move(note)) {}
    void Read() override;
    // Every verse that has a text.
    void Write() override;

private:
    std::shared_ptr<Note> note_;
};

}  // namespace quaverly
