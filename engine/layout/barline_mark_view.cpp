#include "engine/layout/barline_mark_view.h"

#include "engine/model/barline_mark.h"
#include "engine/model/score_painter.h"

namespace quaverly {

int BarlineMarkView::MarkValue() const
{
    return mark_ ? mark_->GetValue() : 0;
}

void BarlineMarkView::DeleteSelected()
{
    NotificationPayload payload;
    payload.element = mark_;
    NotifySelf(notification_id::kBarlineMarkDelete, &payload);
}

void BarlineMarkView::SetOffset(Point offset)
{
    EditableElement::SetOffset(offset);
    if (mark_ && GetState() == element_state::kSelected)
        mark_->SetOffset(offset);
}

void BarlineMarkView::Layout(ScorePainter& painter)
{
    EditableElement::Layout(painter);
    if (!mark_) {
        SetRect({});
        return;
    }
    const int value = mark_->GetValue();
    const int barLineHeight = painter.GetBarLineHeight();
    const Point offset = painter.GetJumpMarkOffset();
    const Size size = painter.MeasureJumpMark(value);
    const bool above = value >= 6 && value <= 8;
    const int y = above ? -size.cy - offset.y : barLineHeight + offset.y;
    SetRect({offset.x - size.cx / 2, y, offset.x + size.cx / 2, y + size.cy});
}

void BarlineMarkView::Draw(ScorePainter& painter)
{
    EditableElement::Draw(painter);
    if (!mark_)
        return;
    const Rect rect = GetRect();
    const Point at = GetAbsolutePoint();
    painter.DrawJumpMark(at.x + rect.left, at.y + rect.top, MarkValue(), GetColor());
}

}  // namespace quaverly
