#include "engine/model/edit_mark.h"

#include "engine/model/score_painter.h"

namespace quaverly {

namespace {

// The rectangle's top-left corner moved by origin + position + offset.
Point TopLeft(const ScoreElement& element)
{
    const Rect rect = element.GetRect();
    return OffsetPoint(element.GetAbsolutePoint(), {rect.left, rect.top});
}

}  // namespace

EditMark::EditMark()
{
    SetNormalColor(color_index::kEditMark);
    SetColor(color_index::kEditMark);
    SetVisible(false);
}

void EditMark::MoveBy(Point delta, int flags)
{
    if (!IsVisible())
        return;
    NotificationPayload payload;
    payload.delta = MaskedDelta(delta, flags);
    NotifySelf(notification_id::kHandleDragged, &payload);
}

void EditMark::OnButtonDown(Point point, int flags, int& handled)
{
    if (!IsVisible())
        return;
    EditableElement::OnButtonDown(point, flags, handled);
    if (GetState() == element_state::kSelected) {
        NotificationPayload payload;  // nothing to carry; owners may fill their slots
        NotifySelf(notification_id::kHandlePressed, &payload);
    }
}

void EditMark::OnButtonUp(Point point, int flags)
{
    if (!IsVisible())
        return;
    EditableElement::OnButtonUp(point, flags);
    if (ReleaseEndsPress() && GetState() == element_state::kSelected) {
        NotificationPayload payload;
        NotifySelf(notification_id::kHandleReleased, &payload);
    }
}

// --- LayoutMarkA ---

void LayoutMarkA::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureEditMarkA();
    SetRect({-size.cx, -size.cy / 2, 0, size.cy / 2});
}

void LayoutMarkA::Draw(ScorePainter& painter)
{
    if (!IsVisible())
        return;
    const Point at = TopLeft(*this);
    painter.DrawEditMarkA(at.x, at.y, GetColor());
}

// --- CursorLineMark ---

void CursorLineMark::Layout(ScorePainter& painter)
{
    const int gap = painter.GetEditMarkSize();
    const Size size = painter.MeasureEditMarkB();
    SetRect({-gap - size.cx, -size.cy, -gap, 0});
}

void CursorLineMark::Draw(ScorePainter& painter)
{
    if (!IsVisible())
        return;
    const Rect rect = GetRect();
    const Point at = GetAbsolutePoint();
    // The top leaves out the position: the line reaches one bar-line height below the
    // owner's origin, wherever the mark has been placed.
    const int top = GetOrigin().y + GetOffset().y + rect.bottom + painter.GetBarLineHeight();
    painter.DrawEditCursor({rect.left + at.x, top, rect.right + at.x, rect.bottom + at.y},
                           GetColor());
}

// --- LayoutMarkC ---

void LayoutMarkC::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureEditMarkC();
    SetRect({0, 0, size.cx, size.cy});
    SetPosition({0, -size.cy});
}

void LayoutMarkC::Draw(ScorePainter& painter)
{
    if (!IsVisible())
        return;
    const Point at = GetAbsolutePoint();
    painter.DrawEditMarkC(at.x, at.y, GetColor());
}

// --- LayoutMarkD ---

void LayoutMarkD::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureEditMarkE();
    SetRect({0, 0, size.cx, size.cy});
    SetPosition({0, -size.cy});
}

void LayoutMarkD::Draw(ScorePainter& painter)
{
    if (!IsVisible())
        return;
    const Point at = GetAbsolutePoint();
    painter.DrawEditMarkE(at.x, at.y, GetColor());
}

// --- BarWidthMark ---

void BarWidthMark::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureEditMarkE();
    SetRect({-size.cx / 2, -size.cy, size.cx / 2, 0});
}

void BarWidthMark::Draw(ScorePainter& painter)
{
    if (!IsVisible())
        return;
    const Point at = TopLeft(*this);
    painter.DrawEditMarkE(at.x, at.y, GetColor());
}

// --- LayoutMarkF ---

void LayoutMarkF::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureEditMarkD();
    SetRect({-size.cx, -size.cy, 0, 0});
}

void LayoutMarkF::Draw(ScorePainter& painter)
{
    if (!IsVisible())
        return;
    const Point at = TopLeft(*this);
    painter.DrawEditMarkD(at.x, at.y, GetColor());
}

// --- LayoutMarkG ---

LayoutMarkG::LayoutMarkG()
{
    SetVisible(true);
}

void LayoutMarkG::Layout(ScorePainter& painter)
{
    const Size size = painter.MeasureEditMarkE();
    SetRect({0, -size.cy / 2, size.cx, size.cy / 2});
}

void LayoutMarkG::Draw(ScorePainter& painter)
{
    if (GetColor() != color_index::kSelected)
        return;
    const Point at = TopLeft(*this);
    painter.DrawEditMarkE(at.x, at.y, GetColor());
}

}  // namespace quaverly
