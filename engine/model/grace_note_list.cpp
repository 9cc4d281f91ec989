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
    : NoteList(id::kGraceNoteDelete, id::kGraceNoteSymbolMarkDelete),
      side_(side),
      beamGroup_(std::make_shared<BeamGroup>())
{
    SetAxisMask(drag_axis::kX);
    beamGroup_->SetStyle(SharedGraceNoteStyle());
}

GraceNoteList::~GraceNoteList() = default;

void GraceNoteList::AddNote(NotePtr note)
{
    AppendNote(std::move(note));
}

void GraceNoteList::SortNotes()
{
    SortNotesBy([](const NotePtr& a, const NotePtr& b) {
        return a->GetStartTime() < b->GetStartTime();
    });
}

void GraceNoteList::RemoveNote(const Note* note)
{
    TakeNote(note);
}

// --- Records from the grace notes ---

int GraceNoteList::Notify(ElementNotification& notification)
{
    // The grace note's own move: its 1061/1062 reports it. Only moves of the grace
    // note's marks, lyrics and glyphs (element filled in) go on.
    const bool move =
        notification.id == id::kMoveDragStep || notification.id == id::kMoveRequest;
    const NotificationPayload* payload = notification.payload;
    if (move && FindNote(notification.sender) && (payload == nullptr || !payload->element))
        return 0;
    return NoteList::Notify(notification);
}

// --- Measures, placing, layout ---

Rect GraceNoteList::GetExtent(ScorePainter& painter)
{
    const Size mark = painter.GetSmallMarkSize();
    int width = 0;
    int height = 0;
    for (const NotePtr& note : GetNotes()) {
        const Rect extent = note->GetExtent(painter);
        width += extent.Width() + painter.GetGraceNoteInterval();
        height = std::max(height, extent.Height());
    }
    return {0, 0, width, height + mark.cy};
}

void GraceNoteList::PlaceNotes()
{
    const Point at = GetAbsolutePoint();
    for (const NotePtr& note : GetNotes())
        note->SetOrigin(at);
    beamGroup_->SetOrigin(at);
}

void GraceNoteList::Layout(ScorePainter& painter)
{
    NoteList::Layout(painter);
    beamGroup_->ClearChildren();

    const Size note = painter.GetNoteSize();
    const Size grace = painter.GetGraceNoteSize();
    const Size mark = painter.GetSmallMarkSize();

    int depth = 0;
    for (const NotePtr& entry : GetNotes())
        depth = std::max(depth, entry->GetDepthBelow(painter));
    const int y = note.cy / 2 - grace.cy - mark.cy - depth;

    int width = 0;
    int interval = 0;
    for (const NotePtr& entry : GetNotes()) {
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
        if (GetNotes().size() == 1)
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
    NoteList::Draw(painter);
    if (beamGroup_->IsVisible())
        beamGroup_->Draw(painter);
    if (GetNotes().empty())
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
    return !GetNotes().empty() && NoteList::HitTest(point);
}

}  // namespace quaverly
