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
    const int k = part.FindBarPlace(startBar.get());
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
    // The shortest piece of a broken tie: as long as the tie is high, so that the piece
    // is drawn as half of a bracket (its bend and its top at the tie's full height) and
    // never as a shallow tick.
    const int minPiece = painter.GetFlatSlurHeight();

    // The ties that start or end on the row's bars or on the bar before it, from the
    // part's index: a row meets only its own ties, however long the score.
    candidates_.clear();
    const int lastBar = std::min(range_.end, part_->GetChildCount());
    for (int i = std::max(range_.first - 1, 0); i < lastBar; ++i)
        part_->FindTiesAt(part_->GetChild(i).get(), candidates_);
    std::sort(candidates_.begin(), candidates_.end());
    candidates_.erase(std::unique(candidates_.begin(), candidates_.end()), candidates_.end());

    // Layout only reads the ties: a row walks the ties that its bars index.
    const std::vector<std::shared_ptr<Tie>>& ties = part_->GetTies();
    for (const std::size_t t : candidates_) {
        if (t >= ties.size())
            break;
        const std::shared_ptr<Tie>& tie = ties[t];
        if (!tie)
            continue;
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
                view->SetLength(std::max(
                    bar.Width() - (start.note->GetPosition().x + 2 * note.cx / 3), minPiece));
            } else {
                view = std::make_shared<TieView>();
                view->SetLength(2 * note.cy);
            }
            view->SetPosition(at);
        } else if (endsInRange(end)) {
            // The tie comes from an earlier row: the piece starts at the row's left edge,
            // or before it where the end note stands too close to the edge for the half
            // arc to show.
            view = std::make_shared<TieEndView>();
            const Point to = NoteOnRow(end);
            const int reach = to.x + note.cx / 3;
            const int length = std::max(reach, minPiece);
            view->SetPosition({reach - length, to.y - start.note->GetHeightAbove(painter) + slur.y});
            view->SetLength(length);
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

int TrackMarkViews::SegmentOnRow(const LineMark& mark) const
{
    if (!part_)
        return -1;
    const int s = mark.GetBar();
    if (s < 0 || s >= GetPartBarCount(*part_) || s >= range_.end)
        return -1;  // on a bar the part does not have, or starting after the row
    const BarTime end = FindBarAtTime(*part_, s, mark.GetTimePosition(), mark.GetDuration());
    const int e = end.bar;
    if (range_.Contains(s))
        return range_.Contains(e) ? line_mark_segment::kWhole : line_mark_segment::kStart;
    // One that ends at the row's very start has nothing on this row: no empty piece.
    if (range_.Contains(e) && !(e == range_.first && end.time <= 0))
        return line_mark_segment::kEnd;
    if (s < range_.first && e >= range_.end)
        return line_mark_segment::kMiddle;
    return -1;
}

void TrackMarkViews::BuildLineMarkViews(ScoreElement& row, ScorePainter& painter)
{
    lineMarkViews_.clear();
    if (!part_)
        return;
    const Point origin = row.GetAbsolutePoint();
    // By index, the list read again at each step: making a view may change the list,
    // and copying the whole list for every row cost more than the row's own marks.
    for (std::size_t m = 0; m < part_->GetLineMarks().size(); ++m) {
        const std::shared_ptr<LineMark>& listed = part_->GetLineMarks()[m];
        const int segment = listed ? SegmentOnRow(*listed) : -1;
        if (segment < 0)
            continue;
        const std::shared_ptr<LineMark> mark = listed;
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
