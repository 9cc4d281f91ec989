// The element base: geometry, hit testing, notification, key and pointer broadcasts,
// drawing and the parent pointer.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/container_element.h"
#include "engine/model/score_element.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
using Log = RecordingElement::Log;

std::shared_ptr<RecordingElement> Make(const std::string& name, const std::shared_ptr<Log>& log)
{
    return std::make_shared<RecordingElement>(name, log);
}

// --- Placing the subtree ---

struct PlacementCase {
    const char* name;
    std::function<void(ScoreElement&, Point)> apply;
    Point childOrigin;       // expected after applying (100, 50) to the root
    Point grandchildOrigin;
};

TEST(ScoreElementTest, SetPositionAndOriginMoveTheSubtreeButSetOffsetDoesNot)
{
    const PlacementCase cases[] = {
        {"SetPosition", [](ScoreElement& e, Point p) { e.SetPosition(p); }, {100, 50}, {110, 70}},
        {"SetOrigin", [](ScoreElement& e, Point p) { e.SetOrigin(p); }, {100, 50}, {110, 70}},
        {"SetOffset", [](ScoreElement& e, Point p) { e.SetOffset(p); }, {0, 0}, {10, 20}},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto root = std::make_shared<ScoreElement>();
        auto child = std::make_shared<ScoreElement>();
        auto grandchild = std::make_shared<ScoreElement>();
        child->AppendChild(grandchild);
        root->AppendChild(child);
        child->SetPosition({10, 20});

        c.apply(*root, {100, 50});

        EXPECT_EQ(child->GetOrigin(), c.childOrigin);
        EXPECT_EQ(grandchild->GetOrigin(), c.grandchildOrigin);
        EXPECT_EQ(child->GetPosition(), (Point{10, 20}));  // positions are the children's own
    }
}

// Offsets read from a document may be anything: the offset is held to ten metres, and
// the absolute place of an element far out stays at the end of the int range instead of
// wrapping around to the other side of the page.
TEST(ScoreElementTest, FarOffsetsAreHeldAndPlacesDoNotWrapAround)
{
    ScoreElement element;
    element.SetOffset({2147483647, -2147483647 - 1});
    EXPECT_EQ(element.GetOffset(), (Point{kMaxUserOffset, -kMaxUserOffset}));
    element.SetOffset({-31, 999999});
    EXPECT_EQ(element.GetOffset(), (Point{-31, 999999}));

    element.SetOrigin({2147483000, -2147483000});
    element.SetPosition({1000, -1000});
    EXPECT_EQ(element.GetChildOrigin(), (Point{2147483647, -2147483647 - 1}));
    element.SetRect({-2147483647 - 1, 0, 2147483647, 10});
    EXPECT_EQ(element.GetRect().Width(), 2147483647);
    EXPECT_EQ(element.GetRect().Moved({10, 0}).right, 2147483647);
}

// --- Hit test ---

TEST(ScoreElementTest, HitTestIncludesAllFourEdgesAndNothingBeyond)
{
    ScoreElement element;
    element.SetRect({0, 0, 100, 50});
    element.SetOrigin({1000, 2000});
    element.SetPosition({10, 20});
    element.SetOffset({5, 5});  // the rectangle spans x 1015..1115, y 2025..2075

    struct HitCase {
        Point point;
        bool hits;
    };
    const HitCase cases[] = {
        {{1015, 2025}, true},  {{1115, 2075}, true},  {{1115, 2025}, true},
        {{1015, 2075}, true},  {{1060, 2050}, true},  {{1014, 2050}, false},
        {{1116, 2050}, false}, {{1060, 2024}, false}, {{1060, 2076}, false},
        {{1116, 2076}, false},
    };
    for (const HitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(element.HitTest(c.point), c.hits);
    }
}

// --- Notifications ---

TEST(ScoreElementTest, NotificationFromALeafReturnsTheTopHandlersValue)
{
    FakePainter painter;
    auto log = std::make_shared<Log>();
    auto top = Make("top", log);
    auto middle = Make("middle", log);
    auto leaf = Make("leaf", log);
    top->HandleNotifications(42);
    middle->AppendChild(leaf);
    top->AppendChild(middle);
    top->Layout(painter);  // layout sets the parents

    NotificationPayload payload;
    payload.barIndex = 7;
    EXPECT_EQ(leaf->NotifySelf(notification_id::kNoteDelete, &payload), 42);

    // The leaf's own Notify sees the record first, then it climbs.
    EXPECT_EQ(*log, (Log{"top.Layout", "middle.Layout", "leaf.Layout", "leaf.Notify",
                         "middle.Notify", "top.Notify"}));
    ASSERT_EQ(top->ReceivedRecords().size(), 1u);
    EXPECT_EQ(top->ReceivedRecords()[0].id, notification_id::kNoteDelete);
    EXPECT_EQ(top->ReceivedRecords()[0].payload.barIndex, 7);
}

TEST(ScoreElementTest, NotificationWithoutParentReturnsZero)
{
    struct Case {
        const char* name;
        std::function<int(ScoreElement&)> send;
    };
    const Case cases[] = {
        {"NotifySelf", [](ScoreElement& e) { return e.NotifySelf(1001, nullptr); }},
        {"NotifyParent", [](ScoreElement& e) { return e.NotifyParent(1001, nullptr); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScoreElement orphan;
        EXPECT_EQ(c.send(orphan), 0);
    }
}

TEST(ScoreElementTest, NotifyParentBypassesTheElementsOwnNotify)
{
    FakePainter painter;
    auto log = std::make_shared<Log>();
    auto top = Make("top", log);
    auto leaf = Make("leaf", log);
    top->HandleNotifications(5);
    top->AppendChild(leaf);
    top->Layout(painter);
    log->clear();

    EXPECT_EQ(leaf->NotifyParent(notification_id::kMoveRequest, nullptr), 5);
    EXPECT_EQ(*log, (Log{"top.Notify"}));
}

TEST(ScoreElementTest, SelectionChangesStateAndColourBeforeNotifying)
{
    struct Case {
        const char* name;
        bool select;
        int state;
        int color;
    };
    const Case cases[] = {
        {"Select", true, element_state::kSelected, 7},
        {"Deselect", false, element_state::kNormal, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        auto top = Make("top", nullptr);
        auto leaf = std::make_shared<ScoreElement>();
        leaf->SetNormalColor(6);
        leaf->SetSelectedColor(7);
        top->AppendChild(leaf);
        top->Layout(painter);

        c.select ? leaf->Select() : leaf->Deselect();

        EXPECT_EQ(leaf->GetState(), c.state);
        EXPECT_EQ(leaf->GetColor(), c.color);
        ASSERT_EQ(top->ReceivedRecords().size(), 1u);
        const auto& record = top->ReceivedRecords()[0];
        EXPECT_EQ(record.id, notification_id::kSelectionChanged);
        EXPECT_EQ(record.sender, leaf.get());
        EXPECT_EQ(record.senderState, c.state);  // the receiver sees the new state
        EXPECT_EQ(record.payload.subject, leaf.get());
    }
}

TEST(ScoreElementTest, SelectWithoutParentStillSelects)
{
    ScoreElement element;
    element.Select();
    EXPECT_EQ(element.GetState(), element_state::kSelected);
    EXPECT_EQ(element.GetColor(), color_index::kSelected);
}

// --- Keys: Delete reaches DeleteSelected on selected elements after their children ---

TEST(ScoreElementTest, DeleteKeyReachesSelectedElementsAfterTheirChildren)
{
    struct Case {
        const char* name;
        int key;
        Log expected;
    };
    const Case cases[] = {
        {"Delete key",
         key_code::kDelete,
         {"parent.OnKeyDown", "selected.OnKeyDown", "grandchild.OnKeyDown",
          "grandchild.DeleteSelected", "selected.DeleteSelected", "plain.OnKeyDown",
          "hidden.OnKeyDown", "hidden.DeleteSelected", "parent.DeleteSelected"}},
        {"Other key",
         key_code::kLeft,
         {"parent.OnKeyDown", "selected.OnKeyDown", "grandchild.OnKeyDown",
          "plain.OnKeyDown", "hidden.OnKeyDown"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto log = std::make_shared<Log>();
        auto parent = Make("parent", log);
        auto selected = Make("selected", log);
        auto grandchild = Make("grandchild", log);
        auto plain = Make("plain", log);
        auto hidden = Make("hidden", log);  // invisible children get keys too
        selected->AppendChild(grandchild);
        parent->AppendChild(selected);
        parent->AppendChild(plain);
        parent->AppendChild(hidden);
        hidden->SetVisible(false);
        for (auto* e : {parent.get(), selected.get(), grandchild.get(), hidden.get()})
            e->SetState(element_state::kSelected);

        parent->OnKeyDown(c.key, 0);

        EXPECT_EQ(*log, c.expected);
    }
}

// --- Invisible children: keys and layout, but no pointer events and no drawing ---

TEST(ScoreElementTest, InvisibleChildrenGetKeysAndLayoutButNoPointerEventsOrDrawing)
{
    struct Case {
        const char* name;
        std::function<void(ScoreElement&, FakePainter&)> send;
        const char* event;
        bool reachesHidden;
    };
    const Case cases[] = {
        {"key", [](ScoreElement& e, FakePainter&) { e.OnKeyDown(65, 0); }, "OnKeyDown", true},
        {"input", [](ScoreElement& e, FakePainter&) { e.OnInputEvent(1, 2); }, "OnInputEvent",
         true},
        {"layout", [](ScoreElement& e, FakePainter& p) { e.Layout(p); }, "Layout", true},
        {"button down",
         [](ScoreElement& e, FakePainter&) {
             int handled = 0;
             e.OnButtonDown({1, 1}, 0, handled);
         },
         "OnButtonDown", false},
        {"pointer move", [](ScoreElement& e, FakePainter&) { e.OnPointerMove({1, 1}, 0); },
         "OnPointerMove", false},
        {"button up", [](ScoreElement& e, FakePainter&) { e.OnButtonUp({1, 1}, 0); },
         "OnButtonUp", false},
        {"double click",
         [](ScoreElement& e, FakePainter&) {
             int handled = 0;
             e.OnDoubleClick({1, 1}, 0, handled);
         },
         "OnDoubleClick", false},
        {"draw", [](ScoreElement& e, FakePainter& p) { e.Draw(p); }, "Draw", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        auto log = std::make_shared<Log>();
        auto parent = std::make_shared<ContainerElement>();
        auto shown = Make("shown", log);
        auto hidden = Make("hidden", log);
        hidden->SetVisible(false);
        parent->AppendChild(shown);
        parent->AppendChild(hidden);

        c.send(*parent, painter);

        Log expected{std::string("shown.") + c.event};
        if (c.reachesHidden)
            expected.push_back(std::string("hidden.") + c.event);
        EXPECT_EQ(*log, expected);
    }
}

TEST(ScoreElementTest, DrawingPassesTheColourToThePainterAndSkipsInvisibleSubtrees)
{
    FakePainter painter;
    auto root = Make("root", nullptr);
    auto shown = Make("shown", nullptr);
    auto hidden = Make("hidden", nullptr);
    auto underHidden = Make("underHidden", nullptr);
    hidden->AppendChild(underHidden);
    hidden->SetVisible(false);
    root->AppendChild(shown);
    root->AppendChild(hidden);
    shown->SetRect({0, 0, 10, 10});
    shown->SetPosition({5, 6});
    shown->SetColor(color_index::kSelected);

    root->Draw(painter);

    const std::vector<fakes::PainterCall> expected = {
        {"DrawFrameRect", {0, 0, 0, 0, 0}, u""},
        {"DrawFrameRect", {5, 6, 15, 16, 1}, u""},
    };
    EXPECT_EQ(painter.Calls(), expected);
}

TEST(ScoreElementTest, DoubleClickRequestsEditAfterVisibleChildrenOnlyWhenHit)
{
    struct Case {
        const char* name;
        Point point;
        Log expected;
    };
    const Case cases[] = {
        {"hit", {5, 5}, {"parent.OnDoubleClick", "child.OnDoubleClick", "parent.RequestEdit"}},
        {"miss", {50, 50}, {"parent.OnDoubleClick", "child.OnDoubleClick"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto log = std::make_shared<Log>();
        auto parent = Make("parent", log);
        auto child = Make("child", log);
        parent->AppendChild(child);
        parent->SetRect({0, 0, 10, 10});
        int handled = 0;

        parent->OnDoubleClick(c.point, 0, handled);

        EXPECT_EQ(*log, c.expected);
        EXPECT_EQ(parent->GetPointerPosition(), c.point);
        EXPECT_EQ(child->GetPointerPosition(), c.point);
    }
}

// --- Child list and parent pointer ---

TEST(ScoreElementTest, ChildIndicesOutsideTheListGiveNothingAndChangeNothing)
{
    ScoreElement parent;
    auto a = std::make_shared<ScoreElement>();
    auto b = std::make_shared<ScoreElement>();
    parent.AppendChild(a);
    parent.InsertChild(0, b);  // b, a
    parent.InsertChild(3, std::make_shared<ScoreElement>());   // beyond count + 1: ignored
    parent.InsertChild(-1, std::make_shared<ScoreElement>());  // ignored
    parent.InsertChild(0, nullptr);                             // ignored
    parent.AppendChild(nullptr);                                // ignored
    parent.RemoveChild(2);
    parent.RemoveChild(-1);

    ASSERT_EQ(parent.GetChildCount(), 2);
    EXPECT_EQ(parent.GetChild(0), b);
    EXPECT_EQ(parent.GetChild(1), a);
    EXPECT_EQ(parent.GetChild(-1), nullptr);
    EXPECT_EQ(parent.GetChild(2), nullptr);

    parent.InsertChild(2, std::make_shared<ScoreElement>());  // i == count appends
    EXPECT_EQ(parent.GetChildCount(), 3);
}

TEST(ScoreElementTest, RemovingOrClearingChildrenClearsTheirParentPointers)
{
    struct Case {
        const char* name;
        std::function<void(ScoreElement&)> remove;
    };
    const Case cases[] = {
        {"RemoveChild", [](ScoreElement& p) { p.RemoveChild(0); }},
        {"ClearChildren", [](ScoreElement& p) { p.ClearChildren(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        auto parent = Make("parent", nullptr);
        parent->HandleNotifications(9);
        auto child = std::make_shared<ScoreElement>();
        parent->AppendChild(child);
        parent->Layout(painter);
        ASSERT_EQ(child->GetParent(), parent.get());

        c.remove(*parent);

        EXPECT_EQ(child->GetParent(), nullptr);
        EXPECT_EQ(child->NotifySelf(1001, nullptr), 0);
        EXPECT_TRUE(parent->ReceivedRecords().empty());
    }
}

TEST(ScoreElementTest, NotificationNeverClimbsIntoADestroyedParent)
{
    FakePainter painter;
    auto child = std::make_shared<ScoreElement>();
    {
        auto parent = std::make_shared<ContainerElement>();
        parent->AppendChild(child);
        parent->Layout(painter);
        ASSERT_EQ(child->GetParent(), parent.get());
    }  // the parent goes while the child lives on elsewhere
    EXPECT_EQ(child->GetParent(), nullptr);
    EXPECT_EQ(child->NotifySelf(1001, nullptr), 0);
}

TEST(ScoreElementTest, StateAndColourSettersReturnThePreviousValue)
{
    ScoreElement element;
    EXPECT_EQ(element.SetState(element_state::kSelected), element_state::kNormal);
    EXPECT_EQ(element.SetState(element_state::kNormal), element_state::kSelected);
    EXPECT_EQ(element.SetColor(33), color_index::kNormal);
    EXPECT_EQ(element.SetColor(0), 33);
}

TEST(ContainerElementTest, BroadcastValueReachesNestedContainers)
{
    struct Counting : ContainerElement {
        void BroadcastValue(int value) override
        {
            values.push_back(value);
            ContainerElement::BroadcastValue(value);
        }
        std::vector<int> values;
    };
    ContainerElement root;
    auto child = std::make_shared<Counting>();
    auto grandchild = std::make_shared<Counting>();
    child->AppendChild(std::make_shared<ScoreElement>());  // not a container: skipped
    child->AppendChild(grandchild);
    root.AppendChild(child);

    root.BroadcastValue(3);

    EXPECT_EQ(child->values, (std::vector<int>{3}));
    EXPECT_EQ(grandchild->values, (std::vector<int>{3}));
    FakePainter painter;
    EXPECT_EQ(root.GetExtraRect(painter), Rect{});
}

}  // namespace
}  // namespace quaverly
