#include "engine/layout/track_mark_views.h"

#include <algorithm>

#include "engine/layout/line_mark_geometry.h"
#include "engine/layout/line_mark_view_factory.h"
#include "engine/layout/tie_view_group.h"
#include "engine/model/bar.h"
#include "engine/model/line_mark.h"
#include "engine/model/note.h"
#include "engine/model/part.h"
#include "engine/model/score_painter.h"
#include "engine/model/tie.h"

namespace quaverly {

namespace {

// A note's place on the row: its position plus that of the element holding it.
Point NoteOnRow(const NoteAnchor& anchor)
{
    return OffsetPoint(anchor.note->GetPosition(), anchor.owner->GetPosition());
}

}  // namespace

std::shared_ptr<Note> FindFirstElementAfter(const Bar& bar, int time)
{
    const std::vector<Bar::NotePtr>& notes = bar.GetNotes();
    if (time == -1)
        return notes.empty() ? nullptr : notes.front();
    const auto found = std::find_if(notes.begin(), notes.end(), [time](const Bar::NotePtr& n) {
        return n && n->GetStartTime() > time;
    });
    return found == notes.end() ? nullptr : *found;
}

void TrackMarkViews::Clear()
{
    tieViews_.clear();
    lineMarkViews_.clear();
}

bool TrackMarkViews::HasBarInRange(const ScoreElement* bar) const
{
    if (!part_ || !bar)
        return false;
    // Only the row's own bars are compared: every tie asks, on every row.
    const int end = std::min(range_.end, part_->GetChildCount());
    for (int i = std::max(range_.first, 0); i < end; ++i) {
        if (part_->GetChild(i).get() == bar)
            return true;
    }
    return false;
}

NoteAnchor FindOpenTieEnd(const Part& part, const Tie& tie)
{
    const NoteAnchor& start = tie.GetStart();
    const auto startBar = std::dynamic_pointer_cast<Bar>(start.owner);
    if (!startBar || !start.note)
        return {};
    int k = -1;
    const int count = part.GetChildCount();
    for (int i = 0; i < count && k < 0; ++i) {
        if (part.GetChild(i) == startBar)
            k = i;
    }
    if (k < 0)
        return {};
    std::shared_ptr<Bar> endBar = startBar;
    std::shared_ptr<Note> next = FindFirstElementAfter(*startBar, start.note->GetStartTime());
    if (!next) {
        endBar = GetPartBar(part, k + 1);
        next = endBar ? FindFirstElementAfter(*endBar, -1) : nullptr;
    }
    if (!next || next->GetPitchCode() != start.note->GetPitchCode())
        return {};
    return {endBar, next};
}

void TrackMarkViews::BuildTieViews(ScoreElement& row, ScorePainter& painter)
{
    tieViews_.clear();
    if (!part_)
        return;
    const Point origin = row.GetAbsolutePoint();
    const Size note = painter.GetNoteSize();
    const Point slur = painter.GetFlatSlurOffset();

    // The row's own bars, looked up once: every tie of the part is checked against them,
    // and most ties of a long score lie on other rows.
    std::vector<const ScoreElement*> rowBars;
    for (int i = std::max(range_.first, 0); i < std::min(range_.end, part_->GetChildCount()); ++i)
        rowBars.push_back(part_->GetChild(i).get());
    const auto onRow = [&rowBars](const ScoreElement* bar) {
        return bar != nullptr && std::find(rowBars.begin(), rowBars.end(), bar) != rowBars.end();
    };

    // The list is only read here, so it is walked as it stands: a long score has many
    // ties, and copying them all for every row costs more than the row.
    for (const std::shared_ptr<Tie>& tie : part_->GetTies()) {
        if (!tie)
            continue;
        if (!onRow(tie->GetStart().owner.get()) && !onRow(tie->GetEnd().owner.get()))
            continue;  // neither end on this row
        const NoteAnchor& start = tie->GetStart();
        const NoteAnchor& end = tie->GetEnd();
        if (!start.owner || !start.note)
            continue;

        std::shared_ptr<TieViewGroup> view;
        const auto endsInRange = [this](const NoteAnchor& anchor) {
            return anchor.note && anchor.owner && HasBarInRange(anchor.owner.get());
        };
        if (HasBarInRange(start.owner.get())) {
            const NoteAnchor& current = end;
            const Point from = NoteOnRow(start);
            const int x = from.x + 2 * note.cx / 3;
            const Point at{x + slur.x, from.y - start.note->GetHeightAbove(painter) + slur.y};
            if (endsInRange(current)) {
                view = std::make_shared<TieView>();
                view->SetLength(NoteOnRow(current).x + note.cx / 3 - x);
            } else if (current.note) {
                view = std::make_shared<TieStartView>();
                const Rect bar = start.owner->GetRect();
                view->SetLength(bar.Width() - (start.note->GetPosition().x + 2 * note.cx / 3));
            } else {
                view = std::make_shared<TieView>();
                view->SetLength(2 * note.cy);
            }
            view->SetPosition(at);
        } else if (endsInRange(end)) {
            // The tie comes from an earlier row: the piece starts at the row's left edge.
            view = std::make_shared<TieEndView>();
            const Point to = NoteOnRow(end);
            view->SetPosition({0, to.y - start.note->GetHeightAbove(painter) + slur.y});
            view->SetLength(end.note->GetPosition().x + note.cx / 3);
        }
        if (!view)
            continue;
        view->BindModelElement(tie);
        view->SetParent(&row);
        view->Layout(painter);
        view->SetOrigin(origin);
        view->SetOffset(tie->GetOffset());
        tieViews_.push_back(view);
    }
}

void TrackMarkViews::BuildLineMarkViews(ScoreElement& row, ScorePainter& painter)
{
    lineMarkViews_.clear();
    if (!part_)
        return;
    const Point origin = row.GetAbsolutePoint();
    const int barCount = GetPartBarCount(*part_);
    // A copy: making the views may change the part's list.
    const std::vector<std::shared_ptr<LineMark>> marks = part_->GetLineMarks();
    for (const std::shared_ptr<LineMark>& mark : marks) {
        if (!mark)
            continue;
        const int s = mark->GetBar();
        if (s < 0 || s >= barCount)
            continue;  // a mark on a bar the part does not have shows nowhere
        const BarTime end = FindBarAtTime(*part_, s, mark->GetTimePosition(), mark->GetDuration());
        const int e = end.bar;
        int segment = -1;
        if (range_.Contains(s))
            segment = range_.Contains(e) ? line_mark_segment::kWhole : line_mark_segment::kStart;
        else if (range_.Contains(e) && !(e == range_.first && end.time <= 0))
            segment = line_mark_segment::kEnd;  // (one ending at the row's very start has
                                                // nothing on this row: no empty piece)
        else if (s < range_.first && e >= range_.end)
            segment = line_mark_segment::kMiddle;
        if (segment < 0)
            continue;
        const std::shared_ptr<LineMarkView> view = MakeLineMarkView(mark.get(), segment);
        if (!view)
            continue;
        view->SetSegment(segment);
        view->SetOrigin(origin);
        view->SetPart(part_);
        view->SetLineMark(mark);
        view->SetBarRange(range_.first, range_.end);
        view->SetOffset(mark->GetOffset());
        view->SetParent(&row);
        view->Layout(painter);
        if (mark->GetState() == element_state::kSelected)
            view->Select();
        lineMarkViews_.push_back(view);
    }
}

}  // namespace quaverly
