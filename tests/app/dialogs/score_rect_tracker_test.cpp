// The selection tool's tracker: which handle a point hits, and the frame and handles it
// draws in device pixels, whatever mapping the context had.
#include "app/dialogs/score_rect_tracker.h"
#include "platform/recording_device_context.h"

#include <gtest/gtest.h>

namespace {

using brindle::CScoreRectTracker;
using platform::Point;
using platform::Rect;
using platform::RectTracker;

// The view's style: dotted frame, handles outside.
constexpr unsigned kViewStyle = RectTracker::kDottedLine | RectTracker::kResizeOutside;

TEST(ScoreRectTracker, HitZones)
{
    // Handles 6 pixels square, outside the rectangle (10, 20) - (110, 80).
    CScoreRectTracker tracker(Rect{10, 20, 110, 80}, kViewStyle);
    struct Case {
        Point point;
        int hit;
    };
    const Case cases[] = {
        {{7, 17}, RectTracker::kHitTopLeft},       {{112, 17}, RectTracker::kHitTopRight},
        {{112, 82}, RectTracker::kHitBottomRight}, {{7, 82}, RectTracker::kHitBottomLeft},
        {{60, 17}, RectTracker::kHitTop},          {{112, 50}, RectTracker::kHitRight},
        {{60, 82}, RectTracker::kHitBottom},       {{7, 50}, RectTracker::kHitLeft},
        {{60, 50}, RectTracker::kHitMiddle},       {{10, 20}, RectTracker::kHitMiddle},
        {{200, 50}, RectTracker::kHitNothing},     {{60, 10}, RectTracker::kHitNothing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tracker.HitTest(c.point), c.hit) << c.point.x << "," << c.point.y;
    // A rectangle given right to left hits the same.
    CScoreRectTracker reversed(Rect{110, 80, 10, 20}, kViewStyle);
    EXPECT_EQ(reversed.HitTest({7, 17}), RectTracker::kHitTopLeft);
}

TEST(ScoreRectTracker, DrawsDottedFrameOutsideAndBlueHandles)
{
    CScoreRectTracker tracker(Rect{10, 20, 110, 80}, kViewStyle);
    platform::RecordingDeviceContext dc;
    dc.SetMapMode(platform::MapMode::Isotropic);
    dc.SetWindowExt({1000, 1000});
    dc.SetViewportExt({100, 100});
    dc.SetWindowOrg({5, 5});
    dc.SetViewportOrg({7, 9});
    const platform::Pen pen{platform::kPsSolid, 3, 0x123456};
    dc.SelectPen(pen);
    tracker.Draw(dc);

    const auto rects = dc.CallsOf("Rectangle");
    ASSERT_EQ(rects.size(), 9u);
    EXPECT_EQ(rects[0].rect, (Rect{7, 17, 113, 83}));
    EXPECT_EQ(rects[0].pen.style, platform::kPsDot);
    EXPECT_EQ(rects[0].pen.width, 0);
    EXPECT_EQ(rects[0].pen.color, 0u);
    EXPECT_EQ(rects[0].brush.kind, platform::Brush::Kind::Null);
    for (int handle = 0; handle < 8; ++handle) {
        const auto& call = rects[1 + handle];
        Rect expected = tracker.HandleRect(handle);
        expected.right += 1;
        expected.bottom += 1;
        EXPECT_EQ(call.rect, expected) << handle;
        EXPECT_EQ(call.brush, platform::Brush::Solid(0xFF0000)) << handle;
        EXPECT_EQ(call.pen.style, platform::kPsNull) << handle;
    }
    // Everything the context had is given back.
    EXPECT_EQ(dc.SelectedPen(), pen);
    EXPECT_EQ(dc.GetMapping().mode, platform::MapMode::Isotropic);
    EXPECT_EQ(dc.GetMapping().windowExt, (platform::Size{1000, 1000}));
    EXPECT_EQ(dc.GetMapping().viewportExt, (platform::Size{100, 100}));
    EXPECT_EQ(dc.GetMapping().windowOrg, (Point{5, 5}));
    EXPECT_EQ(dc.GetMapping().viewportOrg, (Point{7, 9}));
}

TEST(ScoreRectTracker, HandlesOnlyWithAResizeStyleAndNothingForAnEmptyRectangle)
{
    platform::RecordingDeviceContext dc;
    CScoreRectTracker frameOnly(Rect{10, 20, 110, 80}, RectTracker::kDottedLine);
    frameOnly.Draw(dc);
    EXPECT_EQ(dc.CallsOf("Rectangle").size(), 1u);
    EXPECT_EQ(frameOnly.HitTest({7, 17}), RectTracker::kHitNothing);

    dc.Clear();
    // A small rectangle shows only its corner handles.
    CScoreRectTracker small(Rect{10, 20, 20, 30}, kViewStyle);
    small.Draw(dc);
    EXPECT_EQ(dc.CallsOf("Rectangle").size(), 5u);

    dc.Clear();
    CScoreRectTracker empty(Rect{10, 20, 10, 80}, kViewStyle);
    empty.Draw(dc);
    EXPECT_TRUE(dc.Calls().empty());
}

}  // namespace
