#include "engine/layout/line_mark_view.h"

#include <cmath>
#include <cstdint>

#include "engine/layout/line_mark_geometry.h"
#include "engine/model/bar.h"
#include "engine/model/int_clamp.h"
#include "engine/model/line_mark.h"
#include "engine/model/part.h"
#include "engine/model/score_painter.h"

namespace quaverly {

namespace {

int Add(int a, int b)
{
    return ClampToInt(std::int64_t{a} + b);
}

int Sub(int a, int b)
{
    return ClampToInt(std::int64_t{a} - b);
}

Point Add(Point a, Point b)
{
    return {Add(a.x, b.x), Add(a.y, b.y)};
}

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
    return Add(GetAbsolutePoint(), start_);
}

bool LineMarkView::HitTest(Point point) const
{
    switch (piece_->hit) {
    case LineMarkHit::kSlopeLine: {
        const Point from = AbsoluteStart();
        const std::int64_t toX = std::int64_t{GetAbsolutePoint().x} + end_.x;
        if (point.x < from.x || point.x > toX)
            return false;
        // In double: a steep slope over a long run must not wrap around.
        const double lineY = from.y + static_cast<double>(Radian()) * (point.x - from.x);
        return std::abs(point.y - lineY) < GetRect().Height();
    }
    case LineMarkHit::kRectangle: {
        const Rect rect = GetRect().Moved(AbsoluteStart());
        return rect.left <= point.x && point.x <= rect.right && rect.top <= point.y &&
               point.y <= rect.bottom;
    }
    case LineMarkHit::kNever:
        break;
    }
    return false;
}

void LineMarkView::Layout(ScorePainter& painter)
{
    const Point wedge = painter.GetWedgeOffset();
    switch (style_->placement) {
    case LineMarkPlacement::kBelow:
        SetPosition({wedge.x, Add(wedge.y, painter.GetBarLineHeight())});
        break;
    case LineMarkPlacement::kAbove:
    case LineMarkPlacement::kArpeggio:
        SetPosition({wedge.x, -wedge.y});
        break;
    case LineMarkPlacement::kEnding:
        SetPosition({wedge.x, Sub(-wedge.y, 150)});
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
    const int length = Sub(end_.x, start_.x);
    const int radian = TruncToInt(Radian());
    switch (style_->shape) {
    case LineMarkShape::kStraight:
    case LineMarkShape::kFlatSlur:
        SetRect({0, 0, length, painter.GetWedgeSpread()});
        break;
    case LineMarkShape::kSmoothSlur:
        SetRect(radian > 0 ? Rect{0, 0, length, radian} : Rect{0, radian, length, 0});
        break;
    case LineMarkShape::kArpeggio: {
        const int half = painter.GetWedgeSpread() / 2;
        const int height = Sub(end_.y, start_.y);
        SetRect(height <= 0 ? Rect{-half, height, half, 0} : Rect{-half, 0, half, height});
        break;
    }
    }

    PlaceHandles(painter);
}

void LineMarkView::PlaceHandles(ScorePainter& painter)
{
    const Point base = Add(GetPosition(), GetOffset());
    if (endHandle_) {
        endHandle_->SetOrigin(GetOrigin());
        endHandle_->SetPosition(Add(base, end_));
        endHandle_->SetParent(this);
        endHandle_->Layout(painter);
        if (style_->shape == LineMarkShape::kArpeggio) {
            // Centred under (or over) the line's free end.
            const Size size = painter.MeasureEditMarkE();
            const Point at = endHandle_->GetPosition();
            endHandle_->SetPosition({Sub(at.x, size.cx / 2),
                                     Radian() >= 0.0f ? Add(at.y, size.cy)
                                                      : Sub(at.y, size.cy)});
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
    const Point from = Add(at, start_);
    const Point to = Add(at, end_);
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
        int length = Sub(end_.x, start_.x);
        if (ShortensFlatSlur())
            length = Sub(length, half);
        if (piece_->slur)
            (painter.*piece_->slur)(Add(from.x, half), from.y, length, color);
        break;
    }
    case LineMarkShape::kSmoothSlur: {
        // Start, bulge and end, all over the middle of the notes; the bulge lies the
        // radian above (negative) or below the start.
        const int half = painter.GetNoteSize().cx / 2;
        const int middleX =
            ClampToInt(std::int64_t{at.x} + (std::int64_t{start_.x} + end_.x) / 2 + half);
        painter.DrawCurve(Add(from.x, half), from.y, middleX,
                          Add(from.y, TruncToInt(Radian())), Add(to.x, half), to.y, color);
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
        start_ = {Sub(0, offsetX), 0};
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
    start_ = {Sub(left, offsetX), y};
}

int LineMarkView::RowEndX() const
{
    if (!part_)
        return 0;
    const int count = GetPartBarCount(*part_);
    const std::shared_ptr<Bar> last = GetPartBar(*part_, (endBar_ < count ? endBar_ : count) - 1);
    if (!last)
        return 0;
    return Sub(GetBarRowRect(*last).right, GetOffset().x);
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
        return Sub(edges.left, GetOffset().x);
    if (e.time < GetBarTimeLength(*bar))
        return GetTimeX(*part_, e.bar, e.time);
    return Sub(edges.right, GetOffset().x);
}

void LineMarkView::SetEndFromX(int x)
{
    const double radian = Radian();
    switch (style_->shape) {
    case LineMarkShape::kStraight:
    case LineMarkShape::kFlatSlur:
        end_ = {x, Add(start_.y, TruncToInt(radian * (static_cast<double>(x) - start_.x)))};
        break;
    case LineMarkShape::kSmoothSlur:
        end_ = {x, start_.y};
        break;
    case LineMarkShape::kArpeggio:
        end_ = {start_.x, Add(start_.y, TruncToInt(radian))};
        break;
    }
}

}  // namespace quaverly
