// A tuplet: notes played as a number of actual notes in the time of a number of normal
// notes (a triplet is 3 in the time of 2).
//
// The tuplet writes its two counts into every note it takes (Note::SetTupletActual,
// Note::SetTupletNormal); the played lengths follow from them (GetNoteDuration). It
// holds its first note and the further notes by shared pointers. The bar's layout
// gives it the bracket's two ends; the tuplet draws the bracket with the actual count
// as its number. It can be selected, dragged up and down (y only) and deleted.
//
// Counts are held to 0..note_limits::kMaxTupletCount, as the notes hold them. Times and
// lengths are computed in 64 bits and held to the int range. A tuplet without a first
// note starts at 0 and has a unit length of 0.
//
// Notification: Delete sends 1004 with an empty payload that the bar fills with the
// tuplet and its first note.
#pragma once

#include <memory>
#include <vector>

#include "engine/model/editable_element.h"

namespace quaverly {

class Note;

class Tuplet : public EditableElement {
public:
    Tuplet();  // counts 0 and 0
    Tuplet(int actual, int normal);
    Tuplet(const Tuplet&) = delete;

    // Stores both counts, resets the bracket height to 0 and the drag axis to y only.
    void SetCounts(int actual, int normal);
    // Each stores one count; the notes already taken keep theirs.
    void SetActualCount(int actual);
    void SetNormalCount(int normal);
    int GetActualCount() const { return actual_; }
    int GetNormalCount() const { return normal_; }

    // Writes the counts into the note and keeps it as the note the tuplet starts on.
    void SetFirstNote(std::shared_ptr<Note> note);
    const std::shared_ptr<Note>& GetFirstNote() const { return firstNote_; }
    // Writes the counts into the note and appends it to the further notes; a null note
    // is ignored.
    void AddNote(std::shared_ptr<Note> note);
    // The further notes (the first note is not among them).
    const std::vector<std::shared_ptr<Note>>& GetNotes() const { return notes_; }
    // Empties the further notes and leaves every count alone: the layout retimes the
    // bar and adds the notes that now fall inside the tuplet again.
    void ClearNotes() { notes_.clear(); }

    // The first note's start time.
    int GetStartTime() const;
    // The first note's base length with its dots: each dot k adds base / 2^k, the sum
    // truncated after each addition. No tuplet ratio.
    int GetUnitLength() const;
    // Unit length x normal count + start time.
    int GetEndTime() const;

    // The bracket's ends, set by the bar's layout; only the end's x is used.
    void SetBracketStart(Point point) { bracketStart_ = point; }
    Point GetBracketStart() const { return bracketStart_; }
    void SetBracketEnd(Point point) { bracketEnd_ = point; }
    Point GetBracketEnd() const { return bracketEnd_; }
    // The bracket's height, measured by the last layout.
    int GetBracketHeight() const { return bracketHeight_; }

    // Sets both counts of the first note and of every further note to 0, drops the
    // first note and empties the further notes.
    void ClearChildren() override;
    // Sends 1004 with an empty payload.
    void DeleteSelected() override;
    // Hits the number's box centred over the bracket, or the bracket itself between
    // its ends and up to its height above the start's y; all edges inside.
    bool HitTest(Point point) const override;
    // The rectangle becomes the size of the number; the bracket height is measured.
    void Layout(ScorePainter& painter) override;
    // The children, then the bracket with its number from the bracket start to the
    // bracket end's x, moved by origin + position + offset.
    void Draw(ScorePainter& painter) override;

private:
    int bracketHeight_ = 0;
    int actual_ = 0;
    int normal_ = 0;
    std::shared_ptr<Note> firstNote_;
    std::vector<std::shared_ptr<Note>> notes_;
    Point bracketStart_;
    Point bracketEnd_;
};

}  // namespace quaverly
