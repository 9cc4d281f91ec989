#include "engine/model/note_symbol.h"

#include "engine/model/score_painter.h"

namespace quaverly {

NoteSymbol::NoteSymbol(int symbolCode, int order)
    : symbolCode_(symbolCode),
      order_(order)
{
}

void NoteSymbol::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kNoteSymbolDelete, &payload);
}

void NoteSymbol::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureNoteSymbol(symbolCode_);
    SetRect({0, 0, size.cx, size.cy});
}

void NoteSymbol::Draw(ScorePainter& painter)
{
    const Point at = GetAbsolutePoint();
    const Rect rect = GetRect();
    painter.DrawNoteSymbol(rect.left + at.x, rect.top + at.y, symbolCode_, GetColor());
}

}  // namespace quaverly
