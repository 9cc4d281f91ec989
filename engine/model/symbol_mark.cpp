#include "engine/model/symbol_mark.h"

#include "engine/model/score_painter.h"

namespace quaverly {

void SymbolMark::SetSymbolData(const ExtendSymbol& symbol)
{
    symbol_ = symbol;
    symbol_.font.SetFaceName(symbol.font.FaceName());
}

void SymbolMark::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kSymbolMarkDelete, &payload);
}

void SymbolMark::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureExtendSymbol(symbol_);
    SetRect({0, 0, size.cx, size.cy});
}

void SymbolMark::Draw(ScorePainter& painter)
{
    const Point at = GetAbsolutePoint();
    const Rect rect = GetRect();
    painter.DrawExtendSymbol(rect.left + at.x, rect.top + at.y, symbol_, GetColor());
}

}  // namespace quaverly
