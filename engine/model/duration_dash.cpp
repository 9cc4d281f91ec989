#include "engine/model/duration_dash.h"

namespace quaverly {

DurationDash::DurationDash()
{
    SetAxisMask(drag_axis::kX);
    SetPitchCode(pitch_code::kDash);
    MarkExtensionGlyph();
}

void DurationDash::MoveBy(Point delta, int flags)
{
    EditableElement::MoveBy(delta, flags);
}

bool DurationDash::HitTest(Point point) const
{
    return EditableElement::HitTest(point);
}

void DurationDash::Draw(ScorePainter& painter)
{
    const Point at = GetAbsolutePoint();
    GetStyle()->DrawNote(painter, at.x, at.y, pitch_code::kDash, GetColor());
}

}  // namespace quaverly
