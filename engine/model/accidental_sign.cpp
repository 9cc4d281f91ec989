#include "engine/model/accidental_sign.h"

#include <utility>

#include "engine/model/note_styles.h"

namespace quaverly {

AccidentalSign::AccidentalSign()
    : style_(SharedNormalNoteStyle())
{
}

AccidentalSign::AccidentalSign(std::shared_ptr<const NoteStyle> style)
    : style_(style ? std::move(style) : SharedNormalNoteStyle())
{
}

void AccidentalSign::SetStyle(std::shared_ptr<const NoteStyle> style)
{
    if (style)
        style_ = std::move(style);
}

void AccidentalSign::Layout(ScorePainter& painter)
{
    const Size size = style_->MeasureAccidental(painter, accidental_);
    Rect rect = GetRect();
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    SetRect(rect);
}

void AccidentalSign::Draw(ScorePainter& painter)
{
    const Point at = GetAbsolutePoint();
    style_->DrawAccidental(painter, at.x, at.y, accidental_, GetColor());
}

}  // namespace quaverly
