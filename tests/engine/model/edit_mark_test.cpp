// Edit marks: colours and visibility at construction, each kind's rectangle and drawing,
// and the press, drag and release reports with axis masks, freeze flags and hidden
// handles.
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/edit_mark.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::PainterCall;
using fakes::RecordingElement;
namespace m = fakes::fake_metrics;
namespace id = notification_id;

struct MarkCase {
    const char* name;
    std::function<std::shared_ptr<EditMark>()> make;
    bool visibleAtStart;
    Rect rect;         // after Layout
    Point position;    // after Layout (origin (1000, 2000), position (10, 20) before)
    PainterCall draw;  // with offset (3, 4), not selected
};

// Origin (1000, 2000) + position + offset (3, 4).
const MarkCase kMarks[] = {
    {"A", [] { return std::make_shared<LayoutMarkA>(); }, false,
     {-m::kEditMarkSize.cx, -m::kEditMarkSize.cy / 2, 0, m::kEditMarkSize.cy / 2},
     {10, 20},
     {"DrawEditMarkA", {1013 - 80, 2024 - 40, color_index::kEditMark}, u""}},
    {"cursor line", [] { return std::make_shared<CursorLineMark>(); }, false,
     {-m::kEditMarkSizeValue - 80, -80, -m::kEditMarkSizeValue, 0},
     {10, 20},
     // The top leaves out the position: 2000 + 4 + 0 + bar-line height.
     {"DrawEditCursor",
      {1013 - 180, 2004 + m::kBarLineHeight, 1013 - 100, 2024, color_index::kEditMark},
      u""}},
    {"C", [] { return std::make_shared<LayoutMarkC>(); }, false,
     {0, 0, 80, 80},
     {0, -80},
     {"DrawEditMarkC", {1003, 2000 - 80 + 4, color_index::kEditMark}, u""}},
    {"D", [] { return std::make_shared<LayoutMarkD>(); }, false,
     {0, 0, m::kEditMarkESize.cx, m::kEditMarkESize.cy},
     {0, -60},
     {"DrawEditMarkE", {1003, 2000 - 60 + 4, color_index::kEditMark}, u""}},
    {"bar width", [] { return std::make_shared<BarWidthMark>(); }, false,
     {-30, -60, 30, 0},
     {10, 20},
     {"DrawEditMarkE", {1013 - 30, 2024 - 60, color_index::kEditMark}, u""}},
    {"F", [] { return std::make_shared<LayoutMarkF>(); }, false,
     {-80, -80, 0, 0},
     {10, 20},
     {"DrawEditMarkD", {1013 - 80, 2024 - 80, color_index::kEditMark}, u""}},
    {"G", [] { return std::make_shared<LayoutMarkG>(); }, true,
     {0, -30, 60, 30},
     {10, 20},
     {"DrawEditMarkE", {1013, 2024 - 30, color_index::kSelected}, u""}},
};

TEST(EditMarkTest, StartsWithTheEditMarkColourAndHiddenExceptTheLineMarkHandle)
{
    for (const MarkCase& mark : kMarks) {
        SCOPED_TRACE(mark.name);
        const auto element = mark.make();
        EXPECT_EQ(element->GetColor(), color_index::kEditMark);
        EXPECT_EQ(element->GetNormalColor(), color_index::kEditMark);
        EXPECT_EQ(element->GetSelectedColor(), color_index::kSelected);
        EXPECT_EQ(element->IsVisible(), mark.visibleAtStart);
    }
}

TEST(EditMarkTest, EachKindMeasuresItsRectangleAndDrawsWhereTheTableSays)
{
    for (const MarkCase& mark : kMarks) {
        SCOPED_TRACE(mark.name);
        FakePainter painter;
        const auto element = mark.make();
        element->SetOrigin({1000, 2000});
        element->SetPosition({10, 20});
        element->SetOffset({3, 4});
        element->Layout(painter);
        EXPECT_EQ(element->GetRect(), mark.rect);
        EXPECT_EQ(element->GetPosition(), mark.position);

        // Hidden: nothing (G ignores the flag but needs colour 1).
        element->SetVisible(false);
        painter.Clear();
        element->Draw(painter);
        EXPECT_TRUE(painter.DrawCalls().empty());

        element->SetVisible(true);
        if (mark.visibleAtStart)
            element->SetColor(color_index::kSelected);
        element->Draw(painter);
        ASSERT_EQ(painter.DrawCalls().size(), 1u);
        EXPECT_EQ(painter.DrawCalls()[0], mark.draw);
    }
}

TEST(EditMarkTest, LineMarkHandleDrawsOnlyWhileItsColourIsOneWhetherVisibleOrNot)
{
    struct Case {
        bool visible;
        int color;
        bool drawn;
    };
    const Case cases[] = {{true, color_index::kEditMark, false},
                          {true, color_index::kSelected, true},
                          {false, color_index::kSelected, true},
                          {false, color_index::kNormal, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "visible " << c.visible << " colour " << c.color);
        FakePainter painter;
        LayoutMarkG mark;
        mark.Layout(painter);
        mark.SetVisible(c.visible);
        mark.SetColor(c.color);
        painter.Clear();
        mark.Draw(painter);
        EXPECT_EQ(painter.Count("DrawEditMarkE"), c.drawn ? 1 : 0);
    }
}

// A shown bar-width mark {-30, -60, 30, 0} at (1000, 2000) under a parent that takes
// every record.
class EditMarkInputTest : public testing::Test {
protected:
    void SetUp() override { Reset(); }

    // A fresh parent and mark.
    void Reset()
    {
        parent = std::make_shared<RecordingElement>("parent", nullptr);
        mark = std::make_shared<BarWidthMark>();
        parent->HandleNotifications(0);
        parent->AppendChild(mark);
        parent->SetOrigin({1000, 2000});
        parent->Layout(painter);
        mark->SetVisible(true);
    }

    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for (const auto& record : parent->ReceivedRecords())
            ids.push_back(record.id);
        return ids;
    }

    FakePainter painter;
    std::shared_ptr<RecordingElement> parent;
    std::shared_ptr<BarWidthMark> mark;
};

TEST_F(EditMarkInputTest, PressDragAndReleaseReportTheirIdsAndTheMaskedDelta)
{
    struct Case {
        const char* name;
        int axisMask;
        int flags;
        Point delta;  // reported for a move by (7, -5)
    };
    const Case cases[] = {
        {"both axes", drag_axis::kBoth, 0, {7, -5}},
        {"x only", drag_axis::kX, 0, {7, 0}},
        {"y only", drag_axis::kY, 0, {0, -5}},
        {"x frozen", drag_axis::kBoth, input_flag::kFreezeX, {0, -5}},
        {"y frozen", drag_axis::kBoth, input_flag::kFreezeY, {7, 0}},
        {"x only, x frozen", drag_axis::kX, input_flag::kFreezeX, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        mark->SetAxisMask(c.axisMask);

        int handled = 0;
        parent->OnButtonDown({1000, 1990}, 0, handled);
        parent->OnPointerMove({1007, 1985}, c.flags);
        parent->OnButtonUp({1007, 1985}, 0);

        std::vector<int> ids;
        std::vector<Point> deltas;
        for (const auto& record : parent->ReceivedRecords()) {
            EXPECT_EQ(record.sender, mark.get());
            ids.push_back(record.id);
            if (record.id == id::kHandleDragged)
                deltas.push_back(record.payload.delta);
        }
        EXPECT_EQ(ids, (std::vector<int>{id::kSelectionChanged, id::kHandlePressed,
                                         id::kHandleDragged, id::kHandleReleased}));
        EXPECT_EQ(ids, Ids());
        EXPECT_EQ(deltas, (std::vector<Point>{c.delta}));
        // The mark never moves itself, so the release asks for no move.
        EXPECT_EQ(mark->GetOffset(), (Point{0, 0}));
    }
}

TEST_F(EditMarkInputTest, HiddenMarkTakesNoInput)
{
    mark->SetVisible(false);
    int handled = 0;
    // Called directly: the parent would not even pass pointer events to a hidden child.
    mark->OnButtonDown({1000, 1990}, 0, handled);
    mark->MoveBy({7, -5}, 0);
    mark->OnButtonUp({1007, 1985}, 0);
    EXPECT_TRUE(parent->ReceivedRecords().empty());
    EXPECT_EQ(mark->GetState(), element_state::kNormal);
    EXPECT_EQ(handled, 0);

    parent->OnButtonDown({1000, 1990}, 0, handled);
    parent->OnButtonUp({1000, 1990}, 0);
    EXPECT_TRUE(parent->ReceivedRecords().empty());
}

TEST_F(EditMarkInputTest, PressThatMissesReportsNoHandlePress)
{
    int handled = 0;
    parent->OnButtonDown({1100, 1990}, 0, handled);
    parent->OnPointerMove({1110, 1990}, 0);
    parent->OnButtonUp({1110, 1990}, 0);
    // Only the deselection report: no press, no drag step, no release.
    EXPECT_EQ(Ids(), (std::vector<int>{id::kSelectionChanged}));
}

TEST_F(EditMarkInputTest, PressTakenByAnEarlierElementDoesNotSelectTheMark)
{
    int handled = kEventTaken;
    parent->OnButtonDown({1000, 1990}, 0, handled);
    EXPECT_EQ(mark->GetState(), element_state::kNormal);
    EXPECT_EQ(Ids(), (std::vector<int>{id::kSelectionChanged}));
}

}  // namespace
}  // namespace quaverly
