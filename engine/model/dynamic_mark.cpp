#include "engine/model/dynamic_mark.h"

#include "engine/model/score_painter.h"

namespace quaverly {

void DynamicMark::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kDynamicMarkDelete, &payload);
}

void DynamicMark::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureDynamicMark(code_);
    SetRect({-(size.cx / 2), 0, size.cx / 2, size.cy});
}

void DynamicMark::Draw(ScorePainter& painter)
{
    const Point at = GetAbsolutePoint();
    const Rect rect = GetRect();
    painter.DrawDynamicMark(rect.left + at.x, rect.top + at.y, code_, GetColor());
}

}  // namespace quaverly
