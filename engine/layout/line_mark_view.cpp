#include "engine/layout/line_mark_view.h"

#include <cmath>
#include <algorithm>
#include <cstdint>

#include "engine/layout/line_mark_drag.h"
#include "engine/layout/line_mark_geometry.h"
#include "engine/model/bar.h"
#include "engine/model/int_clamp.h"
#include "engine/model/line_mark.h"
#include "engine/model/part.h"
#include "engine/model/score_painter.h"

namespace quaverly {

namespace {

std::shared_ptr<LayoutMarkG> MakeHandle(int axes)
{
    if (axes == kNoHandle)
        return nullptr;
    auto handle = std::make_shared<LayoutMarkG>();
    handle->SetAxisMask(axes);
    return handle;
}

}  // namespace

LineMarkView::LineMarkView(const LineMarkStyle& style, const LineMarkPieceStyle& piece)
    : style_(&style),
      piece_(&piece),
      endHandle_(MakeHandle(piece.endHandleAxes)),
      bulgeHandle_(MakeHandle(piece.bulgeHandleAxes))
{
}

LineMarkView::~LineMarkView() = default;

void LineMarkView::SetBarRange(int first, int end)
{
    firstBar_ = first;
    endBar_ = end;
}

void LineMarkView::DeleteSelected()
{
    NotificationPayload payload;
    payload.lineMark = lineMark_;
    payload.part = part_;
    NotifySelf(notification_id::kLineMarkDelete, &payload);
}

void LineMarkView::SetOrigin(Point origin)
{
    ScoreElement::SetOrigin(origin);
    if (endHandle_)
        endHandle_->SetOrigin(origin);
    if (bulgeHandle_)
        bulgeHandle_->SetOrigin(origin);
}

float LineMarkView::Radian() const
{
    return lineMark_ ? lineMark_->GetRadian() : 0.0f;
}

Point LineMarkView::AbsoluteStart() const
{
    return OffsetPoint(GetAbsolutePoint(), start_);
}

bool LineMarkView::HitTest(Point point) const
{
    return piece_->hit != LineMarkHit::kNever && LiesOnPiece(point, piece_->hit);
}

bool LineMarkView::LiesOnPiece(Point point, LineMarkHit hit) const
{
    if (hit == LineMarkHit::kRectangle) {
        const Rect rect = GetRect().Moved(AbsoluteStart());
        return rect.left <= point.x && point.x <= rect.right && rect.top <= point.y &&
               point.y <= rect.bottom;
    }
    const Point from = AbsoluteStart();
    const std::int64_t toX = std::int64_t{GetAbsolutePoint().x} + end_.x;
    if (point.x < from.x || point.x > toX)
        return false;
    // In double: a steep slope over a long run must not wrap around.
    const double lineY = from.y + static_cast<double>(Radian()) * (point.x - from.x);
    return std::abs(point.y - lineY) < GetRect().Height();
}

void LineMarkView::Layout(ScorePainter& painter)
{
    const Point wedge = painter.GetWedgeOffset();
    switch (style_->placement) {
    case LineMarkPlacement::kBelow:
        SetPosition({wedge.x, AddCoordinates(wedge.y, painter.GetBarLineHeight())});
        break;
    case LineMarkPlacement::kAbove:
    case LineMarkPlacement::kArpeggio:
        SetPosition({wedge.x, -wedge.y});
        break;
    case LineMarkPlacement::kEnding:
        SetPosition({wedge.x, SubtractCoordinates(-wedge.y, 150)});
        break;
    case LineMarkPlacement::kSlur: {
        const Point slur = painter.GetWedgeOffset2();
        SetPosition({slur.x, -slur.y});
        break;
    }
    }

    if (lineMark_)
        SetOffset(lineMark_->GetOffset());
    ComputeStart();
    ComputeEnd();

    // The rectangle is taken from the points just computed, so that a view laid out
    // for the first time already hits and frames where it draws.
    const int length = SubtractCoordinates(end_.x, start_.x);
    const int radian = TruncToInt(Radian());
    switch (style_->shape) {
    case LineMarkShape::kStraight:
        SetRect({0, 0, length, painter.GetWedgeSpread()});
        break;
    case LineMarkShape::kFlatSlur: {
        // The bracket as Draw puts it: from over the middle of the first note, rising the
        // slur's height (and its line's width) over the start point, flat whatever the
        // radian says.
        const int half = painter.GetNoteSize().cx / 2;
        const int drawn = ShortensFlatSlur() ? SubtractCoordinates(length, half) : length;
        const int height = AddCoordinates(painter.GetFlatSlurHeight(), painter.GetWedgeLineWidth());
        SetRect({half, -height, AddCoordinates(half, drawn), 0});
        break;
    }
    case LineMarkShape::kSmoothSlur: {
        // Between the ends and the bulge, over the middle of the notes as Draw puts it.
        const int half = painter.GetNoteSize().cx / 2;
        const int right = AddCoordinates(half, length);
        SetRect(radian > 0 ? Rect{half, 0, right, radian} : Rect{half, radian, right, 0});
        break;
    }
    case LineMarkShape::kArpeggio: {
        const int half = painter.GetWedgeSpread() / 2;
        const int height = SubtractCoordinates(end_.y, start_.y);
        SetRect(height <= 0 ? Rect{-half, height, half, 0} : Rect{-half, 0, half, height});
        break;
    }
    }

    PlaceHandles(painter);
}

void LineMarkView::PlaceHandles(ScorePainter& painter)
{
    const Point base = OffsetPoint(GetPosition(), GetOffset());
    if (endHandle_) {
        endHandle_->SetOrigin(GetOrigin());
        endHandle_->SetPosition(OffsetPoint(base, end_));
        endHandle_->SetParent(this);
        endHandle_->Layout(painter);
        if (style_->shape == LineMarkShape::kArpeggio) {
            // Centred under (or over) the line's free end.
            const Size size = painter.MeasureEditMarkE();
            const Point at = endHandle_->GetPosition();
            endHandle_->SetPosition({SubtractCoordinates(at.x, size.cx / 2),
                                     Radian() >= 0.0f ? AddCoordinates(at.y, size.cy)
                                                      : SubtractCoordinates(at.y, size.cy)});
        }
    }
    if (bulgeHandle_) {
        const Size size = painter.MeasureEditMarkE();
        const int middle = ClampToInt((std::int64_t{end_.x} - start_.x) / 2);
        const int x = ClampToInt(std::int64_t{base.x} + start_.x + middle - size.cx / 2);
        const int y = ClampToInt(std::int64_t{base.y} + start_.y + TruncToInt(Radian()) -
                                 size.cy / 2);
        bulgeHandle_->SetOrigin(GetOrigin());
        bulgeHandle_->SetPosition({x, y});
        bulgeHandle_->SetParent(this);
        bulgeHandle_->Layout(painter);
    }
}

void LineMarkView::Draw(ScorePainter& painter)
{
    const Point at = GetAbsolutePoint();
    const Point from = OffsetPoint(at, start_);
    const Point to = OffsetPoint(at, end_);
    const int color = GetColor();
    switch (style_->shape) {
    case LineMarkShape::kStraight:
    case LineMarkShape::kArpeggio:
        if (piece_->line)
            (painter.*piece_->line)(from.x, from.y, to.x, to.y, color);
        break;
    case LineMarkShape::kFlatSlur: {
        // The slur starts over the middle of the first note.
        const int half = painter.GetNoteSize().cx / 2;
        int length = SubtractCoordinates(end_.x, start_.x);
        if (ShortensFlatSlur())
            length = SubtractCoordinates(length, half);
        if (piece_->slur)
            (painter.*piece_->slur)(AddCoordinates(from.x, half), from.y, length, color);
        break;
    }
    case LineMarkShape::kSmoothSlur: {
        // Start, bulge and end, all over the middle of the notes; the bulge lies the
        // radian above (negative) or below the start.
        const int half = painter.GetNoteSize().cx / 2;
        const int middleX =
            ClampToInt(std::int64_t{at.x} + (std::int64_t{start_.x} + end_.x) / 2 + half);
        painter.DrawCurve(AddCoordinates(from.x, half), from.y, middleX,
                          AddCoordinates(from.y, TruncToInt(Radian())),
                          AddCoordinates(to.x, half), to.y, color);
        break;
    }
    }
    if (endHandle_)
        endHandle_->Draw(painter);
    if (bulgeHandle_)
        bulgeHandle_->Draw(painter);
}

void LineMarkView::ComputeStartAtMark()
{
    if (!part_ || !lineMark_) {
        start_ = {};
        return;
    }
    start_ = {GetTimeX(*part_, lineMark_->GetBar(), lineMark_->GetTimePosition()), 0};
}

void LineMarkView::ComputeStartAtRowStart()
{
    const int offsetX = GetOffset().x;
    if (!part_ || !lineMark_) {
        start_ = {SubtractCoordinates(0, offsetX), 0};
        return;
    }
    const std::shared_ptr<Bar> first = GetPartBar(*part_, firstBar_);
    const int left = first ? GetBarRowRect(*first).left : 0;
    int y = 0;
    if (style_->shape != LineMarkShape::kSmoothSlur) {
        const int run = GetDistanceBetween(*part_, lineMark_->GetBar(),
                                           lineMark_->GetTimePosition(), firstBar_, 0);
        y = TruncToInt(static_cast<double>(Radian()) * run);
    }
    start_ = {SubtractCoordinates(left, offsetX), y};
}

int LineMarkView::RowEndX() const
{
    if (!part_)
        return 0;
    const int count = GetPartBarCount(*part_);
    const std::shared_ptr<Bar> last = GetPartBar(*part_, (endBar_ < count ? endBar_ : count) - 1);
    if (!last)
        return 0;
    return SubtractCoordinates(GetBarRowRect(*last).right, GetOffset().x);
}

int LineMarkView::EndX(bool leftEdgeAtZero) const
{
    if (!part_ || !lineMark_)
        return 0;
    const BarTime e = FindBarAtTime(*part_, lineMark_->GetBar(), lineMark_->GetTimePosition(),
                                    lineMark_->GetDuration());
    if (e.bar < 0)
        return 0;
    if (e.bar >= endBar_)
        return RowEndX();
    const std::shared_ptr<Bar> bar = GetPartBar(*part_, e.bar);
    if (!bar)
        return 0;
    const Rect edges = GetBarRowRect(*bar);
    if (e.time < 0 || (e.time == 0 && leftEdgeAtZero))
        return SubtractCoordinates(edges.left, GetOffset().x);
    if (e.time < GetBarTimeLength(*bar))
        return GetTimeX(*part_, e.bar, e.time);
    return SubtractCoordinates(edges.right, GetOffset().x);
}

void LineMarkView::SetEndFromX(int x)
{
    const double radian = Radian();
    switch (style_->shape) {
    case LineMarkShape::kStraight:
    case LineMarkShape::kFlatSlur:
        end_ = {x, AddCoordinates(start_.y,
                                  TruncToInt(radian * (static_cast<double>(x) - start_.x)))};
        break;
    case LineMarkShape::kSmoothSlur:
        end_ = {x, start_.y};
        break;
    case LineMarkShape::kArpeggio:
        end_ = {start_.x, AddCoordinates(start_.y, TruncToInt(radian))};
        break;
    }
}

// --- Editing on screen ---

bool LineMarkView::IsContinued() const
{
    // By class, not by segment: the glissando draws its middle pieces with its start
    // class, and those move like start pieces.
    return piece_ == &style_->continued;
}

void LineMarkView::SaveSpan()
{
    if (!lineMark_)
        return;
    savedBar_ = lineMark_->GetBar();
    savedPosition_ = lineMark_->GetTimePosition();
    savedDuration_ = lineMark_->GetDuration();
    savedOffset_ = lineMark_->GetOffset();
    savedStartX_ = ClampToInt(std::int64_t{start_.x} + GetPosition().x + GetOffset().x);
    reportedMove_ = {};
}

void LineMarkView::SaveShape()
{
    if (!lineMark_)
        return;
    shapeDuration_ = lineMark_->GetDuration();
    shapeRadian_ = lineMark_->GetRadian();
    reportedShape_ = {};
}

void LineMarkView::MoveBy(Point delta, int flags)
{
    if (IsContinued()) {
        EditableElement::MoveBy(delta, flags);
        return;
    }
    if (!part_ || !lineMark_)
        return;
    const Point step = MaskedDelta(delta, flags);
    // From the start x saved at the press: the pointer's total movement is added to
    // where the piece was, so the drag follows the pointer even after the mark moved.
    // The piece is drawn its position's x from the notes; the time is looked up on the
    // notes' scale, so a move puts the mark's start under the drawn start.
    const int targetX = AddCoordinates(savedStartX_, step.x);
    const int noteX = SubtractCoordinates(targetX, GetPosition().x);
    // A move straight up or down keeps the start where it is.
    const BarTime found = step.x == 0
                              ? BarTime{savedBar_, savedPosition_}
                              : FindRowTimeAtX(*part_, firstBar_, endBar_, noteX, true);
    if (found.bar < 0)
        return;
    NotificationPayload payload;
    payload.lineMark = lineMark_;
    payload.oldBar = savedBar_;
    payload.oldPosition = savedPosition_;
    payload.oldOffset = savedOffset_;
    payload.newBar = found.bar;
    payload.newPosition = found.time;
    // What the snap to a time does not absorb stays in the offset.
    const int snapped = GetTimeX(*part_, found.bar, found.time);
    payload.newOffset = {step.x == 0 ? savedOffset_.x : SubtractCoordinates(noteX, snapped),
                         AddCoordinates(savedOffset_.y, step.y)};
    payload.lastBar = LastBarOfMove(found.bar, found.time);
    reportedMove_ = {true, found.bar, found.time, payload.newOffset};
    NotifySelf(notification_id::kLineMarkMoveDrag, &payload);
}

int LineMarkView::LastBarOfMove(int bar, int position) const
{
    const BarTime oldEnd = FindBarAtTime(*part_, savedBar_, savedPosition_, savedDuration_);
    const BarTime newEnd = FindBarAtTime(*part_, bar, position, savedDuration_);
    return std::max(oldEnd.bar, newEnd.bar);
}

void LineMarkView::ReportMove()
{
    // The place this view last asked for: the commands of the steps may not have run
    // yet, so the line mark itself can still hold the place from before the move.
    const ReportedMove move = reportedMove_;
    reportedMove_ = {};
    if (!lineMark_ || !part_ || !move.sent)
        return;
    if (move.bar == savedBar_ && move.position == savedPosition_ && move.offset == savedOffset_)
        return;
    NotificationPayload payload;
    payload.lineMark = lineMark_;
    payload.oldBar = savedBar_;
    payload.oldPosition = savedPosition_;
    payload.oldOffset = savedOffset_;
    payload.newBar = move.bar;
    payload.newPosition = move.position;
    payload.newOffset = move.offset;
    payload.lastBar = LastBarOfMove(move.bar, move.position);
    NotifySelf(notification_id::kLineMarkMoveRelease, &payload);
}

void LineMarkView::NudgeLeft()
{
    if (IsContinued())
        return EditableElement::NudgeLeft();
    SaveSpan();
    MoveBy({-kNudgeStep, 0}, 0);
    ReportMove();
}

void LineMarkView::NudgeRight()
{
    if (IsContinued())
        return EditableElement::NudgeRight();
    SaveSpan();
    MoveBy({kNudgeStep, 0}, 0);
    ReportMove();
}

void LineMarkView::NudgeUp()
{
    if (IsContinued())
        return EditableElement::NudgeUp();
    SaveSpan();
    MoveBy({0, -kNudgeStep}, 0);
    ReportMove();
}

void LineMarkView::NudgeDown()
{
    if (IsContinued())
        return EditableElement::NudgeDown();
    SaveSpan();
    MoveBy({0, kNudgeStep}, 0);
    ReportMove();
}

void LineMarkView::ShowHandleFor(Point point)
{
    // A continued piece is hit as the whole piece of its kind would be.
    const bool show = IsContinued() ? LiesOnPiece(point, style_->whole.hit)
                                    : GetState() == element_state::kSelected;
    for (const auto* handle : {&endHandle_, &bulgeHandle_}) {
        if (*handle && (*handle)->GetState() != element_state::kSelected)
            (*handle)->SetColor(show ? 1 : 0);
    }
}

void LineMarkView::OnButtonDown(Point point, int flags, int& handled)
{
    EditableElement::OnButtonDown(point, flags, handled);
    pressPoint_ = point;
    if (endHandle_)
        endHandle_->OnButtonDown(point, flags, handled);
    if (bulgeHandle_)
        bulgeHandle_->OnButtonDown(point, flags, handled);
    ShowHandleFor(point);
    SaveSpan();
    if (!IsContinued() && lineMark_)
        lineMark_->SetState(GetState());
}

void LineMarkView::OnPointerMove(Point point, int flags)
{
    if (IsContinued()) {
        EditableElement::OnPointerMove(point, flags);
    } else {
        ScoreElement::OnPointerMove(point, flags);
        if (IsGrabbed() && IsButtonDown()) {
            MoveBy({ClampToInt(std::int64_t{point.x} - pressPoint_.x),
                    ClampToInt(std::int64_t{point.y} - pressPoint_.y)},
                   flags);
            SetLastPointer(point);
        }
    }
    if (endHandle_)
        endHandle_->OnPointerMove(point, flags);
    if (bulgeHandle_)
        bulgeHandle_->OnPointerMove(point, flags);
}

void LineMarkView::OnButtonUp(Point point, int flags)
{
    EditableElement::OnButtonUp(point, flags);
    if (!IsContinued() && ReleaseEndsPress() && GetState() == element_state::kSelected)
        ReportMove();
    if (endHandle_)
        endHandle_->OnButtonUp(point, flags);
    if (bulgeHandle_) {
        bulgeHandle_->OnButtonUp(point, flags);
        if (bulgeDragging_ && bulgeHandle_->GetState() == element_state::kSelected)
            ReportReshape(false);
        bulgeDragging_ = false;
    }
}

void LineMarkView::ReportReshape(bool durationToo)
{
    // As for moves: what the view last asked for, not what the line mark holds yet.
    const ReportedShape shape = reportedShape_;
    reportedShape_ = {};
    if (!lineMark_ || !shape.sent)
        return;
    if ((durationToo && shape.duration != shapeDuration_) || shape.radian != shapeRadian_)
        SendReshape(notification_id::kLineMarkReshapeRelease, shape.duration, shape.radian);
}

void LineMarkView::SendReshape(int id, int newDuration, double newRadian)
{
    if (id == notification_id::kLineMarkReshapeDrag)
        reportedShape_ = {true, newDuration, newRadian};
    NotificationPayload payload;
    payload.lineMark = lineMark_;
    payload.oldDuration = shapeDuration_;
    payload.oldRadian = shapeRadian_;
    payload.newDuration = newDuration;
    payload.newRadian = newRadian;
    NotifySelf(id, &payload);
}

void LineMarkView::DragEndTo(Point /*delta*/)
{
    if (!part_ || !lineMark_ || !endHandle_)
        return;
    const Point pointer = GetPointerPosition();
    const Point origin = GetOrigin();
    const Point base = OffsetPoint(GetPosition(), GetOffset());
    const BarTime found = FindRowTimeAtX(*part_, firstBar_, endBar_,
                                         SubtractCoordinates(pointer.x, origin.x), false);
    if (found.bar < 0)
        return;
    const double startY = IsContinued() ? 0.0 : start_.y;
    const double dy = static_cast<double>(pointer.y) - origin.y - base.y - startY;
    if (style_->shape == LineMarkShape::kArpeggio) {
        // An arpeggio keeps its time; the handle sets its length downwards or upwards.
        SendReshape(notification_id::kLineMarkReshapeDrag, lineMark_->GetDuration(), dy);
        return;
    }
    const int duration = GetTimeBetween(*part_, lineMark_->GetBar(),
                                        lineMark_->GetTimePosition(), found.bar, found.time);
    double radian = lineMark_->GetRadian();
    if (style_->shape != LineMarkShape::kSmoothSlur) {
        double dx = static_cast<double>(pointer.x) - origin.x - base.x;
        if (IsContinued()) {
            dx += GetDistanceBetween(*part_, lineMark_->GetBar(), lineMark_->GetTimePosition(),
                                     firstBar_, 0);
        } else {
            dx -= start_.x;
        }
        if (dx == 0.0)
            dx = 1.0;
        radian = (endHandle_->GetAxisMask() & drag_axis::kY) != 0 ? dy / dx : 0.0;
    }
    SendReshape(notification_id::kLineMarkReshapeDrag, duration, radian);
}

void LineMarkView::DragBulge()
{
    if (!lineMark_)
        return;
    const Point pointer = GetPointerPosition();
    const double radian = static_cast<double>(pointer.y) - GetOrigin().y - GetPosition().y -
                          GetOffset().y - start_.y;
    SendReshape(notification_id::kLineMarkReshapeDrag, lineMark_->GetDuration(), radian);
}

int LineMarkView::Notify(ElementNotification& notification)
{
    namespace id = notification_id;
    const ScoreElement* sender = notification.sender;
    if (sender != nullptr && endHandle_ && sender == endHandle_.get()) {
        switch (notification.id) {
        case id::kHandlePressed:
            SaveShape();
            break;
        case id::kHandleDragged:
            DragEndTo(notification.payload ? notification.payload->delta : Point{});
            break;
        case id::kHandleReleased:
            // A change of the slope alone is a reshape too, on every piece.
            ReportReshape(true);
            break;
        default:
            break;
        }
    } else if (sender != nullptr && bulgeHandle_ && sender == bulgeHandle_.get()) {
        switch (notification.id) {
        case id::kHandlePressed:
            SaveShape();
            bulgeDragging_ = true;
            break;
        case id::kHandleDragged:
            DragBulge();
            break;
        default:
            break;  // the view's release sends the finished bulge drag
        }
    }
    return ScoreElement::Notify(notification);
}

}  // namespace quaverly
