// The rectangle tracker: hit codes, handles, true rectangle, dragging and drawing.
#include "platform/rect_tracker.h"
#include "platform/recording_device_context.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

using platform::Point;
using platform::Rect;
using platform::RectTracker;

// The score view's style: dotted frame, resize handles outside.
constexpr unsigned kViewStyle = RectTracker::kDottedLine | RectTracker::kResizeOutside;

TEST(RectTrackerTest, HitCodesOfHandlesInsideAndOutside)
{
    RectTracker tracker(Rect{100, 100, 200, 160}, kViewStyle);
    ASSERT_EQ(tracker.HandleSize(), 6);
    struct Case {
        Point point;
        int hit;
    };
    const Case cases[] = {
        {{97, 97}, RectTracker::kHitTopLeft},     {{203, 97}, RectTracker::kHitTopRight},
        {{203, 163}, RectTracker::kHitBottomRight}, {{97, 163}, RectTracker::kHitBottomLeft},
        {{150, 97}, RectTracker::kHitTop},        {{203, 130}, RectTracker::kHitRight},
        {{150, 163}, RectTracker::kHitBottom},    {{97, 130}, RectTracker::kHitLeft},
        {{150, 130}, RectTracker::kHitMiddle},    {{100, 100}, RectTracker::kHitMiddle},
        {{50, 50}, RectTracker::kHitNothing},     {{250, 130}, RectTracker::kHitNothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.point.x) + "," + std::to_string(c.point.y));
        EXPECT_EQ(tracker.HitTest(c.point), c.hit);
    }
    EXPECT_EQ(tracker.TrueRect(), (Rect{94, 94, 206, 166}));
    EXPECT_EQ(tracker.GetHandleMask(), 0xFFu);

    // An inverted rectangle hits the same way.
    tracker.SetRect(Rect{200, 160, 100, 100});
    EXPECT_EQ(tracker.HitTest({97, 97}), RectTracker::kHitTopLeft);
    EXPECT_EQ(tracker.NormalizedRect(), (Rect{100, 100, 200, 160}));
}

TEST(RectTrackerTest, SmallRectanglesShowOnlyTheCornerHandlesAndEmptyOnesHitNothingInside)
{
    RectTracker tracker(Rect{10, 10, 25, 40}, kViewStyle);  // 15 wide, 30 high
    EXPECT_EQ(tracker.GetHandleMask(), 0x0Fu | (1u << RectTracker::kHitLeft) | (1u << RectTracker::kHitRight));
    RectTracker empty(Rect{50, 50, 50, 50}, kViewStyle);
    EXPECT_EQ(empty.HitTest({50, 50}), RectTracker::kHitBottomRight);  // its handles still hit
    EXPECT_EQ(empty.HitTest({60, 60}), RectTracker::kHitNothing);
    RectTracker frameOnly(Rect{0, 0, 100, 100}, RectTracker::kSolidLine);
    EXPECT_EQ(frameOnly.GetHandleMask(), 0u);
    EXPECT_EQ(frameOnly.HitTest({0, 0}), RectTracker::kHitMiddle);
}

TEST(RectTrackerTest, DraggingAPartMovesItsSides)
{
    const Rect start{100, 100, 200, 160};
    struct Case {
        int hit;
        Rect expected;
    };
    const Case cases[] = {
        {RectTracker::kHitTopLeft, {110, 105, 200, 160}},     {RectTracker::kHitTopRight, {100, 105, 210, 160}},
        {RectTracker::kHitBottomRight, {100, 100, 210, 165}}, {RectTracker::kHitBottomLeft, {110, 100, 200, 165}},
        {RectTracker::kHitTop, {100, 105, 200, 160}},         {RectTracker::kHitRight, {100, 100, 210, 160}},
        {RectTracker::kHitBottom, {100, 100, 200, 165}},      {RectTracker::kHitLeft, {110, 100, 200, 160}},
        {RectTracker::kHitMiddle, {110, 105, 210, 165}},      {RectTracker::kHitNothing, start},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hit);
        EXPECT_EQ(RectTracker::Moved(start, c.hit, 10, 5), c.expected);
        RectTracker tracker(start, kViewStyle);
        const bool started = tracker.BeginDrag(c.hit, {300, 300});
        EXPECT_EQ(started, c.hit != RectTracker::kHitNothing);
        EXPECT_EQ(tracker.DragTo({310, 305}), started);
        EXPECT_EQ(tracker.GetRect(), c.expected);
        // Each step measures from the press, not from the last step.
        tracker.DragTo({310, 305});
        EXPECT_EQ(tracker.GetRect(), c.expected);
        tracker.EndDrag();
        EXPECT_FALSE(tracker.DragTo({0, 0}));
    }
}

TEST(RectTrackerTest, CursorFollowsThePartUnderThePointer)
{
    RectTracker tracker(Rect{100, 100, 200, 160}, kViewStyle);
    QWidget widget;
    EXPECT_TRUE(tracker.SetCursor(&widget, {203, 163}));
    EXPECT_EQ(widget.cursor().shape(), Qt::SizeFDiagCursor);
    EXPECT_TRUE(tracker.SetCursor(&widget, {150, 130}));
    EXPECT_EQ(widget.cursor().shape(), Qt::SizeAllCursor);
    EXPECT_FALSE(tracker.SetCursor(&widget, {10, 10}));
    EXPECT_EQ(widget.cursor().shape(), Qt::SizeAllCursor);  // unchanged
}

TEST(RectTrackerTest, DrawsTheFrameAndTheShownHandles)
{
    platform::RecordingDeviceContext dc;
    RectTracker(Rect{}, kViewStyle).Draw(dc);
    EXPECT_TRUE(dc.Calls().empty());

    RectTracker(Rect{100, 100, 200, 160}, kViewStyle).Draw(dc);
    const auto rectangles = dc.CallsOf("Rectangle");
    ASSERT_EQ(rectangles.size(), 9u);
    EXPECT_EQ(rectangles[0].rect, (Rect{100, 100, 200, 160}));
    EXPECT_EQ(rectangles[0].pen.style, platform::kPsDot);
    EXPECT_EQ(rectangles[0].brush.kind, platform::Brush::Kind::Null);
    EXPECT_EQ(rectangles[1].rect, (Rect{94, 94, 101, 101}));  // the top-left handle, filled
    EXPECT_EQ(rectangles[1].brush, platform::Brush::Solid(0));
    // The context gets its pen and brush back.
    EXPECT_EQ(dc.SelectedPen(), platform::Pen{});
    EXPECT_EQ(dc.SelectedBrush(), platform::Brush{});
}

}  // namespace
