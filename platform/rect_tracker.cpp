#include "platform/rect_tracker.h"

#include <QCursor>
#include <QWidget>

#include <algorithm>

namespace platform {
namespace {

Rect Inflated(const Rect& r, std::int32_t by) { return Rect{r.left - by, r.top - by, r.right + by, r.bottom + by}; }

}  // namespace

Rect RectTracker::NormalizedRect() const
{
    return Rect{std::min(rect_.left, rect_.right), std::min(rect_.top, rect_.bottom),
                std::max(rect_.left, rect_.right), std::max(rect_.top, rect_.bottom)};
}

Rect RectTracker::TrueRect() const
{
    const Rect r = NormalizedRect();
    return (style_ & (kResizeOutside | kHatchedBorder)) ? Inflated(r, handleSize_) : r;
}

unsigned RectTracker::GetHandleMask() const
{
    if (!(style_ & (kResizeInside | kResizeOutside)))
        return 0;
    unsigned mask = 0x0F;  // the corners
    const Rect r = NormalizedRect();
    if (r.Width() >= 3 * handleSize_)
        mask |= (1u << kHitTop) | (1u << kHitBottom);
    if (r.Height() >= 3 * handleSize_)
        mask |= (1u << kHitLeft) | (1u << kHitRight);
    return mask;
}

Rect RectTracker::HandleRect(int handle) const
{
    const Rect r = NormalizedRect();
    const std::int32_t s = handleSize_;
    const bool outside = (style_ & kResizeOutside) != 0;
    // Left edge of a handle at the left side, at the middle, at the right side; same for y.
    const std::int32_t x[3] = {outside ? r.left - s : r.left, r.left + (r.Width() - s) / 2,
                               outside ? r.right : r.right - s};
    const std::int32_t y[3] = {outside ? r.top - s : r.top, r.top + (r.Height() - s) / 2,
                               outside ? r.bottom : r.bottom - s};
    static constexpr int kColumn[8] = {0, 2, 2, 0, 1, 2, 1, 0};
    static constexpr int kRow[8] = {0, 0, 2, 2, 0, 1, 2, 1};
    if (handle < 0 || handle > 7)
        return {};
    const std::int32_t left = x[kColumn[handle]];
    const std::int32_t top = y[kRow[handle]];
    return Rect{left, top, left + s, top + s};
}

int RectTracker::HitTest(Point point) const
{
    const unsigned mask = GetHandleMask();
    for (int handle = 0; handle < 8; ++handle)
        if ((mask & (1u << handle)) && HandleRect(handle).Contains(point))
            return handle;
    const Rect inside = (style_ & kHatchedBorder) ? TrueRect() : NormalizedRect();
    if (!NormalizedRect().IsEmpty() && inside.Contains(point))
        return kHitMiddle;
    return kHitNothing;
}

Qt::CursorShape RectTracker::CursorShape(int hit)
{
    switch (hit) {
    case kHitTopLeft:
    case kHitBottomRight: return Qt::SizeFDiagCursor;
    case kHitTopRight:
    case kHitBottomLeft: return Qt::SizeBDiagCursor;
    case kHitTop:
    case kHitBottom: return Qt::SizeVerCursor;
    case kHitLeft:
    case kHitRight: return Qt::SizeHorCursor;
    case kHitMiddle: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

bool RectTracker::SetCursor(QWidget* widget, Point point) const
{
    const int hit = HitTest(point);
    if (hit == kHitNothing)
        return false;
    if (widget)
        widget->setCursor(QCursor(CursorShape(hit)));
    return true;
}

Rect RectTracker::Moved(const Rect& start, int hit, std::int32_t dx, std::int32_t dy)
{
    Rect r = start;
    switch (hit) {
    case kHitTopLeft: r.left += dx; r.top += dy; break;
    case kHitTopRight: r.right += dx; r.top += dy; break;
    case kHitBottomRight: r.right += dx; r.bottom += dy; break;
    case kHitBottomLeft: r.left += dx; r.bottom += dy; break;
    case kHitTop: r.top += dy; break;
    case kHitRight: r.right += dx; break;
    case kHitBottom: r.bottom += dy; break;
    case kHitLeft: r.left += dx; break;
    case kHitMiddle: r.left += dx; r.right += dx; r.top += dy; r.bottom += dy; break;
    default: break;
    }
    return r;
}

bool RectTracker::BeginDrag(int hit, Point point)
{
    if (hit < kHitTopLeft || hit > kHitMiddle)
        return false;
    dragging_ = true;
    dragHit_ = hit;
    dragStart_ = rect_;
    dragFrom_ = point;
    return true;
}

bool RectTracker::DragTo(Point point)
{
    if (!dragging_)
        return false;
    rect_ = Moved(dragStart_, dragHit_, point.x - dragFrom_.x, point.y - dragFrom_.y);
    return true;
}

void RectTracker::Draw(DeviceContext& dc) const
{
    const Rect r = NormalizedRect();
    if (r.IsEmpty())
        return;
    const Pen oldPen = dc.SelectedPen();
    const Brush oldBrush = dc.SelectedBrush();
    if (style_ & kHatchedBorder) {
        // The border band around the rectangle, in grey.
        const Rect o = Inflated(r, handleSize_);
        dc.SelectPen(Pen{kPsNull, 0, 0});
        dc.SelectBrush(Brush::Solid(Rgb(128, 128, 128)));
        for (const Rect& band : {Rect{o.left, o.top, o.right + 1, r.top + 1}, Rect{o.left, r.bottom, o.right + 1, o.bottom + 1},
                                 Rect{o.left, r.top, r.left + 1, r.bottom + 1}, Rect{r.right, r.top, o.right + 1, r.bottom + 1}})
            dc.Rectangle(band);
    }
    if (style_ & (kSolidLine | kDottedLine)) {
        dc.SelectPen(Pen{(style_ & kDottedLine) ? kPsDot : kPsSolid, 0, 0});
        dc.SelectBrush(Brush::Null());
        dc.Rectangle(r);
    }
    dc.SelectPen(Pen{kPsNull, 0, 0});
    dc.SelectBrush(Brush::Solid(0));
    const unsigned mask = GetHandleMask();
    for (int handle = 0; handle < 8; ++handle)
        if (mask & (1u << handle)) {
            Rect h = HandleRect(handle);
            // A null pen leaves the right and bottom edge unfilled; draw one pixel larger.
            h.right += 1;
            h.bottom += 1;
            dc.Rectangle(h);
        }
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}

}  // namespace platform
