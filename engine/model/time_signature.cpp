#include "engine/model/time_signature.h"

#include "engine/model/score_painter.h"

namespace quaverly {

bool TimeSignature::SetValue(const TimeSignatureRecord& value)
{
    if (!value.IsValid())
        return false;
    value_ = value;
    value_.common = value.common != 0 ? 1 : 0;
    return true;
}

void TimeSignature::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kTimeSignatureDelete, &payload);
}

void TimeSignature::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureTimeSignature(value_.beats, value_.beatType);
    SetRect({0, 0, size.cx, size.cy});
}

void TimeSignature::Draw(ScorePainter& painter)
{
    const Point at = GetAbsolutePoint();
    painter.DrawTimeSignature(at.x, at.y, value_.beats, value_.beatType, GetColor());
}

}  // namespace quaverly
