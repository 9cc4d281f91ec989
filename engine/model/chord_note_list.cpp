#include "engine/model/chord_note_list.h"

#include <algorithm>
#include <utility>

#include "engine/model/note.h"
#include "engine/model/score_painter.h"

namespace quaverly {

namespace id = notification_id;

ChordNoteList::~ChordNoteList() = default;

void ChordNoteList::AddNote(NotePtr note)
{
    if (!note)
        return;
    note->SetChordMember(true);
    notes_.push_back(std::move(note));
}

void ChordNoteList::SortNotes()
{
    std::stable_sort(notes_.begin(), notes_.end(), [](const NotePtr& a, const NotePtr& b) {
        if (a->GetOctave() != b->GetOctave())
            return a->GetOctave() < b->GetOctave();
        return a->GetPitchCode() < b->GetPitchCode();
    });
}

void ChordNoteList::RemoveNote(const Note* note)
{
    const auto found = std::find_if(notes_.begin(), notes_.end(),
                                    [note](const NotePtr& entry) { return entry.get() == note; });
    if (found == notes_.end())
        return;
    (*found)->SetChordMember(false);
    notes_.erase(found);
}

ChordNoteList::NotePtr ChordNoteList::FindNote(const ScoreElement* element) const
{
    if (element == nullptr)
        return nullptr;
    for (const NotePtr& note : notes_) {
        if (note.get() == element)
            return note;
    }
    return nullptr;
}

// --- Records from the chord notes ---

int ChordNoteList::Notify(ElementNotification& notification)
{
    NotificationPayload* payload = notification.payload;
    const NotePtr note = FindNote(notification.sender);
    if (note) {
        switch (notification.id) {
            case id::kNoteDelete: {
                NotificationPayload removal;
                removal.element = note;
                return NotifyParent(id::kChordNoteDelete, &removal);
            }
            case id::kNoteSymbolDelete:
            case id::kSymbolMarkDelete:
                if (payload != nullptr)
                    payload->note = note;
                notification.id = notification.id == id::kNoteSymbolDelete
                                      ? id::kChordNoteSymbolDelete
                                      : id::kChordNoteSymbolMarkDelete;
                break;
            case id::kNoteSelected:
            case id::kNoteDeselected:
                if (payload != nullptr)
                    payload->element = note;
                break;
            case id::kNoteOffsetDrag:
            case id::kNoteOffsetChange: {
                NotificationPayload moved;
                if (payload != nullptr) {
                    moved.oldOffset = payload->oldOffset;
                    moved.newOffset = payload->newOffset;
                }
                moved.element = note;
                const bool step = notification.id == id::kNoteOffsetDrag;
                return NotifyParent(step ? id::kChordNoteDrag : id::kChordNoteRelease, &moved);
            }
            default:
                break;
        }
    }
    notification.sender = this;
    return EditableElement::Notify(notification);
}

// --- Measures, placing, layout ---

Rect ChordNoteList::GetExtent(ScorePainter& painter)
{
    int width = 0;
    int height = 0;
    for (const NotePtr& note : notes_) {
        const Rect extent = note->GetExtent(painter);
        width += extent.Width();
        height = std::max(height, extent.Height());
    }
    return {0, 0, width, height};
}

void ChordNoteList::PlaceNotes()
{
    const Point at = GetChildOrigin();
    for (const NotePtr& note : notes_)
        note->SetOrigin(at);
}

void ChordNoteList::SetOrigin(Point origin)
{
    EditableElement::SetOrigin(origin);
    PlaceNotes();
}

void ChordNoteList::SetPosition(Point position)
{
    EditableElement::SetPosition(position);
    PlaceNotes();
}

void ChordNoteList::Layout(ScorePainter& painter)
{
    EditableElement::Layout(painter);
    int stacked = 0;
    for (const NotePtr& note : notes_) {
        const Rect extent = note->GetExtent(painter);
        stacked += extent.top - extent.bottom - painter.GetChordNoteInterval();
        note->SetOrigin(GetChildOrigin());
        const Point offset = note->GetOffset();
        note->SetPosition({offset.x, offset.y + stacked});
        note->Layout(painter);
        note->SetParent(this);
    }
}

void ChordNoteList::Draw(ScorePainter& painter)
{
    EditableElement::Draw(painter);
    for (const NotePtr& note : notes_) {
        if (note->IsVisible())
            note->Draw(painter);
    }
}

bool ChordNoteList::HitTest(Point) const
{
    return false;
}

// --- Keys and pointer ---

namespace {

// Calls f on every note of a copy of the list, so a note that leaves the list meanwhile
// stays alive for its call.
template <class F>
void ForEachNote(const std::vector<std::shared_ptr<Note>>& notes, F&& f)
{
    const std::vector<std::shared_ptr<Note>> copy = notes;
    for (const auto& note : copy)
        f(*note);
}

}  // namespace

void ChordNoteList::OnKeyDown(int key, int flags)
{
    EditableElement::OnKeyDown(key, flags);
    ForEachNote(notes_, [&](Note& note) { note.OnKeyDown(key, flags); });
}

void ChordNoteList::OnInputEvent(int first, int second)
{
    EditableElement::OnInputEvent(first, second);
    ForEachNote(notes_, [&](Note& note) { note.OnInputEvent(first, second); });
}

void ChordNoteList::OnButtonDown(Point point, int flags, int& handled)
{
    EditableElement::OnButtonDown(point, flags, handled);
    ForEachNote(notes_, [&](Note& note) { note.OnButtonDown(point, flags, handled); });
}

void ChordNoteList::OnPointerMove(Point point, int flags)
{
    EditableElement::OnPointerMove(point, flags);
    ForEachNote(notes_, [&](Note& note) { note.OnPointerMove(point, flags); });
}

void ChordNoteList::OnButtonUp(Point point, int flags)
{
    EditableElement::OnButtonUp(point, flags);
    ForEachNote(notes_, [&](Note& note) { note.OnButtonUp(point, flags); });
}

}  // namespace quaverly
