#include "engine/model/editable_element.h"

namespace quaverly {

Point EditableElement::MaskedDelta(Point delta, int flags) const
{
    const bool moveX = (flags & input_flag::kFreezeX) == 0 && (axisMask_ & drag_axis::kX) != 0;
    const bool moveY = (flags & input_flag::kFreezeY) == 0 && (axisMask_ & drag_axis::kY) != 0;
    return {moveX ? delta.x : 0, moveY ? delta.y : 0};
}

int EditableElement::SendMove(int id, Point from, Point to, bool nudge)
{
    NotificationPayload payload;
    payload.oldOffset = from;
    payload.newOffset = to;
    payload.nudge = nudge;
    return NotifyParent(id, &payload);
}

void EditableElement::MoveBy(Point delta, int flags)
{
    const Point old = GetOffset();
    const Point moved = OffsetPoint(old, MaskedDelta(delta, flags));
    SetOffset(moved);
    SendMove(notification_id::kMoveDragStep, old, moved);
}

void EditableElement::NudgeBy(int id, Point step)
{
    // Only a request: the command moves the element by the step from wherever it stands
    // when it runs, so a second nudge before the first one's command ran counts as well,
    // and a request that no owner takes leaves the element where it is.
    // An axis the element may not be dragged along it may not be nudged along either.
    const Point masked = MaskedDelta(step, 0);
    if (masked == Point{})
        return;
    const Point old = GetOffset();
    SendMove(id, old, OffsetPoint(old, masked), true);
}

void EditableElement::NudgeLeft()
{
    NudgeBy(notification_id::kMoveRequest, {-kNudgeStep, 0});
}

void EditableElement::NudgeRight()
{
    NudgeBy(notification_id::kMoveRequest, {kNudgeStep, 0});
}

void EditableElement::NudgeUp()
{
    NudgeBy(notification_id::kMoveRequest, {0, -kNudgeStep});
}

void EditableElement::NudgeDown()
{
    NudgeBy(notification_id::kMoveRequest, {0, kNudgeStep});
}

void EditableElement::OnKeyDown(int key, int flags)
{
    ScoreElement::OnKeyDown(key, flags);
    if (GetState() != element_state::kSelected || (flags & input_flag::kKeepSelection) == 0)
        return;
    switch (key) {
        case key_code::kLeft:
            NudgeLeft();
            break;
        case key_code::kRight:
            NudgeRight();
            break;
        case key_code::kUp:
            NudgeUp();
            break;
        case key_code::kDown:
            NudgeDown();
            break;
        default:
            break;
    }
}

void EditableElement::OnInputEvent(int first, int second)
{
    ScoreElement::OnInputEvent(first, second);
}

void EditableElement::OnButtonDown(Point point, int flags, int& handled)
{
    ScoreElement::OnButtonDown(point, flags, handled);
    buttonDown_ = true;
    lastPointer_ = point;
    dragStart_ = GetOffset();
    if (HitTest(point) && (handled & kEventTaken) == 0) {
        Select();
        grabbed_ = true;
        handled |= kEventTaken;
    } else if ((flags & input_flag::kKeepSelection) == 0) {
        Deselect();
        grabbed_ = false;
    }
}

void EditableElement::OnPointerMove(Point point, int flags)
{
    ScoreElement::OnPointerMove(point, flags);
    if (grabbed_ && buttonDown_) {
        MoveBy({point.x - lastPointer_.x, point.y - lastPointer_.y}, flags);
        lastPointer_ = point;
    }
}

bool EditableElement::ReleaseEndsMove() const
{
    return releaseEndsPress_ && GetState() == element_state::kSelected &&
           GetOffset() != dragStart_;
}

void EditableElement::OnButtonUp(Point point, int flags)
{
    ScoreElement::OnButtonUp(point, flags);
    // Only a release that ends a press seen by this element finishes a drag: a stray
    // release (after a double click, say) must not record a move that nobody made.
    releaseEndsPress_ = buttonDown_;
    buttonDown_ = false;
    if (ReleaseEndsMove())
        SendMove(notification_id::kMoveRequest, dragStart_, GetOffset());
}

void EditableElement::OnDoubleClick(Point point, int flags, int& handled)
{
    ScoreElement::OnDoubleClick(point, flags, handled);
    if (HitTest(point))
        handled |= kEventTaken;
}

}  // namespace quaverly
