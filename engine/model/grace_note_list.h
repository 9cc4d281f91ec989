// The grace notes drawn before or after a note.
//
// Every note owns two lists: one for the grace notes before it (drawn to its left, with
// a comma mark under them) and one for those after it (drawn to its right, with a dash
// mark). A list holds ordinary notes, drawn in the grace size (whoever adds a note gives
// it a GraceNoteStyle). It places them side by side, one grace interval apart, above
// the middle of the owning note, and joins those shorter than a quarter under shared
// underlines with its own beam group. The list's own rectangle is the strip under the
// grace notes where the mark is drawn; the user drags the whole list along x by it.
//
// The grace notes are not in the child list: the list lays them out, draws them and
// forwards keys and pointer events to them, and makes itself their parent at layout.
// A list without notes draws nothing and cannot be hit.
//
// Notifications from the grace notes are translated so that the edit controller learns
// which grace note of which list is meant (the owning note adds the list on the way up):
// - 1001 (a grace note asks to be deleted) becomes 1002 {element: the grace note};
// - 1017 and 1021 (a mark or symbol of a grace note deleted) go up as 1018 and 1024
//   with the grace note in the note slot;
// - 1056, 1057 (a grace note selected or deselected) get the grace note as element;
// - 1061, 1062 (a grace note dragged or its offset changed) become 1065 and 1066
//   {old offset, new offset, element: the grace note}; a grace note's own generic move
//   report (1059, 1060 with no element) ends here, since its 1061/1062 carries it.
// Everything else goes up with the list as sender. The list's own moves (drag, release,
// nudge) go straight to the owning note with an empty element slot, which tells them
// apart from anything passed up from the grace notes; the note turns them into 1063
// and 1064.
#pragma once

#include <memory>
#include <vector>

#include "engine/model/editable_element.h"

namespace quaverly {

class BeamGroup;
class Note;

// Which side of the owning note a grace list draws on.
enum class GraceSide { kBefore, kAfter };

class GraceNoteList : public EditableElement {
public:
    using NotePtr = std::shared_ptr<Note>;

    // An empty list, dragged along x only; its beam group draws in the grace size.
    explicit GraceNoteList(GraceSide side);
    GraceNoteList(const GraceNoteList&) = delete;
    ~GraceNoteList() override;

    GraceSide GetSide() const { return side_; }

    // Appends without sorting; a null note is ignored.
    void AddNote(NotePtr note);
    // Stable sort on the notes' start times.
    void SortNotes();
    // Removes the first entry holding the note; nothing when it is absent.
    void RemoveNote(const Note* note);
    const std::vector<NotePtr>& GetNotes() const { return notes_; }
    const std::shared_ptr<BeamGroup>& GetBeamGroup() const { return beamGroup_; }

    int Notify(ElementNotification& notification) override;
    // {0, 0, the notes' widths and grace intervals, the tallest note + the mark height}.
    Rect GetExtent(ScorePainter& painter) override;
    // Each stores the point; the notes and the beam group are placed at the list's
    // origin + position + offset, where the layout puts them.
    void SetOrigin(Point origin) override;
    void SetPosition(Point position) override;
    // Each is handled as an editable element first, then given to every grace note.
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    void OnButtonDown(Point point, int flags, int& handled) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    // The mark strip, and only while the list holds notes.
    bool HitTest(Point point) const override;
    // Places the notes left to right, then the list itself: before the note ending 50
    // units (plus one grace interval for two or more notes) left of it, after the note
    // at the note's height to the right; the rectangle becomes the mark strip.
    void Layout(ScorePainter& painter) override;
    // The grace notes, their shared underlines, and the mark under them.
    void Draw(ScorePainter& painter) override;

private:
    // The entry holding the element, or an empty pointer.
    NotePtr FindNote(const ScoreElement* element) const;
    void PlaceNotes();

    GraceSide side_;
    std::vector<NotePtr> notes_;
    std::shared_ptr<BeamGroup> beamGroup_;
};

}  // namespace quaverly
