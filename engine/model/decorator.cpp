#include "engine/model/decorator.h"

#include "engine/model/score_painter.h"

namespace quaverly {

namespace {
// Every bar number is measured as a three-digit number.
constexpr int kMeasuredNumber = 100;
}  // namespace

void Decorator::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kBarNumberDelete, &payload);
}

void Decorator::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureBarIndex(BarNumberFormat{}, kMeasuredNumber);
    SetRect({0, 0, size.cx, size.cy});
}

void Decorator::Draw(ScorePainter& painter)
{
    const Point at = GetAbsolutePoint();
    painter.DrawBarIndex(at.x, at.y, properties_, properties_.index, GetColor());
}

}  // namespace quaverly
