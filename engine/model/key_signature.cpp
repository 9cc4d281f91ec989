#include "engine/model/key_signature.h"

#include "engine/model/score_painter.h"

namespace quaverly {

bool KeySignature::SetValue(const KeySignatureRecord& value)
{
    if (!value.IsValid())
        return false;
    value_ = value;
    value_.mode = value.mode != 0 ? 1 : 0;
    return true;
}

void KeySignature::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kKeySignatureDelete, &payload);
}

void KeySignature::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureKeySignature(value_.fifths);
    SetRect({0, 0, size.cx, size.cy});
}

void KeySignature::Draw(ScorePainter& painter)
{
    const Point at = GetAbsolutePoint();
    painter.DrawKeySignature(at.x, at.y, value_.fifths, GetColor());
}

}  // namespace quaverly
