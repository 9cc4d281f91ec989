#include "engine/model/rest.h"

#include "engine/model/score_painter.h"

namespace quaverly {

Rest::Rest()
{
    SetAxisMask(drag_axis::kX);
    SetPitchCode(pitch_code::kRest);
}

void Rest::MoveBy(Point delta, int flags)
{
    EditableElement::MoveBy(delta, flags);
}

bool Rest::HitTest(Point point) const
{
    return EditableElement::HitTest(point);
}

void Rest::Draw(ScorePainter& painter)
{
    const NoteStyle& style = *GetStyle();
    const Point at = GetAbsolutePoint();
    const Size note = style.GetNoteSize(painter);
    style.DrawNote(painter, at.x, at.y, GetPitchCode(), GetColor());
    DrawUnderlines(painter, at, note, style.GetLegerInterval(painter));
    DrawExtensionGlyphs(painter);
    DrawDotsElement(painter);
}

}  // namespace quaverly
