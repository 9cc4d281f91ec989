// The notes stacked on a note as a chord.
//
// Every note owns one list. It holds ordinary notes, drawn in the chord size (whoever
// adds a note gives it a ChordNoteStyle) and marked as chord members while they belong
// to the list (no underlines, continuation glyphs or lyrics of their own). The layout
// stacks them upward from the owning note, each one note height plus the chord interval
// above the previous, in list order, and further apart by the octave dots between two
// notes (those above the lower note, those below the upper one); sorting puts the lowest octave first and, within
// an octave, the lowest pitch code. A chord note's own drag offset moves it through its
// position. The list has no area of its own, so it never takes a press.
//
// Notifications from the chord notes are translated as NoteList describes, a chord
// note's 1001 becoming 1003 and its 1021 becoming 1023.
#pragma once

#include "engine/model/note_list.h"

namespace quaverly {

class ChordNoteList : public NoteList {
public:
    ChordNoteList();
    ~ChordNoteList() override;

    // Marks the note as a chord member and appends it; a null note is ignored.
    void AddNote(NotePtr note);
    // Stable sort on the octave, then on the pitch code, both ascending.
    void SortNotes();
    // Clears the note's chord-member mark and removes it; nothing when it is absent.
    void RemoveNote(const Note* note);

    // {0, 0, the sum of the notes' widths, the tallest note}.
    Rect GetExtent(ScorePainter& painter) override;
    // Never: the list has no area of its own.
    bool HitTest(Point point) const override;
    // Stacks the notes upward in list order, leaving room for octave dots (the owning
    // note is the list's parent, which the owner sets before it lays the list out); the
    // list's rectangle is not changed.
    void Layout(ScorePainter& painter) override;

private:
    // Gives every note the origin origin + position.
    void PlaceNotes() override;
};

}  // namespace quaverly
