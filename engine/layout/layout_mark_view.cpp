#include "engine/layout/layout_mark_view.h"

#include "engine/model/score_painter.h"

namespace quaverly {

LayoutMarkView::LayoutMarkView()
{
    SetColor(color_index::kEditMark);
    SetNormalColor(color_index::kEditMark);
    // A mark stands where its line's layout puts it: no owner takes a move of it, so a
    // drag must not leave it displaced.
    SetAxisMask(0);
}

void LayoutMarkView::Layout(ScorePainter& painter)
{
    const Size size = Measure(painter);
    SetRect({0, -size.cy, size.cx, 0});
}

void LayoutMarkView::Draw(ScorePainter& painter)
{
    if (!IsVisible())
        return;
    const Point at = GetAbsolutePoint();
    const Rect rect = GetRect();
    DrawAt(painter, {at.x + rect.left, at.y + rect.top});
}

void LineBreakMarkView::DeleteSelected()
{
    NotificationPayload payload;
    payload.barIndex = bar_;
    NotifySelf(notification_id::kLineBreakDelete, &payload);
}

Size LineBreakMarkView::Measure(ScorePainter& painter) const
{
    return painter.MeasureEditMarkF();
}

void LineBreakMarkView::DrawAt(ScorePainter& painter, Point topLeft) const
{
    painter.DrawEditMarkF(topLeft.x, topLeft.y, GetColor());
}

void BarsPerLineMarkView::DeleteSelected()
{
    NotificationPayload payload;
    payload.entryKey = line_;
    payload.entryValue = bars_;
    NotifySelf(notification_id::kBarsPerLineDelete, &payload);
}

Size BarsPerLineMarkView::Measure(ScorePainter& painter) const
{
    return painter.MeasureEditMarkG();
}

void BarsPerLineMarkView::DrawAt(ScorePainter& painter, Point topLeft) const
{
    painter.DrawNumberedEditMark(topLeft.x, topLeft.y, bars_, GetColor());
}

void LinesPerPageMarkView::DeleteSelected()
{
    NotificationPayload payload;
    payload.entryKey = page_;
    payload.entryValue = lines_;
    NotifySelf(notification_id::kLinesPerPageDelete, &payload);
}

Size LinesPerPageMarkView::Measure(ScorePainter& painter) const
{
    return painter.MeasureEditMarkG();
}

void LinesPerPageMarkView::DrawAt(ScorePainter& painter, Point topLeft) const
{
    painter.DrawNumberedEditMark(topLeft.x, topLeft.y, lines_, GetColor());
}

}  // namespace quaverly
