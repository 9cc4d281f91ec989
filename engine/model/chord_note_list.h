// The notes stacked on a note as a chord.
//
// Every note owns one list. It holds ordinary notes, drawn in the chord size (whoever
// adds a note gives it a ChordNoteStyle) and marked as chord members while they belong
// to the list (no underlines, continuation glyphs or lyrics of their own). The layout
// stacks them upward from the owning note, each one note height plus the chord interval
// above the previous, in list order; sorting puts the lowest octave first and, within
// an octave, the lowest pitch code. A chord note's own drag offset moves it through its
// position.
//
// The chord notes are not in the child list: the list lays them out, draws them and
// forwards keys and pointer events to them, and makes itself their parent at layout.
// The list has no area of its own, so it never takes a press.
//
// Notifications from the chord notes are translated so that the edit controller learns
// which chord note of which list is meant (the owning note adds the list on the way up):
// - 1001 (a chord note asks to be deleted) becomes 1003 {element: the chord note};
// - 1017 and 1021 (a mark or symbol of a chord note deleted) go up as 1018 and 1023
//   with the chord note in the note slot;
// - 1056, 1057 (a chord note selected or deselected) get the chord note as element;
// - 1061, 1062 (a chord note dragged or its offset changed) become 1065 and 1066
//   {old offset, new offset, element: the chord note}.
// Everything else goes up with the list as sender.
#pragma once

#include <memory>
#include <vector>

#include "engine/model/editable_element.h"

namespace quaverly {

class Note;

class ChordNoteList : public EditableElement {
public:
    using NotePtr = std::shared_ptr<Note>;

    ChordNoteList() = default;
    ChordNoteList(const ChordNoteList&) = delete;
    ~ChordNoteList() override;

    // Marks the note as a chord member and appends it; a null note is ignored.
    void AddNote(NotePtr note);
    // Stable sort on the octave, then on the pitch code, both ascending.
    void SortNotes();
    // Clears the note's chord-member mark and removes it; nothing when it is absent.
    void RemoveNote(const Note* note);
    const std::vector<NotePtr>& GetNotes() const { return notes_; }

    int Notify(ElementNotification& notification) override;
    // {0, 0, the sum of the notes' widths, the tallest note}.
    Rect GetExtent(ScorePainter& painter) override;
    // Each stores the point, then gives every note the origin origin + position.
    void SetOrigin(Point origin) override;
    void SetPosition(Point position) override;
    // Each is handled as an editable element first, then given to every chord note.
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    void OnButtonDown(Point point, int flags, int& handled) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    // Never: the list has no area of its own.
    bool HitTest(Point point) const override;
    // Stacks the notes upward in list order; the list's rectangle is not changed.
    void Layout(ScorePainter& painter) override;
    // Draws every chord note.
    void Draw(ScorePainter& painter) override;

private:
    NotePtr FindNote(const ScoreElement* element) const;
    void PlaceNotes();

    std::vector<NotePtr> notes_;
};

}  // namespace quaverly
