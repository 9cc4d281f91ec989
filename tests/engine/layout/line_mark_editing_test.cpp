// Editing line marks on screen, through the records the views send: a stand-in for the
// edit controller applies the in-progress records to the line mark as its transient
// commands would and counts the finished records, each of which the controller records
// as one undo step. Moves follow the pointer, nudges move by one step, the end and bulge
// handles reshape, and deletion asks for the mark's removal.
#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/line_mark_view_factory.h"
#include "tests/engine/layout/hand_laid_score.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

using namespace quaverly::testing;
using fakes::FakePainter;
namespace k = line_mark_kind;
namespace seg = line_mark_segment;
namespace id = notification_id;

constexpr Point kRowOrigin{1000, 2000};

// Stands where the edit controller would: in-progress records change the mark at once,
// finished ones are steps.
class ControllerStandIn : public ScoreElement {
public:
    struct Record {
        int id;
        NotificationPayload payload;
    };

    int Notify(ElementNotification& n) override
    {
        if (!n.payload)
            return 1;
        records.push_back({n.id, *n.payload});
        const NotificationPayload& p = *n.payload;
        if (p.lineMark && (n.id == id::kLineMarkMoveDrag || n.id == id::kLineMarkMoveRelease)) {
            auto& mark = static_cast<LineMark&>(*p.lineMark);
            mark.SetBar(p.newBar);
            mark.SetTimePosition(p.newPosition);
            mark.SetOffset(p.newOffset);
        }
        if (p.lineMark &&
            (n.id == id::kLineMarkReshapeDrag || n.id == id::kLineMarkReshapeRelease)) {
            auto& mark = static_cast<LineMark&>(*p.lineMark);
            mark.SetDuration(p.newDuration);
            mark.SetRadian(static_cast<float>(p.newRadian));
        }
        return 1;
    }

    std::vector<Record> Named(int which) const
    {
        std::vector<Record> found;
        for (const auto& r : records) {
            if (r.id == which)
                found.push_back(r);
        }
        return found;
    }
    // Finished records: one undo step each.
    int Steps() const
    {
        int steps = 0;
        for (const auto& r : records) {
            steps += r.id == id::kLineMarkMoveRelease || r.id == id::kLineMarkReshapeRelease ||
                     r.id == id::kLineMarkDelete;
        }
        return steps;
    }

    std::vector<Record> records;
};

struct Edited {
    FakePainter painter;
    std::shared_ptr<Part> part = MakeHandLaidPart();
    std::shared_ptr<LineMark> mark;
    ControllerStandIn controller;
    std::shared_ptr<LineMarkView> view;

    Edited(int kind, int segment, int bar, int position, int duration, BarRange row)
        : mark(CreateLineMark(kind))
    {
        mark->SetBar(bar);
        mark->SetTimePosition(position);
        mark->SetDuration(duration);
        view = MakeLineMarkView(mark.get(), segment);
        view->SetSegment(segment);
        view->SetOrigin(kRowOrigin);
        view->SetPart(part);
        view->SetLineMark(mark);
        view->SetBarRange(row.first, row.end);
        view->SetParent(&controller);
        view->Layout(painter);
    }

    // A whole crescendo and the like from the quarter of bar 0 for two quarters.
    explicit Edited(int kind) : Edited(kind, seg::kWhole, 0, kQuarter, 2 * kQuarter, {0, 2}) {}

    Point Start() const { return OffsetPoint(view->GetAbsolutePoint(), view->GetStartPoint()); }

    // A press on the handle just past the end of the line, so the line does not take it.
    Point OnHandle(const LayoutMarkG& handle) const
    {
        const Point at = handle.GetAbsolutePoint();
        const Rect r = handle.GetRect();
        return {at.x + r.right - 1, at.y + (r.top + r.bottom) / 2};
    }

    void Drag(Point from, std::vector<Point> to)
    {
        int handled = 0;
        view->OnButtonDown(from, 0, handled);
        for (Point p : to)
            view->OnPointerMove(p, 0);
        view->OnButtonUp(to.empty() ? from : to.back(), 0);
    }
};

int TimeAt(int xInBar)
{
    return static_cast<int>(static_cast<long long>(xInBar - kBarMargin) * kWhole / 1000);
}

TEST(LineMarkEditingTest, APressSelectsTheMarkAndShowsItsHandle)
{
    Edited e(k::kCresc);
    int handled = 0;
    e.view->OnButtonDown(OffsetPoint(e.Start(), {50, 0}), 0, handled);
    EXPECT_EQ(e.view->GetState(), element_state::kSelected);
    EXPECT_EQ(e.mark->GetState(), element_state::kSelected);  // the next views come up selected
    EXPECT_EQ(e.view->GetEndHandle()->GetColor(), 1);
    e.view->OnButtonUp(OffsetPoint(e.Start(), {50, 0}), 0);
    EXPECT_EQ(e.controller.Steps(), 0);  // selection alone records nothing

    handled = 0;
    e.view->OnButtonDown({0, 0}, 0, handled);
    EXPECT_NE(e.view->GetState(), element_state::kSelected);
    EXPECT_EQ(e.view->GetEndHandle()->GetColor(), 0);
}

// The target is the press point plus the total movement: with the mark already moved
// by the first step, a second step still lands under the pointer.
TEST(LineMarkEditingTest, AMoveFollowsThePointerAndIsOneStep)
{
    Edited e(k::kCresc);
    const Point press = OffsetPoint(e.Start(), {50, 0});
    const int startX = e.view->GetStartPoint().x;
    e.Drag(press, {OffsetPoint(press, {100, 0}), OffsetPoint(press, {200, 0})});

    const auto steps = e.controller.Named(id::kLineMarkMoveDrag);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].payload.newPosition, TimeAt(startX + 100));
    EXPECT_EQ(steps[1].payload.newPosition, TimeAt(startX + 200));
    EXPECT_EQ(steps[1].payload.oldPosition, kQuarter);
    EXPECT_EQ(steps[1].payload.newOffset, (Point{0, 0}));

    const auto done = e.controller.Named(id::kLineMarkMoveRelease);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].payload.oldBar, 0);
    EXPECT_EQ(done[0].payload.oldPosition, kQuarter);
    EXPECT_EQ(done[0].payload.newPosition, TimeAt(startX + 200));
    EXPECT_EQ(done[0].payload.lineMark, e.mark);
    EXPECT_EQ(e.controller.Steps(), 1);
}

TEST(LineMarkEditingTest, AMoveBeyondTheRowEndsAtTheEndOfItsLastBar)
{
    Edited e(k::kCresc);
    const Point press = OffsetPoint(e.Start(), {50, 0});
    e.Drag(press, {OffsetPoint(press, {5000, 0})});
    const auto steps = e.controller.Named(id::kLineMarkMoveDrag);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].payload.newBar, 1);
    EXPECT_EQ(steps[0].payload.newPosition, kWhole);
    // The two quarters from the end of bar 1 run into bar 2, the next row.
    EXPECT_EQ(steps[0].payload.lastBar, 2);
}

// Each nudge is one in-progress record and one finished record.
TEST(LineMarkEditingTest, NudgesAreOneStepEach)
{
    struct Case {
        const char* name;
        void (LineMarkView::*nudge)();
        Point delta;
    };
    const Case cases[] = {
        {"left", &LineMarkView::NudgeLeft, {-kNudgeStep, 0}},
        {"right", &LineMarkView::NudgeRight, {kNudgeStep, 0}},
        {"up", &LineMarkView::NudgeUp, {0, -kNudgeStep}},
        {"down", &LineMarkView::NudgeDown, {0, kNudgeStep}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int segment : {seg::kWhole, seg::kStart}) {
            Edited e(k::kCresc, segment, 0, kQuarter, segment == seg::kWhole ? 2 * kQuarter : 2 * kWhole,
                     {0, 2});
            e.mark->SetOffset({5, 7});
            e.view->Layout(e.painter);
            const int startX = e.view->GetStartPoint().x + e.view->GetOffset().x;
            (e.view.get()->*c.nudge)();
            const auto moves = e.controller.Named(id::kLineMarkMoveDrag);
            ASSERT_EQ(moves.size(), 1u);
            EXPECT_EQ(moves[0].payload.oldOffset, (Point{5, 7}));
            EXPECT_EQ(moves[0].payload.newOffset.y, 7 + c.delta.y);
            // Start x of the target: the snapped time's x plus what stays in the offset.
            EXPECT_EQ(TimeX(moves[0].payload.newPosition) + moves[0].payload.newOffset.x,
                      startX + c.delta.x);
            EXPECT_EQ(e.controller.Steps(), 1);
        }
    }
}

TEST(LineMarkEditingTest, NudgingRightAsksForTheTimeUnderTheStartPlusOneStep)
{
    Edited e(k::kCresc);
    e.view->NudgeRight();
    const auto moves = e.controller.Named(id::kLineMarkMoveDrag);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].payload.newBar, 0);
    EXPECT_NEAR(moves[0].payload.newPosition, kQuarter + kNudgeStep * kWhole / 1000.0, 1.0);
}

TEST(LineMarkEditingTest, AGlissandoEndDraggedDownAndRightGetsItsSlope)
{
    Edited e(k::kGlissando);
    const auto& handle = *e.view->GetEndHandle();
    const Point start = e.Start();
    e.Drag(e.OnHandle(handle), {OffsetPoint(start, {400, 100})});
    const auto steps = e.controller.Named(id::kLineMarkReshapeDrag);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_DOUBLE_EQ(steps[0].payload.newRadian, 0.25);
    EXPECT_EQ(steps[0].payload.newDuration, TimeAt(e.view->GetStartPoint().x + 400) - kQuarter);
    EXPECT_EQ(steps[0].payload.oldDuration, 2 * kQuarter);
    EXPECT_EQ(e.controller.Named(id::kLineMarkReshapeRelease).size(), 1u);
    EXPECT_EQ(e.controller.Steps(), 1);
}

TEST(LineMarkEditingTest, ACrescendoStaysLevelAndAVerticalDragChangesNothing)
{
    Edited e(k::kCresc);
    const auto& handle = *e.view->GetEndHandle();
    const Point on = e.OnHandle(handle);
    e.Drag(on, {OffsetPoint(on, {0, 300})});
    // The handle moves in x only: whatever the pointer's height, the mark stays level
    // (the duration follows the pointer's x, which the press took just past the end).
    ASSERT_FALSE(e.controller.Named(id::kLineMarkReshapeDrag).empty());
    for (const auto& r : e.controller.records) {
        if (r.id == id::kLineMarkReshapeDrag || r.id == id::kLineMarkReshapeRelease) {
            EXPECT_EQ(r.payload.newRadian, 0.0);
        }
    }
    EXPECT_EQ(e.mark->GetRadian(), 0.0f);
    EXPECT_LE(e.controller.Steps(), 1);

    // A sloped crescendo dragged sideways comes back level.
    Edited sloped(k::kCresc);
    sloped.mark->SetRadian(0.1f);
    sloped.view->Layout(sloped.painter);
    const Point at = sloped.OnHandle(*sloped.view->GetEndHandle());
    sloped.Drag(at, {OffsetPoint(at, {-100, 0})});
    const auto done = sloped.controller.Named(id::kLineMarkReshapeRelease);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].payload.newRadian, 0.0);
}

// The end piece of a glissando may be dragged up and down alone: a change of slope
// without a change of duration is still a step.
TEST(LineMarkEditingTest, AVerticalOnlyReshapeOfAContinuedPieceIsAStep)
{
    // From the quarter of bar 1 to the half of bar 4: the end piece lies on row [4, 6).
    const int duration = 3 * kQuarter + 2 * kWhole + 2 * kQuarter;
    Edited e(k::kGlissando, seg::kEnd, 1, kQuarter, duration, {4, 6});
    const auto& handle = *e.view->GetEndHandle();
    const Point on = e.OnHandle(handle);
    // Straight up from the piece's end: the end keeps its time.
    const int endX = e.view->GetAbsolutePoint().x + e.view->GetEndPoint().x;
    e.Drag(on, {{endX, on.y - 200}});
    const auto done = e.controller.Named(id::kLineMarkReshapeRelease);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].payload.newDuration, done[0].payload.oldDuration);
    EXPECT_NE(done[0].payload.newRadian, done[0].payload.oldRadian);
    EXPECT_EQ(e.controller.Steps(), 1);
}

TEST(LineMarkEditingTest, ASmoothSlurBulgeDragIsOneStep)
{
    Edited e(k::kSmoothSlur);
    const auto& bulge = *e.view->GetBulgeHandle();
    const Point on = e.OnHandle(bulge);
    const Point start = e.Start();
    e.Drag(on, {OffsetPoint(on, {0, -50}), {on.x, start.y - 400}});
    const auto steps = e.controller.Named(id::kLineMarkReshapeDrag);
    ASSERT_FALSE(steps.empty());
    EXPECT_DOUBLE_EQ(steps.back().payload.newRadian, -400.0);
    EXPECT_EQ(steps.back().payload.newDuration, 2 * kQuarter);
    const auto done = e.controller.Named(id::kLineMarkReshapeRelease);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_DOUBLE_EQ(done[0].payload.newRadian, -400.0);
    EXPECT_EQ(e.controller.Steps(), 1);
}

TEST(LineMarkEditingTest, AContinuedPieceIsNeverSelectedButShowsItsHandleWhenPressedOnIt)
{
    const int duration = 3 * kQuarter + 2 * kWhole + 2 * kQuarter;
    Edited e(k::kCresc, seg::kMiddle, 1, kQuarter, duration, {2, 4});
    int handled = 0;
    e.view->OnButtonDown(OffsetPoint(e.Start(), {500, 0}), 0, handled);
    EXPECT_NE(e.view->GetState(), element_state::kSelected);
    EXPECT_EQ(e.view->GetEndHandle()->GetColor(), 1);
    handled = 0;
    e.view->OnButtonDown(OffsetPoint(e.Start(), {500, 5000}), 0, handled);
    EXPECT_EQ(e.view->GetEndHandle()->GetColor(), 0);
}

TEST(LineMarkEditingTest, DeletionIsOneStepForEveryKind)
{
    for (int kind : {k::kCresc, k::kDecresc, k::kFlatSlur, k::kSmoothSlur, k::kTrill,
                     k::kHighOctave, k::kLowOctave, k::kFirstEnding, k::kSecondEnding,
                     k::kArpeggio, k::kGlissando}) {
        Edited e(kind);
        e.view->DeleteSelected();
        const auto removed = e.controller.Named(id::kLineMarkDelete);
        ASSERT_EQ(removed.size(), 1u) << kind;
        EXPECT_EQ(removed[0].payload.lineMark, e.mark);
        EXPECT_EQ(removed[0].payload.part, e.part);
        EXPECT_EQ(e.controller.Steps(), 1);
    }
}

}  // namespace
}  // namespace quaverly
