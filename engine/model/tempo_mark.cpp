#include "engine/model/tempo_mark.h"

#include "engine/model/score_painter.h"

namespace quaverly {

void TempoMark::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kTempoMarkDelete, &payload);
}

void TempoMark::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureTempoMark(value_.beatUnit, value_.perMinute);
    SetRect({0, 0, size.cx, size.cy});
}

void TempoMark::Draw(ScorePainter& painter)
{
    const Point at = GetAbsolutePoint();
    painter.DrawTempoMark(at.x, at.y, value_.beatUnit, value_.perMinute, GetColor());
}

}  // namespace quaverly
