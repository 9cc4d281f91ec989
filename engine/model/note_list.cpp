#include "engine/model/note_list.h"

#include <utility>

#include "engine/model/note.h"
#include "engine/model/pointer_list.h"

namespace quaverly {

namespace id = notification_id;

NoteList::NoteList(int noteDeleteId, int symbolMarkDeleteId)
    : noteDeleteId_(noteDeleteId), symbolMarkDeleteId_(symbolMarkDeleteId)
{
}

NoteList::~NoteList() = default;

void NoteList::AppendNote(NotePtr note)
{
    if (note)
        notes_.push_back(std::move(note));
}

NoteList::NotePtr NoteList::TakeNote(const Note* note)
{
    return TakeEntry(notes_, note);
}

NoteList::NotePtr NoteList::FindNote(const ScoreElement* element) const
{
    return element == nullptr ? nullptr : FindEntry(notes_, element);
}

// --- Records from the notes ---

int NoteList::Notify(ElementNotification& notification)
{
    NotificationPayload* payload = notification.payload;
    const NotePtr note = FindNote(notification.sender);
    if (note) {
        switch (notification.id) {
            case id::kNoteDelete: {
                NotificationPayload removal;
                removal.element = note;
                return NotifyParent(noteDeleteId_, &removal);
            }
            case id::kNoteSymbolDelete:
            case id::kSymbolMarkDelete:
                if (payload != nullptr)
                    payload->note = note;
                notification.id = notification.id == id::kNoteSymbolDelete
                                      ? id::kChordNoteSymbolDelete
                                      : symbolMarkDeleteId_;
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
                    moved.nudge = payload->nudge;
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

// --- Placing and drawing ---

void NoteList::SetOrigin(Point origin)
{
    EditableElement::SetOrigin(origin);
    PlaceNotes();
}

void NoteList::SetPosition(Point position)
{
    EditableElement::SetPosition(position);
    PlaceNotes();
}

void NoteList::Draw(ScorePainter& painter)
{
    EditableElement::Draw(painter);
    for (const NotePtr& note : notes_) {
        if (note->IsVisible())
            note->Draw(painter);
    }
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

void NoteList::OnKeyDown(int key, int flags)
{
    EditableElement::OnKeyDown(key, flags);
    ForEachNote(notes_, [&](Note& note) { note.OnKeyDown(key, flags); });
}

void NoteList::OnInputEvent(int first, int second)
{
    EditableElement::OnInputEvent(first, second);
    ForEachNote(notes_, [&](Note& note) { note.OnInputEvent(first, second); });
}

void NoteList::OnButtonDown(Point point, int flags, int& handled)
{
    EditableElement::OnButtonDown(point, flags, handled);
    ForEachNote(notes_, [&](Note& note) { note.OnButtonDown(point, flags, handled); });
}

void NoteList::OnPointerMove(Point point, int flags)
{
    EditableElement::OnPointerMove(point, flags);
    ForEachNote(notes_, [&](Note& note) { note.OnPointerMove(point, flags); });
}

void NoteList::OnButtonUp(Point point, int flags)
{
    EditableElement::OnButtonUp(point, flags);
    ForEachNote(notes_, [&](Note& note) { note.OnButtonUp(point, flags); });
}

}  // namespace quaverly
