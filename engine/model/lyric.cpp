#include "engine/model/lyric.h"

#include "engine/model/score_painter.h"

namespace quaverly {

void Lyric::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kLyricDelete, &payload);
}

void Lyric::RequestEdit()
{
    NotificationPayload payload;
    payload.rect = GetRect().Moved(GetAbsolutePoint());
    payload.text = text_;
    NotifySelf(notification_id::kEditLyric, &payload);
}

void Lyric::OnDoubleClick(Point point, int flags, int& handled)
{
    StorePointerPosition(point);
    ForEachChild([&](ScoreElement& child) { child.OnDoubleClick(point, flags, handled); });
    if (HitTest(point))
        RequestEdit();
}

bool Lyric::HitTest(Point point) const
{
    return !text_.empty() && EditableElement::HitTest(point);
}

void Lyric::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureLyric(text_);
    SetRect({0, 0, size.cx, size.cy});
}

void Lyric::Draw(ScorePainter& painter)
{
    if (text_.empty())
        return;
    const Point at = GetAbsolutePoint();
    painter.DrawLyric(at.x, at.y, text_, GetColor());
}

}  // namespace quaverly
