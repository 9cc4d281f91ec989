#include "engine/layout/part_group_view.h"

#include <utility>

#include "engine/model/part_group.h"
#include "engine/model/score_painter.h"

namespace quaverly {

PartGroupView::PartGroupView()
    : topHandle_(std::make_shared<LayoutMarkD>()), bottomHandle_(std::make_shared<LayoutMarkD>())
{
    SetAxisMask(drag_axis::kX);
}

void PartGroupView::AppendTrack(std::shared_ptr<ScoreElement> track)
{
    if (track)
        tracks_.push_back(std::move(track));
}

int PartGroupView::Notify(ElementNotification& notification)
{
    const bool top = notification.sender == topHandle_.get();
    const bool bottom = notification.sender == bottomHandle_.get();
    if ((top || bottom) && group_) {
        switch (notification.id) {
        case notification_id::kHandlePressed:
            savedFirst_ = group_->GetFirstPart();
            savedLast_ = group_->GetLastPart();
            reportedPart_ = -1;
            break;
        case notification_id::kHandleDragged: {
            // The line fills in the row under the pointer as the new index. The step
            // goes on from the bound the last step asked for: the group changes only
            // when the steps' commands run.
            const int last = reportedPart_ != -1 ? reportedPart_ : (top ? savedFirst_ : savedLast_);
            NotificationPayload payload;
            payload.firstBound = top;
            payload.newPartIndex = -1;
            payload.oldPartIndex = last;
            payload.pointer = pointer_;
            payload.element = group_;
            NotifyParent(notification_id::kPartGroupBoundDrag, &payload);
            if (payload.newPartIndex != last && group_->CanMoveBound(top, payload.newPartIndex))
                reportedPart_ = payload.newPartIndex;
            break;
        }
        case notification_id::kHandleReleased: {
            // The bound the steps moved to, whether or not their commands ran yet.
            const int saved = top ? savedFirst_ : savedLast_;
            const int reached = std::exchange(reportedPart_, -1);
            if (reached != -1 && reached != saved) {
                NotificationPayload payload;
                payload.firstBound = top;
                payload.newPartIndex = reached;
                payload.oldPartIndex = saved;
                payload.pointer = pointer_;
                payload.element = group_;
                NotifyParent(notification_id::kPartGroupBoundRelease, &payload);
            }
            break;
        }
        default:
            break;
        }
    }
    notification.sender = this;
    return EditableElement::Notify(notification);
}

void PartGroupView::ClearChildren()
{
    tracks_.clear();
    EditableElement::ClearChildren();
}

void PartGroupView::DeleteSelected()
{
    NotificationPayload payload;  // the line fills in the group
    NotifySelf(notification_id::kPartGroupDelete, &payload);
}

void PartGroupView::SetOrigin(Point origin)
{
    EditableElement::SetOrigin(origin);
    topHandle_->SetOrigin(origin);
    bottomHandle_->SetOrigin(origin);
}

void PartGroupView::SetOffset(Point offset)
{
    EditableElement::SetOffset(offset);
    // Only a user's move of the selected view changes the group; the line setting a new
    // view's offset from the group must not ask for a refresh of the rows.
    if (!group_ || GetState() != element_state::kSelected)
        return;
    group_->SetOffset(offset);
    NotifyParent(notification_id::kPartGroupOffsetChanged, nullptr);
}

void PartGroupView::OnKeyDown(int key, int flags)
{
    EditableElement::OnKeyDown(key, flags);
    topHandle_->OnKeyDown(key, flags);
    bottomHandle_->OnKeyDown(key, flags);
}

void PartGroupView::OnInputEvent(int first, int second)
{
    EditableElement::OnInputEvent(first, second);
    topHandle_->OnInputEvent(first, second);
    bottomHandle_->OnInputEvent(first, second);
}

void PartGroupView::OnButtonDown(Point point, int flags, int& handled)
{
    EditableElement::OnButtonDown(point, flags, handled);
    topHandle_->OnButtonDown(point, flags, handled);
    bottomHandle_->OnButtonDown(point, flags, handled);
}

void PartGroupView::OnPointerMove(Point point, int flags)
{
    pointer_ = point;
    EditableElement::OnPointerMove(point, flags);
    topHandle_->OnPointerMove(point, flags);
    bottomHandle_->OnPointerMove(point, flags);
}

void PartGroupView::OnButtonUp(Point point, int flags)
{
    EditableElement::OnButtonUp(point, flags);
    topHandle_->OnButtonUp(point, flags);
    bottomHandle_->OnButtonUp(point, flags);
}

void PartGroupView::Layout(ScorePainter& painter)
{
    if (tracks_.empty())
        return;
    if (group_)
        EditableElement::SetOffset(group_->GetOffset());
    const ScoreElement& first = *tracks_.front();
    const ScoreElement& last = *tracks_.back();
    const int width = painter.GetSlurEndSize().cx;
    const Point top = OffsetPoint(first.GetPosition(), first.GetOffset());
    SetPosition({top.x - width, top.y});
    const int bottom = painter.GetBarLineHeight() + last.GetPosition().y + last.GetOffset().y;
    SetRect({0, 0, width, bottom - GetPosition().y});

    const Size size = painter.MeasureEditMarkE();
    const Rect rect = GetRect();
    const Point at = OffsetPoint(GetPosition(), GetOffset());
    const int x = at.x + rect.right - size.cx / 2 - rect.left;
    const int topY = at.y - size.cy;
    for (const auto& handle : {topHandle_, bottomHandle_}) {
        handle->SetParent(this);
        handle->Layout(painter);
        handle->SetOrigin(GetOrigin());
    }
    topHandle_->SetPosition({x, topY});
    bottomHandle_->SetPosition({x, topY + rect.Height() + size.cy});
}

void PartGroupView::Draw(ScorePainter& painter)
{
    if (tracks_.empty())
        return;
    const Point at = GetAbsolutePoint();
    const Rect rect = GetRect();
    const int x = rect.right + at.x - rect.left;
    if (group_ && group_->GetType() != 0)
        painter.DrawSmoothSlurSegment(x, at.y, rect.Height(), GetColor());
    else
        painter.DrawSmoothSlur(x, at.y, rect.Height(), GetColor());
    const bool selected = GetState() == element_state::kSelected;
    for (const auto& handle : {topHandle_, bottomHandle_}) {
        handle->SetVisible(selected || handle->GetState() == element_state::kSelected);
        handle->Draw(painter);
    }
}

}  // namespace quaverly
