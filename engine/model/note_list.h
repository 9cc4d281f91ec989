// What the chord-note list and the grace-note lists share: a list of ordinary notes
// that hang on one owning note.
//
// The notes are not in the child list: the list lays them out, draws them and forwards
// keys and pointer events to them, and makes itself their parent at layout.
//
// Notifications from the notes are translated so that the edit controller learns which
// note of which list is meant (the owning note adds the list on the way up):
// - 1001 (a note asks to be deleted) becomes the list's delete id {element: the note};
// - 1017 (a mark of a note deleted) goes up as 1018, 1021 (a symbol of a note deleted)
//   as the list's symbol-delete id, with the note in the note slot;
// - 1056, 1057 (a note selected or deselected) get the note as element;
// - 1061, 1062 (a note dragged or its offset changed) become 1065 and 1066
//   {old offset, new offset, element: the note}.
// Everything else goes up with the list as sender.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/model/editable_element.h"

namespace quaverly {

class Note;

class NoteList : public EditableElement {
public:
    using NotePtr = std::shared_ptr<Note>;

    NoteList(const NoteList&) = delete;
    ~NoteList() override;

    const std::vector<NotePtr>& GetNotes() const { return notes_; }

    int Notify(ElementNotification& notification) override;
    // Each stores the point, then places the notes (PlaceNotes).
    void SetOrigin(Point origin) override;
    void SetPosition(Point position) override;
    // Each is handled as an editable element first, then given to every note.
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    void OnButtonDown(Point point, int flags, int& handled) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    // Draws every visible note.
    void Draw(ScorePainter& painter) override;

protected:
    // The ids that a note's 1001 and 1021 become on their way up.
    NoteList(int noteDeleteId, int symbolMarkDeleteId);

    // Appends the note; a null note is ignored.
    void AppendNote(NotePtr note);
    // Removes the first entry holding the note and returns it; empty when it is absent.
    NotePtr TakeNote(const Note* note);
    // Stable sort of the notes on the ordering.
    template <class Less>
    void SortNotesBy(Less less)
    {
        std::stable_sort(notes_.begin(), notes_.end(), less);
    }
    // The entry holding the element, or an empty pointer.
    NotePtr FindNote(const ScoreElement* element) const;

private:
    // Gives the notes (and whatever else the list places with them) their origin.
    virtual void PlaceNotes() = 0;

    int noteDeleteId_;
    int symbolMarkDeleteId_;
    std::vector<NotePtr> notes_;
};

}  // namespace quaverly
