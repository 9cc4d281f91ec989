// The grace notes drawn before or after a note.
//
// Every note owns two lists: one for the grace notes before it (drawn to its left, with
// a comma mark under them) and one for those after it (drawn to its right, with a dash
// mark). A list holds ordinary notes, drawn in the grace size (whoever adds a note gives
// it a GraceNoteStyle). It places them side by side, one grace interval apart, above
// the middle of the owning note, and joins those shorter than a quarter under shared
// underlines with its own beam group. The list's own rectangle is the strip under the
// grace notes where the mark is drawn; the user drags the whole list along x by it.
// A list without notes draws nothing and cannot be hit.
//
// Notifications from the grace notes are translated as NoteList describes, a grace
// note's 1001 becoming 1002 and its 1021 becoming 1024; a grace note's own generic move
// report (1059, 1060 with no element) ends here, since its 1061/1062 carries it. That
// drag goes up as 1065/1066 naming the grace note, as a chord note's does: passed up as
// 1061/1062, the bar would take the owning note (the record's sender by then) for the
// note that moved, and the recorded step would move the owner instead. The
// list's own moves (drag, release, nudge) go straight to the owning note with an empty
// element slot, which tells them apart from anything passed up from the grace notes;
// the note turns them into 1063 and 1064.
#pragma once

#include <memory>

#include "engine/model/note_list.h"

namespace quaverly {

class BeamGroup;

// Which side of the owning note a grace list draws on.
enum class GraceSide { kBefore, kAfter };

class GraceNoteList : public NoteList {
public:
    // An empty list, dragged along x only; its beam group draws in the grace size.
    explicit GraceNoteList(GraceSide side);
    ~GraceNoteList() override;

    GraceSide GetSide() const { return side_; }

    // Appends without sorting; a null note is ignored.
    void AddNote(NotePtr note);
    // Stable sort on the notes' start times.
    void SortNotes();
    // Removes the first entry holding the note; nothing when it is absent.
    void RemoveNote(const Note* note);
    const std::shared_ptr<BeamGroup>& GetBeamGroup() const { return beamGroup_; }

    // Drops a grace note's own generic move report, then translates as NoteList does.
    int Notify(ElementNotification& notification) override;
    // {0, 0, the notes' widths and grace intervals, the tallest note + the mark height}.
    Rect GetExtent(ScorePainter& painter) override;
    // The mark strip, and only while the list holds notes.
    bool HitTest(Point point) const override;
    // Places the notes left to right, then the list itself: before the note ending 50
    // units (plus one grace interval for two or more notes) left of it, after the note
    // at the note's height to the right; the rectangle becomes the mark strip.
    void Layout(ScorePainter& painter) override;
    // The grace notes, their shared underlines, and the mark under them.
    void Draw(ScorePainter& painter) override;

private:
    // The notes and the beam group are placed at the list's origin + position + offset,
    // where the layout puts them.
    void PlaceNotes() override;

    GraceSide side_;
    std::shared_ptr<BeamGroup> beamGroup_;
};

}  // namespace quaverly
