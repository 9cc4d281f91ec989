#include "engine/model/expression_text.h"

#include "engine/model/score_painter.h"

namespace quaverly {

void ExpressionText::SetValue(const ExpressionRecord& value)
{
    value_.position = value.position;
    value_.text = value.text;
}

void ExpressionText::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kExpressionTextDelete, &payload);
}

void ExpressionText::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureExpressionText(value_.text);
    SetRect({0, 0, size.cx, size.cy});
}

void ExpressionText::Draw(ScorePainter& painter)
{
    const Point at = GetAbsolutePoint();
    painter.DrawExpressionText(at.x, at.y, value_.text, GetColor());
}

}  // namespace quaverly
