// Editable elements: selection by press, live drags with their move reports, release,
// axis masks and freeze flags, nudges by arrow keys.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/editable_element.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
namespace id = notification_id;

// An editable element that counts the records reaching its own Notify.
class CountingEditable : public EditableElement {
public:
    int Notify(ElementNotification& notification) override
    {
        ownNotifies.push_back(notification.id);
        return EditableElement::Notify(notification);
    }
    std::vector<int> ownNotifies;
};

// A parent that takes every record, with one or two editable children at
// {0, 0, 100, 50} placed at (1000, 2000).
class EditableTest : public testing::Test {
protected:
    void SetUp() override
    {
        parent->HandleNotifications(0);
        for (const auto& child : {first, second}) {
            child->SetRect({0, 0, 100, 50});
            parent->AppendChild(child);
        }
        parent->SetOrigin({1000, 2000});
        parent->Layout(painter);
    }

    // The ids that reached the parent, in order.
    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for (const auto& record : parent->ReceivedRecords())
            ids.push_back(record.id);
        return ids;
    }
    std::vector<RecordingElement::Received> Records(int wanted) const
    {
        std::vector<RecordingElement::Received> found;
        for (const auto& record : parent->ReceivedRecords()) {
            if (record.id == wanted)
                found.push_back(record);
        }
        return found;
    }

    FakePainter painter;
    std::shared_ptr<RecordingElement> parent =
        std::make_shared<RecordingElement>("parent", nullptr);
    std::shared_ptr<CountingEditable> first = std::make_shared<CountingEditable>();
    std::shared_ptr<CountingEditable> second = std::make_shared<CountingEditable>();
};

TEST_F(EditableTest, ScriptedDragReportsEveryStepAndOneMoveAtRelease)
{
    int handled = 0;
    parent->OnButtonDown({1010, 2010}, 0, handled);
    parent->OnPointerMove({1015, 2013}, 0);
    parent->OnPointerMove({1025, 2008}, 0);
    parent->OnButtonUp({1025, 2008}, 0);

    EXPECT_EQ(first->GetState(), element_state::kSelected);
    EXPECT_EQ(first->GetColor(), color_index::kSelected);
    EXPECT_EQ(second->GetState(), element_state::kNormal);  // the press was taken
    EXPECT_EQ(handled & kEventTaken, kEventTaken);
    EXPECT_EQ(first->GetOffset(), (Point{15, -2}));

    const auto steps = Records(id::kMoveDragStep);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].payload.oldOffset, (Point{0, 0}));
    EXPECT_EQ(steps[0].payload.newOffset, (Point{5, 3}));
    EXPECT_EQ(steps[1].payload.oldOffset, (Point{5, 3}));
    EXPECT_EQ(steps[1].payload.newOffset, (Point{15, -2}));
    for (const auto& step : steps) {
        EXPECT_EQ(step.sender, first.get());
        EXPECT_FALSE(step.payload.element);  // filled by the owners on the way up
    }
    const auto moves = Records(id::kMoveRequest);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].payload.oldOffset, (Point{0, 0}));
    EXPECT_EQ(moves[0].payload.newOffset, (Point{15, -2}));

    // Move reports start at the parent; only the selection notice passes the element's
    // own Notify.
    for (int ownId : first->ownNotifies)
        EXPECT_EQ(ownId, id::kSelectionChanged);
}

TEST(EditableElementTest, AxisMaskAndFreezeFlagsLimitTheDrag)
{
    struct Case {
        const char* name;
        int mask;
        int flags;
        Point expected;  // after dragging by (7, 9)
    };
    const Case cases[] = {
        {"both axes", drag_axis::kBoth, 0, {7, 9}},
        {"x only (rests, dashes)", drag_axis::kX, 0, {7, 0}},
        {"y only (tuplets)", drag_axis::kY, 0, {0, 9}},
        {"x frozen", drag_axis::kBoth, input_flag::kFreezeX, {0, 9}},
        {"y frozen", drag_axis::kBoth, input_flag::kFreezeY, {7, 0}},
        {"x only and x frozen", drag_axis::kX, input_flag::kFreezeX, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto element = std::make_shared<EditableElement>();
        element->SetRect({0, 0, 100, 50});
        element->SetAxisMask(c.mask);
        int handled = 0;
        element->OnButtonDown({10, 10}, 0, handled);
        element->OnPointerMove({17, 19}, c.flags);
        EXPECT_EQ(element->GetOffset(), c.expected);
    }
}

TEST_F(EditableTest, ReleaseWhereThePressWasSendsNoMove)
{
    int handled = 0;
    parent->OnButtonDown({1010, 2010}, 0, handled);
    parent->OnPointerMove({1020, 2010}, 0);
    parent->OnPointerMove({1010, 2010}, 0);
    parent->OnButtonUp({1010, 2010}, 0);
    EXPECT_EQ(first->GetOffset(), (Point{0, 0}));
    EXPECT_TRUE(Records(id::kMoveRequest).empty());
    EXPECT_EQ(Records(id::kMoveDragStep).size(), 2u);
}

TEST_F(EditableTest, MovesWithoutAGrabOrAfterReleaseDoNothing)
{
    parent->OnPointerMove({1020, 2020}, 0);  // no press at all
    int handled = 0;
    parent->OnButtonDown({1010, 2010}, 0, handled);
    parent->OnButtonUp({1010, 2010}, 0);
    parent->OnPointerMove({1030, 2030}, 0);  // button up again
    EXPECT_EQ(first->GetOffset(), (Point{0, 0}));
    EXPECT_TRUE(Records(id::kMoveDragStep).empty());
}

TEST_F(EditableTest, AReleaseWithoutItsPressRecordsNoMove)
{
    // A finished drag leaves the element selected and moved.
    int handled = 0;
    parent->OnButtonDown({1010, 2010}, 0, handled);
    parent->OnPointerMove({1040, 2010}, 0);
    parent->OnButtonUp({1040, 2010}, 0);
    ASSERT_EQ(Records(id::kMoveRequest).size(), 1u);
    // The move is undone and redone (the offset changes without a press), then a release
    // arrives alone, as after a double click.
    first->SetOffset({0, 0});
    first->SetOffset({30, 0});
    parent->OnButtonUp({1040, 2010}, 0);
    EXPECT_EQ(Records(id::kMoveRequest).size(), 1u);
}

// A press with and without the keep-selection flag, and the state it leaves a selected
// element in that it does not take.
struct PressCase {
    const char* name;
    int flags;
    int untakenState;
};
constexpr PressCase kPressCases[] = {
    {"plain press", 0, element_state::kNormal},
    {"keep selection", input_flag::kKeepSelection, element_state::kSelected},
};

TEST_F(EditableTest, PressOnNothingDeselectsUnlessSelectionsAreKept)
{
    for (const PressCase& c : kPressCases) {
        SCOPED_TRACE(c.name);
        first->Select();
        second->Select();
        int handled = 0;
        parent->OnButtonDown({5000, 5000}, c.flags, handled);
        EXPECT_EQ(first->GetState(), c.untakenState);
        EXPECT_EQ(second->GetState(), c.untakenState);
        EXPECT_EQ(handled, 0);
    }
}

TEST_F(EditableTest, OverlappingElementsLetTheFirstTakeThePress)
{
    for (const PressCase& c : kPressCases) {
        SCOPED_TRACE(c.name);
        first->Deselect();
        second->Select();
        int handled = 0;
        parent->OnButtonDown({1050, 2025}, c.flags, handled);
        EXPECT_EQ(first->GetState(), element_state::kSelected);
        EXPECT_EQ(second->GetState(), c.untakenState);

        // Only the first follows the pointer.
        parent->OnPointerMove({1060, 2025}, c.flags);
        EXPECT_EQ(first->GetOffset().x, 10);
        EXPECT_EQ(second->GetOffset().x, 0);
        parent->OnButtonUp({1060, 2025}, c.flags);
        first->SetOffset({});
    }
}

TEST_F(EditableTest, ArrowKeysNudgeOnlySelectedElementsWithTheFlag)
{
    struct Case {
        const char* name;
        bool selected;
        int key;
        int flags;
        bool nudges;
        Point to;  // from (100, 200)
    };
    const Case cases[] = {
        {"left", true, key_code::kLeft, input_flag::kKeepSelection, true, {69, 200}},
        {"right", true, key_code::kRight, input_flag::kKeepSelection, true, {131, 200}},
        {"up", true, key_code::kUp, input_flag::kKeepSelection, true, {100, 169}},
        {"down", true, key_code::kDown, input_flag::kKeepSelection, true, {100, 231}},
        {"without the flag", true, key_code::kLeft, 0, false, {}},
        {"not selected", false, key_code::kLeft, input_flag::kKeepSelection, false, {}},
        {"another key", true, 65, input_flag::kKeepSelection, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto element = std::make_shared<CountingEditable>();
        auto top = std::make_shared<RecordingElement>("top", nullptr);
        top->HandleNotifications(0);
        top->AppendChild(element);
        top->Layout(painter);
        element->SetOffset({100, 200});
        element->SetState(c.selected ? element_state::kSelected : element_state::kNormal);

        top->OnKeyDown(c.key, c.flags);

        // A nudge only asks: the element stays until the command built from it runs.
        EXPECT_EQ(element->GetOffset(), (Point{100, 200}));
        ASSERT_EQ(top->ReceivedRecords().size(), c.nudges ? 1u : 0u);
        if (c.nudges) {
            const auto& record = top->ReceivedRecords()[0];
            EXPECT_EQ(record.id, id::kMoveRequest);
            EXPECT_EQ(record.payload.oldOffset, (Point{100, 200}));
            EXPECT_EQ(record.payload.newOffset, c.to);
            EXPECT_TRUE(record.payload.nudge);
        }
        EXPECT_TRUE(element->ownNotifies.empty());
    }
}

TEST_F(EditableTest, DoubleClickOnTheElementMarksItTaken)
{
    struct Case {
        Point point;
        int handled;
    };
    const Case cases[] = {{{1100, 2050}, kEventTaken}, {{1101, 2050}, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x);
        int handled = 0;
        first->OnDoubleClick(c.point, 0, handled);
        EXPECT_EQ(handled, c.handled);
    }
}

}  // namespace
}  // namespace quaverly
