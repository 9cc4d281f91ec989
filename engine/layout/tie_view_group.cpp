#include "engine/layout/tie_view_group.h"

#include "engine/model/score_painter.h"
#include "engine/model/tie.h"

namespace quaverly {

namespace {

// Where a tie view draws: origin + position + the tie's own offset.
Point TiePoint(const TieViewGroup& view)
{
    const Point offset = view.GetTie() ? view.GetTie()->GetOffset() : view.GetOffset();
    return OffsetPoint(view.GetChildOrigin(), offset);
}

}  // namespace

TieViewGroup::TieViewGroup()
{
    SetAxisMask(drag_axis::kY);
}

void TieViewGroup::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kTieDelete, &payload);
    if (!tie_)
        return;
    const std::shared_ptr<ScoreElement> startOwner = tie_->GetStart().owner;
    const std::shared_ptr<ScoreElement> endOwner = tie_->GetEnd().owner;
    const auto tell = [this](ScoreElement& owner) {
        NotificationPayload changed;
        ElementNotification notification{notification_id::kTrackTiesChanged, &changed, this};
        owner.Notify(notification);
    };
    if (startOwner)
        tell(*startOwner);
    if (endOwner && endOwner != startOwner)
        tell(*endOwner);
}

void TieViewGroup::SetOffset(Point offset)
{
    EditableElement::SetOffset(offset);
    if (tie_ && GetState() == element_state::kSelected)
        tie_->SetOffset(offset);
}

void TieViewGroup::Layout(ScorePainter& painter)
{
    EditableElement::Layout(painter);
    SetRect({0, -painter.GetFlatSlurHeight(), length_, 0});
}

void TieView::Draw(ScorePainter& painter)
{
    const Point at = TiePoint(*this);
    painter.DrawFlatSlur(at.x, at.y, GetLength(), GetColor());
}

void TieStartView::Draw(ScorePainter& painter)
{
    const Point at = TiePoint(*this);
    painter.DrawFlatSlurStart(at.x, at.y, GetLength(), GetColor());
}

void TieEndView::Draw(ScorePainter& painter)
{
    const Point at = TiePoint(*this);
    painter.DrawFlatSlurEnd(at.x, at.y, GetLength(), GetColor());
}

}  // namespace quaverly
