// The bar's lists, its position map, its notifications, its selection and its width
// drag.
#include <limits>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/barline_mark.h"
#include "engine/model/decorator.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/edit_mark.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/position_map.h"
#include "engine/model/symbol_mark.h"
#include "engine/model/time_signature.h"
#include "engine/model/tuplet.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

std::shared_ptr<Note> NoteAt(int start)
{
    auto note = CreateNote(pitch_code::kFirstDegree);
    note->SetStartTime(start);
    return note;
}

TEST(BarTest, IndexFromTheConstructor)
{
    EXPECT_EQ(Bar().GetIndex(), -1);
    EXPECT_EQ(Bar(7).GetIndex(), 7);
}

// A document may hold any width adjustment: the bar keeps one that neither folds the
// bar back over itself nor makes it grow without end.
TEST(BarTest, ManualAdjustIsHeldToWhatTheLayoutCanUse)
{
    const struct {
        float given, kept;
    } cases[] = {
        {0.25f, 0.25f}, {-0.5f, -0.5f}, {1e11f, 100.0f}, {-3.0f, -1.0f},
        {std::numeric_limits<float>::infinity(), 100.0f},
        {std::numeric_limits<float>::quiet_NaN(), 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        Bar bar(0);
        bar.SetManualAdjust(c.given);
        EXPECT_EQ(bar.GetManualAdjust(), c.kept);
    }
}

TEST(BarTest, ExtentComesFromThePositionMap)
{
    fakes::FakePainter painter;
    Bar bar;
    EXPECT_EQ(bar.GetExtent(painter), (Rect{0, 0, 0, 0})) << "no map yet";

    auto map = std::make_shared<PositionMap>();
    map->SetLeftMargin(200);
    map->SetRightMargin(100);
    map->AddSegment({0, 161280, 0, 900});
    map->AddExtraWidth(0, 50);
    bar.SetPositionMap(map);
    EXPECT_EQ(bar.GetPositionMap(), map);
    EXPECT_EQ(bar.GetExtent(painter), (Rect{0, 0, 1250, 0}));
}

TEST(BarTest, SetPositionMapReleasesThePreviousMap)
{
    Bar bar;
    auto first = std::make_shared<PositionMap>();
    std::weak_ptr<PositionMap> watch = first;
    bar.SetPositionMap(std::move(first));
    EXPECT_FALSE(watch.expired());
    bar.SetPositionMap(std::make_shared<PositionMap>());
    EXPECT_TRUE(watch.expired());
    bar.SetPositionMap(nullptr);
    EXPECT_EQ(bar.GetPositionMap(), nullptr);
}

TEST(BarTest, NotesSortStablyByStartAndRemoveByIdentity)
{
    Bar bar;
    auto late = NoteAt(161280);
    auto early = NoteAt(0);
    auto chordA = NoteAt(80640);
    auto chordB = NoteAt(80640);
    bar.AddNote(late);
    bar.AddNote(chordA);
    bar.AddNote(nullptr);
    bar.AddNote(early);
    bar.AddNote(chordB);
    bar.SortNotes();
    EXPECT_EQ(bar.GetNotes(), (std::vector<std::shared_ptr<Note>>{early, chordA, chordB, late}));

    const auto stranger = NoteAt(0);
    bar.RemoveNote(stranger.get());
    bar.RemoveNote(nullptr);
    EXPECT_EQ(bar.GetNotes().size(), 4u);
    bar.RemoveNote(chordA.get());
    EXPECT_EQ(bar.GetNotes(), (std::vector<std::shared_ptr<Note>>{early, chordB, late}));
}

TEST(BarTest, TupletsAppendWithTheirPositionAndRemoveByIdentity)
{
    Bar bar;
    auto first = std::make_shared<Tuplet>(3, 2);
    auto second = std::make_shared<Tuplet>(5, 4);
    EXPECT_EQ(bar.AddTuplet(first), 0);
    EXPECT_EQ(bar.AddTuplet(second), 1);
    EXPECT_EQ(bar.AddTuplet(nullptr), -1);
    bar.RemoveTuplet(nullptr);
    const Tuplet stranger;
    bar.RemoveTuplet(&stranger);
    EXPECT_EQ(bar.GetTuplets().size(), 2u);
    bar.RemoveTuplet(first.get());
    EXPECT_EQ(bar.GetTuplets(), (std::vector<std::shared_ptr<Tuplet>>{second}));
}

TEST(BarTest, NewBarHasItsBarlinesAndAHiddenWidthHandle)
{
    Bar bar;
    EXPECT_EQ(bar.GetBarline(0)->GetType(), barline_type::kStart);
    EXPECT_EQ(bar.GetBarline(1)->GetType(), barline_type::kNormal);
    EXPECT_EQ(bar.GetBarline(7), bar.GetBarline(1));
    EXPECT_EQ(Barline().GetType(), barline_type::kNormal);
    EXPECT_EQ(bar.GetBarline(1)->GetMarkValue(), 0);
    bar.GetBarline(1)->SetMarkValue(5);
    EXPECT_EQ(bar.GetBarline(1)->GetMark()->GetValue(), 5);
    ASSERT_NE(bar.GetWidthMark(), nullptr);
    EXPECT_FALSE(bar.GetWidthMark()->IsVisible());
    EXPECT_EQ(bar.GetVerseOffset(4), (Point{0, 0}));
    bar.SetVerseOffset(4, {3, 9});
    bar.SetVerseOffset(5, {1, 1});
    bar.SetVerseOffset(-1, {1, 1});
    EXPECT_EQ(bar.GetVerseOffset(4), (Point{3, 9}));
    EXPECT_EQ(bar.GetVerseOffset(5), (Point{0, 0}));
}

TEST(BarTest, DirectionsAndBarlineSymbolsKeepIndexOrder)
{
    Bar bar;
    std::vector<std::shared_ptr<DynamicMark>> marks;
    for (int index : {4, 1, 4, 0}) {
        marks.push_back(std::make_shared<DynamicMark>());
        marks.back()->SetIndex(index);
        bar.AddDirection(marks.back());
    }
    bar.AddDirection(nullptr);
    EXPECT_EQ(bar.GetDirections(), (std::vector<std::shared_ptr<DynamicMark>>{
                                       marks[3], marks[1], marks[0], marks[2]}));
    bar.RemoveDirection(marks[0].get());
    EXPECT_EQ(bar.GetDirections().size(), 3u);

    Barline barline;
    auto late = std::make_shared<SymbolMark>();
    late->SetIndex(2);
    auto early = std::make_shared<SymbolMark>();
    early->SetIndex(1);
    barline.AddSymbol(late);
    barline.AddSymbol(early);
    barline.AddSymbol(nullptr);
    EXPECT_EQ(barline.GetSymbols(), (std::vector<std::shared_ptr<SymbolMark>>{early, late}));
    barline.RemoveSymbol(early.get());
    EXPECT_EQ(barline.GetSymbols(), (std::vector<std::shared_ptr<SymbolMark>>{late}));
}

// A bar 1500 wide under a parent that takes every record. Its map spreads a 4/4 bar
// over 1200 units between margins of 200 and 100, so time t lies at
// 200 + t * 1200 / 645120 inside the bar, and the bar starts at x 1000.
class BarEventsTest : public testing::Test {
protected:
    void SetUp() override
    {
        parent = std::make_shared<fakes::RecordingElement>("parent", nullptr);
        parent->HandleNotifications(0);
        bar = std::make_shared<Bar>(3);
        parent->AppendChild(bar);
        auto map = std::make_shared<PositionMap>();
        map->SetLength(645120);
        map->SetLeftMargin(200);
        map->SetRightMargin(100);
        map->AddSegment({0, 645120, 0, 1200});
        bar->SetPositionMap(map);
        bar->SetRect({0, 0, 1500, 700});
        bar->SetOrigin({1000, 0});
    }

    void Lay() { parent->Layout(painter); }

    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for (const auto& record : parent->ReceivedRecords()) {
            if (record.id != notification_id::kSelectionChanged)
                ids.push_back(record.id);
        }
        return ids;
    }
    const fakes::RecordingElement::Received& Last() const
    {
        return parent->ReceivedRecords().back();
    }

    fakes::FakePainter painter;
    std::shared_ptr<fakes::RecordingElement> parent;
    std::shared_ptr<Bar> bar;
};

TEST_F(BarEventsTest, PressPressAwayAndDoubleClickSelectTheBar)
{
    Lay();
    struct Case {
        const char* what;
        Point point;
        bool doubleClick;
        int flags;
        std::vector<int> ids;
        int state;
    };
    const Case cases[] = {
        {"press on the bar", {1500, 300}, false, 1, {1069}, 2},
        {"press on the right edge", {2500, 700}, false, 0, {1069}, 2},
        {"press away from a selected bar", {2501, 300}, false, 0, {1070}, 1},
        {"press away from an unselected bar", {900, 300}, false, 0, {}, 1},
        {"double click on the bar", {1000, 0}, true, 0, {1071}, 2},
        {"double click away", {999, 0}, true, 0, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        parent->ClearReceived();
        int handled = 0;
        if (c.doubleClick)
            bar->OnDoubleClick(c.point, c.flags, handled);
        else
            bar->OnButtonDown(c.point, c.flags, handled);
        EXPECT_EQ(Ids(), c.ids);
        EXPECT_EQ(bar->GetState(), c.state);
        if (!c.ids.empty()) {
            EXPECT_EQ(Last().sender, bar.get());
            EXPECT_EQ(Last().payload.keepSelection, c.flags == 1);
        }
    }
}

TEST_F(BarEventsTest, RecordsOfTheOwnedElementsGetTheirSlotsFilled)
{
    auto note = CreateNote(3);
    bar->AddNote(note);
    auto tuplet = std::make_shared<Tuplet>(3, 2);
    tuplet->SetFirstNote(note);
    bar->AddTuplet(tuplet);
    auto dynamic = std::make_shared<DynamicMark>();
    bar->AddDirection(dynamic);
    auto decorator = std::make_shared<Decorator>();
    bar->SetDecorator(decorator);
    auto signature = std::make_shared<TimeSignature>();
    bar->SetTimeSignature(signature);
    auto symbol = std::make_shared<SymbolMark>();
    bar->GetBarline(1)->AddSymbol(symbol);
    bar->GetBarline(1)->SetParent(bar.get());  // the barline view's layout does this
    symbol->SetParent(bar->GetBarline(1).get());
    Lay();

    struct Case {
        const char* what;
        ScoreElement* sender;
        int id;
        int arrivingId;
        std::shared_ptr<ScoreElement> element;
        std::shared_ptr<ScoreElement> owner;
        std::shared_ptr<ScoreElement> noteSlot;
    };
    const Case cases[] = {
        {"note delete", note.get(), 1001, 1001, nullptr, nullptr, note},
        {"note selected", note.get(), 1056, 1056, nullptr, nullptr, note},
        {"note offset change", note.get(), 1062, 1062, nullptr, nullptr, note},
        {"tuplet delete", tuplet.get(), 1004, 1004, tuplet, nullptr, note},
        {"tuplet drag", tuplet.get(), 1059, 1059, tuplet, nullptr, nullptr},
        {"dynamic delete", dynamic.get(), 1016, 1016, dynamic, nullptr, nullptr},
        {"dynamic move", dynamic.get(), 1060, 1060, dynamic, nullptr, nullptr},
        {"decorator delete", decorator.get(), 1025, 1025, decorator, nullptr, nullptr},
        {"decorator move", decorator.get(), 1060, 1060, decorator, nullptr, nullptr},
        {"time signature delete", signature.get(), 1007, 1007, signature, nullptr, nullptr},
        {"time signature move", signature.get(), 1059, 1059, signature, nullptr, nullptr},
        {"barline symbol delete", symbol.get(), 1021, 1022, symbol, bar->GetBarline(1), nullptr},
        {"barline symbol move", symbol.get(), 1060, 1060, symbol, nullptr, nullptr},
        {"a stranger's note delete", parent.get(), 1001, 1001, nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        parent->ClearReceived();
        NotificationPayload payload;
        ElementNotification record{c.id, &payload, c.sender};
        (c.sender == symbol.get() ? static_cast<ScoreElement&>(*bar->GetBarline(1))
                                  : static_cast<ScoreElement&>(*bar))
            .Notify(record);
        ASSERT_EQ(Ids(), (std::vector<int>{c.arrivingId}));
        EXPECT_EQ(Last().sender, bar.get());
        EXPECT_EQ(Last().payload.element, c.element);
        EXPECT_EQ(Last().payload.owner, c.owner);
        EXPECT_EQ(Last().payload.note, c.noteSlot);
    }
}

// The tuplet of a leaving note is the removal command's to take off (and give back on
// undo): the bar only passes the record on.
TEST_F(BarEventsTest, ALeavingNoteLeavesItsTupletToTheCommand)
{
    auto first = CreateNote(3);
    auto other = CreateNote(4);
    bar->AddNote(first);
    bar->AddNote(other);
    auto tuplet = std::make_shared<Tuplet>(3, 2);
    tuplet->SetFirstNote(first);
    bar->AddTuplet(tuplet);
    Lay();

    other->DeleteSelected();
    EXPECT_EQ(Ids(), (std::vector<int>{1029, 1001})) << "no tuplet starts at the other note";
    parent->ClearReceived();
    first->DeleteSelected();
    EXPECT_EQ(Ids(), (std::vector<int>{1029, 1001}));
    EXPECT_EQ(parent->ReceivedRecords()[1].payload.note, first);
    ASSERT_EQ(bar->GetTuplets().size(), 1u);
    EXPECT_EQ(bar->GetTuplets()[0], tuplet);
    EXPECT_EQ(tuplet->GetFirstNote(), first);
}

TEST_F(BarEventsTest, WidthDragReportsEveryStepAndOneChange)
{
    bar->SetManualAdjust(0.5f);
    const auto& mark = bar->GetWidthMark();
    mark->SetVisible(true);
    Lay();
    // The handle sits at the bar's right edge, x 2500, above y 0.
    int handled = 0;
    parent->OnButtonDown({2500, -10}, 0, handled);
    parent->OnPointerMove({2560, -10}, 0);
    ASSERT_EQ(Ids(), (std::vector<int>{1040}));
    std::vector<float> steps;
    for (const auto& record : parent->ReceivedRecords()) {
        if (record.id == 1040)
            steps.push_back(record.payload.newWidth);
    }
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_FLOAT_EQ(steps[0], 0.5f + 60.0f / 1200.0f);
    parent->OnPointerMove({2500, -10}, 0);
    EXPECT_FLOAT_EQ(Last().payload.oldWidth, 0.55f);
    EXPECT_FLOAT_EQ(Last().payload.newWidth, 0.5f);
    EXPECT_EQ(Last().id, 1040);

    parent->ClearReceived();
    parent->OnButtonUp({2500, -10}, 0);
    EXPECT_EQ(Ids(), (std::vector<int>{})) << "back where it was grabbed: no change";

    handled = 0;
    parent->OnButtonDown({2500, -10}, 0, handled);
    parent->OnPointerMove({2620, -10}, 0);
    parent->ClearReceived();
    parent->OnButtonUp({2620, -10}, 0);
    ASSERT_EQ(Ids(), (std::vector<int>{1041}));
    EXPECT_FLOAT_EQ(Last().payload.oldWidth, 0.5f);
    EXPECT_FLOAT_EQ(Last().payload.newWidth, 0.6f);
    EXPECT_EQ(Last().sender, bar.get());
    EXPECT_FLOAT_EQ(bar->GetManualAdjust(), 0.5f) << "the controller's command changes it";

    parent->ClearReceived();
    parent->OnButtonUp({2620, -10}, 0);
    EXPECT_EQ(Ids(), (std::vector<int>{})) << "a second release reports nothing";
}

TEST_F(BarEventsTest, WidthDragWithoutContentChangesNothing)
{
    const auto& mark = bar->GetWidthMark();
    mark->SetVisible(true);
    for (const bool withMap : {false, true}) {
        SCOPED_TRACE(withMap ? "map without extent" : "no map");
        bar->SetPositionMap(withMap ? std::make_shared<PositionMap>() : nullptr);
        Lay();
        parent->ClearReceived();
        int handled = 0;
        parent->OnButtonDown({2500, -10}, 0, handled);
        parent->OnPointerMove({2560, -10}, 0);
        parent->OnButtonUp({2560, -10}, 0);
        EXPECT_EQ(Ids(), (std::vector<int>{})) << "no step, no change";
    }
}

}  // namespace
}  // namespace quaverly
