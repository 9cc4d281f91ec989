// The view of a barline's jump or repeat mark: above the bar line for the values 6 to 8,
// below it otherwise; its drag is kept in the mark while selected; Delete asks for the
// mark to be reset.
#include <memory>

#include <gtest/gtest.h>

#include "engine/layout/barline_mark_view.h"
#include "engine/model/barline_mark.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;

TEST(BarlineMarkViewTest, MarksAboveOrBelowTheBarLine)
{
    // Jump marks measure 200 x 150 and sit 200 away from the 700 high bar line area.
    const struct {
        int value;
        Rect rect;
    } cases[] = {
        {6, {-100, -350, 100, -200}},
        {7, {-100, -350, 100, -200}},
        {8, {-100, -350, 100, -200}},
        {3, {-100, 900, 100, 1050}},
        {5, {-100, 900, 100, 1050}},
        {2, {0, 900, 0, 900}},  // no glyph: nothing to measure
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        FakePainter painter;
        auto mark = std::make_shared<BarlineMark>();
        mark->SetValue(c.value);
        BarlineMarkView view;
        view.BindModelElement(mark);
        view.SetOrigin({1000, 2000});
        view.SetPosition({300, 0});
        view.SetOffset({7, 3});
        view.Layout(painter);
        EXPECT_EQ(view.GetRect(), c.rect);
        painter.Clear();
        view.Draw(painter);
        ASSERT_EQ(painter.Count("DrawJumpMark"), 1);
        EXPECT_EQ(painter.CallsNamed("DrawJumpMark")[0].ints,
                  (std::vector<int>{1307 + c.rect.left, 2003 + c.rect.top, c.value, 0}));
    }
}

TEST(BarlineMarkViewTest, WithoutAMarkNothingIsDrawn)
{
    FakePainter painter;
    BarlineMarkView view;
    view.Layout(painter);
    EXPECT_EQ(view.GetRect(), Rect{});
    view.Draw(painter);
    EXPECT_EQ(painter.Count("DrawJumpMark"), 0);
    view.SetOffset({1, 1});  // nothing to keep the offset in
    EXPECT_EQ(view.GetOffset(), (Point{1, 1}));
}

TEST(BarlineMarkViewTest, ASelectedViewKeepsItsOffsetInTheMark)
{
    auto mark = std::make_shared<BarlineMark>();
    mark->SetValue(4);
    BarlineMarkView view;
    view.BindModelElement(mark);
    view.SetOffset({10, 0});
    EXPECT_EQ(mark->GetOffset(), (Point{0, 0})) << "not selected";
    view.SetState(element_state::kSelected);
    view.SetOffset({20, -5});
    EXPECT_EQ(mark->GetOffset(), (Point{20, -5}));
}

TEST(BarlineMarkViewTest, DeleteAsksForTheMark)
{
    auto parent = std::make_shared<fakes::RecordingElement>("parent", nullptr);
    parent->HandleNotifications(0);
    auto mark = std::make_shared<BarlineMark>();
    auto view = std::make_shared<BarlineMarkView>();
    view->BindModelElement(mark);
    parent->AppendChild(view);
    FakePainter painter;
    parent->Layout(painter);
    view->DeleteSelected();
    ASSERT_EQ(parent->ReceivedRecords().size(), 1u);
    EXPECT_EQ(parent->ReceivedRecords()[0].id, notification_id::kBarlineMarkDelete);
    EXPECT_EQ(parent->ReceivedRecords()[0].payload.element, mark);
    EXPECT_EQ(parent->ReceivedRecords()[0].sender, view.get());
}

}  // namespace
}  // namespace quaverly
