#include "engine/model/grace_note_list.h"

#include <algorithm>
#include <utility>

#include "engine/model/beam_group.h"
#include "engine/model/note.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_time.h"
#include "engine/model/score_painter.h"

namespace quaverly {

namespace id = notification_id;

namespace {

// How far the last grace note before a note ends left of the note's position.
constexpr int kBeforeGap = 50;

}  // namespace

GraceNoteList::GraceNoteList(GraceSide side)
    : side_(side), beamGroup_(std::make_shared<BeamGroup>())
{
    SetAxisMask(drag_axis::kX);
    beamGroup_->SetStyle(std::make_shared<GraceNoteStyle>());
}

GraceNoteList::~GraceNoteList() = default;

void GraceNoteList::AddNote(NotePtr note)
{
    if (note)
        notes_.push_back(std::move(note));
}

void GraceNoteList::SortNotes()
{
    std::stable_sort(notes_.begin(), notes_.end(), [](const NotePtr& a, const NotePtr& b) {
        return a->GetStartTime() < b->GetStartTime();
    });
}

void GraceNoteList::RemoveNote(const Note* note)
{
    const auto found = std::find_if(notes_.begin(), notes_.end(),
                                    [note](const NotePtr& entry) { return entry.get() == note; });
    if (found != notes_.end())
        notes_.erase(found);
}

GraceNoteList::NotePtr GraceNoteList::FindNote(const ScoreElement* element) const
{
    if (element == nullptr)
        return nullptr;
    for (const NotePtr& note : notes_) {
        if (note.get() == element)
            return note;
    }
    return nullptr;
}

// --- Records from the grace notes ---

int GraceNoteList::Notify(ElementNotification& notification)
{
    NotificationPayload* payload = notification.payload;
    const NotePtr note = FindNote(notification.sender);
    if (note) {
        switch (notification.id) {
            case id::kNoteDelete: {
                NotificationPayload removal;
                removal.element = note;
                return NotifyParent(id::kGraceNoteDelete, &removal);
            }
            case id::kNoteSymbolDelete:
            case id::kSymbolMarkDelete:
                if (payload != nullptr)
                    payload->note = note;
                notification.id = notification.id == id::kNoteSymbolDelete
                                      ? id::kChordNoteSymbolDelete
                                      : id::kGraceNoteSymbolMarkDelete;
                break;
            case id::kNoteSelected:
            case id::kNoteDeselected:
                if (payload != nullptr)
                    payload->element = note;
                break;
            case id::kMoveDragStep:
            case id::kMoveRequest:
                // The grace note's own move: its 1061/1062 reports it. Only moves of the
                // grace note's marks, lyrics and glyphs (element filled in) go on.
                if (payload == nullptr || !payload->element)
                    return 0;
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

Rect GraceNoteList::GetExtent(ScorePainter& painter)
{
    const Size mark = painter.GetSmallMarkSize();
    int width = 0;
    int height = 0;
    for (const NotePtr& note : notes_) {
        const Rect extent = note->GetExtent(painter);
        width += extent.Width() + painter.GetGraceNoteInterval();
        height = std::max(height, extent.Height());
    }
    return {0, 0, width, height + mark.cy};
}

void GraceNoteList::PlaceNotes()
{
    const Point at = GetAbsolutePoint();
    for (const NotePtr& note : notes_)
        note->SetOrigin(at);
    beamGroup_->SetOrigin(at);
}

void GraceNoteList::SetOrigin(Point origin)
{
    EditableElement::SetOrigin(origin);
    PlaceNotes();
}

void GraceNoteList::SetPosition(Point position)
{
    EditableElement::SetPosition(position);
    PlaceNotes();
}

void GraceNoteList::Layout(ScorePainter& painter)
{
    EditableElement::Layout(painter);
    beamGroup_->ClearChildren();

    const Size note = painter.GetNoteSize();
    const Size grace = painter.GetGraceNoteSize();
    const Size mark = painter.GetSmallMarkSize();

    int depth = 0;
    for (const NotePtr& entry : notes_)
        depth = std::max(depth, entry->GetDepthBelow(painter));
    const int y = note.cy / 2 - grace.cy - mark.cy - depth;

    int width = 0;
    int interval = 0;
    for (const NotePtr& entry : notes_) {
        const Rect extent = entry->GetExtent(painter);
        const int accidental =
            entry->GetStyle()->MeasureAccidental(painter, entry->GetAccidental()).cx;
        entry->SetPosition({width + accidental, 0});
        entry->Layout(painter);
        entry->SetParent(this);
        interval = painter.GetGraceNoteInterval();
        if (entry->GetDuration() < kTicksPerQuarter)
            beamGroup_->AddNote(entry);
        width += extent.Width() + interval;
    }

    if (side_ == GraceSide::kBefore) {
        if (notes_.size() == 1)
            width -= interval;
        SetPosition({-width - kBeforeGap, y});
    } else {
        SetPosition({note.cy, y});
    }

    PlaceNotes();
    beamGroup_->SetParent(this);
    beamGroup_->Layout(painter);

    SetRect({0, depth + grace.cy, width, depth + grace.cy + mark.cy});
}

void GraceNoteList::Draw(ScorePainter& painter)
{
    EditableElement::Draw(painter);
    for (const NotePtr& note : notes_) {
        if (note->IsVisible())
            note->Draw(painter);
    }
    if (beamGroup_->IsVisible())
        beamGroup_->Draw(painter);
    if (notes_.empty())
        return;

    const Size mark = painter.GetSmallMarkSize();
    const Rect r = GetRect();
    const Rect strip =
        Rect{r.left, r.bottom - mark.cy, r.right, r.bottom}.Moved(GetAbsolutePoint());
    if (side_ == GraceSide::kBefore)
        painter.DrawCommaMark(strip, GetColor());
    else
        painter.DrawDashMark(strip, GetColor());
}

bool GraceNoteList::HitTest(Point point) const
{
    return !notes_.empty() && EditableElement::HitTest(point);
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

void GraceNoteList::OnKeyDown(int key, int flags)
{
    EditableElement::OnKeyDown(key, flags);
    ForEachNote(notes_, [&](Note& note) { note.OnKeyDown(key, flags); });
}

void GraceNoteList::OnInputEvent(int first, int second)
{
    EditableElement::OnInputEvent(first, second);
    ForEachNote(notes_, [&](Note& note) { note.OnInputEvent(first, second); });
}

void GraceNoteList::OnButtonDown(Point point, int flags, int& handled)
{
    EditableElement::OnButtonDown(point, flags, handled);
    ForEachNote(notes_, [&](Note& note) { note.OnButtonDown(point, flags, handled); });
}

void GraceNoteList::OnPointerMove(Point point, int flags)
{
    EditableElement::OnPointerMove(point, flags);
    ForEachNote(notes_, [&](Note& note) { note.OnPointerMove(point, flags); });
}

void GraceNoteList::OnButtonUp(Point point, int flags)
{
    EditableElement::OnButtonUp(point, flags);
    ForEachNote(notes_, [&](Note& note) { note.OnButtonUp(point, flags); });
}

}  // namespace quaverly
