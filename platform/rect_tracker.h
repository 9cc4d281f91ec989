// A rectangle the user moves and resizes by its frame and handles. The owner keeps it in
// client coordinates, asks it which part a point hits, shows the matching cursor, and
// drives a drag from its own pointer events (BeginDrag, DragTo, EndDrag); nothing here
// runs a loop of its own. Draw can be replaced to draw the frame in another style.
#pragma once

#include "platform/device_context.h"

#include <Qt>

class QWidget;

namespace platform {

class RectTracker {
public:
    // Style flags.
    static constexpr unsigned kSolidLine = 1;
    static constexpr unsigned kDottedLine = 2;
    static constexpr unsigned kHatchedBorder = 4;
    static constexpr unsigned kResizeInside = 8;
    static constexpr unsigned kResizeOutside = 16;
    static constexpr unsigned kHatchInside = 32;

    // Hit codes: the four corner handles, the four side handles, the inside.
    static constexpr int kHitNothing = -1;
    static constexpr int kHitTopLeft = 0;
    static constexpr int kHitTopRight = 1;
    static constexpr int kHitBottomRight = 2;
    static constexpr int kHitBottomLeft = 3;
    static constexpr int kHitTop = 4;
    static constexpr int kHitRight = 5;
    static constexpr int kHitBottom = 6;
    static constexpr int kHitLeft = 7;
    static constexpr int kHitMiddle = 8;

    RectTracker() = default;
    RectTracker(const Rect& rect, unsigned style) : rect_(rect), style_(style) {}
    virtual ~RectTracker() = default;

    const Rect& GetRect() const { return rect_; }
    void SetRect(const Rect& rect) { rect_ = rect; }
    unsigned Style() const { return style_; }
    void SetStyle(unsigned style) { style_ = style; }
    int HandleSize() const { return handleSize_; }
    void SetHandleSize(int size) { handleSize_ = size < 1 ? 1 : size; }

    // The rectangle with left <= right and top <= bottom.
    Rect NormalizedRect() const;
    // The rectangle with everything drawn around it (outside handles, hatched border).
    Rect TrueRect() const;
    // Bit n set: handle n (hit codes 0-7) is shown. None without a resize style; the side
    // handles only when that side is at least three handles long.
    unsigned GetHandleMask() const;
    // The square of one handle (0-7).
    Rect HandleRect(int handle) const;
    // What `point` hits: a shown handle first, then the inside (kHitMiddle), else -1.
    int HitTest(Point point) const;

    // The cursor shape for a hit code; the arrow for kHitNothing.
    static Qt::CursorShape CursorShape(int hit);
    // Sets the cursor of `widget` for what `point` (its coordinates) hits; false, and
    // nothing changed, when the point hits nothing.
    bool SetCursor(QWidget* widget, Point point) const;

    // `start` changed by a drag of (dx, dy) on the part `hit`: the corners move two
    // sides, the side handles one, the inside moves the whole rectangle.
    static Rect Moved(const Rect& start, int hit, std::int32_t dx, std::int32_t dy);

    // A drag of the part `hit` from `point`. DragTo sets the rectangle; false when no drag
    // runs. A drag on kHitNothing is not started.
    bool BeginDrag(int hit, Point point);
    bool DragTo(Point point);
    void EndDrag() { dragging_ = false; }
    bool IsDragging() const { return dragging_; }

    // The frame (dotted or solid), a grey band for the hatched border and the handles in
    // black; nothing for an empty rectangle. kHatchInside draws nothing more.
    virtual void Draw(DeviceContext& dc) const;

private:
    Rect rect_;
    unsigned style_ = 0;
    int handleSize_ = 6;
    bool dragging_ = false;
    int dragHit_ = kHitNothing;
    Rect dragStart_;
    Point dragFrom_;
};

}  // namespace platform
