// The row of one part in a line: bar widths, verse lines, the seven handles, the views
// of ties, its own hit test and what it writes into the records that pass through it.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/tie_view_group.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/header_text.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/part.h"
#include "engine/model/position_map.h"
#include "engine/model/tie.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
namespace m = fakes::fake_metrics;
namespace id = notification_id;

std::shared_ptr<PositionMap> MapOf(int extent, int margin, float adjust = 0.0f)
{
    auto map = std::make_shared<PositionMap>();
    map->SetMeter(4, 4);
    map->SetLength(645120);
    map->SetLeftMargin(margin);
    map->SetRightMargin(margin);
    map->SetColumnAdjust(adjust);
    map->AddSegment({0, 645120, 0, extent});
    return map;
}

// A part of five bars shown by a row over bars [1, 4), the row 7000 wide, under a
// recording line that answers every record.
struct RowFixture {
    FakePainter painter;
    std::shared_ptr<Part> part = std::make_shared<Part>();
    std::shared_ptr<TrackNode> row = std::make_shared<TrackNode>();
    std::shared_ptr<RecordingElement> line = std::make_shared<RecordingElement>("line", nullptr);

    explicit RowFixture(std::vector<int> extents = {1000, 2000, 3000})
    {
        for (int b = 0; b < 5; ++b) {
            auto bar = std::make_shared<Bar>(b);
            const int extent =
                b >= 1 && b <= 3 ? extents[static_cast<std::size_t>(b - 1)] : 500;
            bar->SetPositionMap(MapOf(extent, 100));
            part->AppendChild(bar);
        }
        part->SetStaffSize(1000);
        for (int v = 0; v < 5; ++v)
            part->SetVerseOffset(v, 0);
        row->SetPart(part);
        row->SetBarRange(1, 4);
        row->SetRect({0, 0, 7000, 1700});
        row->SetOrigin({500, 1000});
        row->SetPosition({200, 300});
        row->SetParent(line.get());
        line->HandleNotifications(0);
    }
    std::shared_ptr<Bar> BarAt(int b) const
    {
        return std::dynamic_pointer_cast<Bar>(part->GetChild(b));
    }
};

TEST(TrackNodeTest, ChildrenAreThePartsBarsOfTheRangeAndCannotBeChanged)
{
    RowFixture f;
    EXPECT_EQ(f.row->GetChildCount(), 3);
    EXPECT_EQ(f.row->GetChild(0), f.part->GetChild(1));
    EXPECT_EQ(f.row->GetChild(2), f.part->GetChild(3));
    EXPECT_EQ(f.row->GetChild(3), nullptr);
    EXPECT_EQ(f.row->GetChild(-1), nullptr);
    f.row->InsertChild(0, std::make_shared<Bar>());
    f.row->RemoveChild(0);
    EXPECT_EQ(f.row->GetChildCount(), 3);
    EXPECT_EQ(f.part->GetChildCount(), 5);
}

TEST(TrackNodeTest, BarsShareTheRowInProportionAndTheLastEndsExactlyAtItsWidth)
{
    RowFixture f;
    f.row->Layout(f.painter);
    // F = 600 of margins, E = 6000 of extent: ratio (7000 - 600) / 6000.
    const double ratio = 6400.0 / 6000.0;
    const int w0 = static_cast<int>(200 + 1000 * ratio);
    const int w1 = static_cast<int>(200 + 2000 * ratio);
    EXPECT_EQ(f.BarAt(1)->GetRect(), (Rect{0, 0, w0, m::kBarLineHeight}));
    EXPECT_EQ(f.BarAt(2)->GetRect(), (Rect{0, 0, w1, m::kBarLineHeight}));
    EXPECT_EQ(f.BarAt(3)->GetRect(), (Rect{0, 0, 7000 - w0 - w1, m::kBarLineHeight}));
    EXPECT_EQ(f.BarAt(1)->GetPosition(), (Point{0, 0}));
    EXPECT_EQ(f.BarAt(2)->GetPosition(), (Point{w0, 0}));
    EXPECT_EQ(f.BarAt(3)->GetPosition(), (Point{w0 + w1, 0}));
    // Every bar hangs from the row's absolute point and remembers the stretch.
    EXPECT_EQ(f.BarAt(2)->GetOrigin(), (Point{700, 1300}));
    EXPECT_EQ(f.BarAt(2)->GetParent(), f.row.get());
    EXPECT_FLOAT_EQ(f.BarAt(2)->GetPositionMap()->GetScale(), static_cast<float>(ratio));
    // Bars outside the range are not touched.
    EXPECT_EQ(f.BarAt(0)->GetRect(), (Rect{}));
    EXPECT_EQ(f.BarAt(4)->GetParent(), nullptr);
}

TEST(TrackNodeTest, AColumnAdjustWidensABarAndTheNextGivesItBack)
{
    RowFixture f;
    f.BarAt(1)->SetPositionMap(MapOf(1000, 100, 0.5f));
    f.row->Layout(f.painter);
    const double ratio = 6400.0 / 6000.0;
    const int plain0 = static_cast<int>(200 + 1000 * ratio);
    const int extra = static_cast<int>(0.5 * 1000 * ratio);
    EXPECT_EQ(f.BarAt(1)->GetRect().Width(), static_cast<int>(200 + 1500 * ratio));
    EXPECT_EQ(f.BarAt(2)->GetRect().Width(), static_cast<int>(200 + 2000 * ratio - extra));
    EXPECT_EQ(f.BarAt(3)->GetPosition().x + f.BarAt(3)->GetRect().Width(), 7000);
    EXPECT_GE(f.BarAt(1)->GetRect().Width() - plain0, extra);
}

// A bar widened by hand takes its room from the next bar, never more than that bar has
// between its margins: every bar keeps its margins and the row still ends at its width,
// so no bar is pushed past the row's end (and off the page).
TEST(TrackNodeTest, AWideningTakesNoMoreThanTheNextBarCanGive)
{
    struct Case {
        const char* name;
        float adjust1, adjust2, adjust3;
    };
    for (const Case& c : {Case{"first bar far wider than its line", 3.0f, 0, 0},
                          Case{"the greatest width a document may hold", 100.0f, 0, 0},
                          Case{"a middle bar against the last", 0, 100.0f, 0},
                          Case{"two widened bars in a row", 3.0f, 3.0f, 0},
                          Case{"the next bar narrowed by hand too", 2.0f, -0.75f, 0},
                          Case{"the last bar widened", 0, 0, 100.0f}}) {
        SCOPED_TRACE(c.name);
        RowFixture f;
        f.BarAt(1)->SetPositionMap(MapOf(1000, 100, c.adjust1));
        f.BarAt(2)->SetPositionMap(MapOf(2000, 100, c.adjust2));
        f.BarAt(3)->SetPositionMap(MapOf(3000, 100, c.adjust3));
        f.row->Layout(f.painter);
        int x = 0;
        for (int b = 1; b <= 3; ++b) {
            EXPECT_EQ(f.BarAt(b)->GetPosition().x, x) << "bar " << b;
            EXPECT_GE(f.BarAt(b)->GetRect().Width(), 199) << "bar " << b;
            x += f.BarAt(b)->GetRect().Width();
        }
        EXPECT_EQ(x, 7000);
    }
    // Within what the next bar has, the widening is as asked.
    RowFixture f;
    f.BarAt(1)->SetPositionMap(MapOf(1000, 100, 1.5f));
    f.row->Layout(f.painter);
    EXPECT_EQ(f.BarAt(1)->GetRect().Width(), static_cast<int>(200 + 2500 * 6400.0 / 6000.0));
}

TEST(TrackNodeTest, NothingIsPlacedWithoutRoomToShare)
{
    struct Case {
        const char* name;
        int first;
        int end;
        int extent;
        int margin;
    };
    for (const Case& c : {Case{"empty range", 2, 2, 1000, 100},
                          Case{"no extent", 1, 4, 0, 100},
                          Case{"no margins", 1, 4, 1000, 0}}) {
        SCOPED_TRACE(c.name);
        RowFixture f;
        auto first = CreateNote(3);
        auto second = CreateNote(3);
        f.BarAt(1)->AddNote(first);
        f.BarAt(2)->AddNote(second);
        auto tie = std::make_shared<Tie>();
        tie->SetStart({f.BarAt(1), first});
        tie->SetEnd({f.BarAt(2), second});
        f.part->AddTie(tie);
        f.row->Layout(f.painter);  // with room: the tie has its view
        EXPECT_EQ(f.row->GetTieViews().size(), 1U);
        for (int b = 0; b < 5; ++b) {
            f.BarAt(b)->SetRect({});
            f.BarAt(b)->SetPositionMap(MapOf(c.extent, c.margin));
        }
        f.row->SetBarRange(c.first, c.end);
        f.row->Layout(f.painter);
        for (int b = 0; b < 5; ++b)
            EXPECT_EQ(f.BarAt(b)->GetRect(), (Rect{}));
        EXPECT_TRUE(f.row->GetTieViews().empty());
    }
}

TEST(TrackNodeTest, VersesStackBelowTheBarLineByTheirOffsetsAndOneLyricLine)
{
    RowFixture f;
    const int offsets[5] = {150, 60, 0, 30, 10};
    for (int v = 0; v < 5; ++v)
        f.part->SetVerseOffset(v, offsets[v]);
    f.row->Layout(f.painter);
    int a = m::kBarLineHeight;
    for (int v = 0; v < 5; ++v) {
        SCOPED_TRACE(v);
        for (int b = 1; b < 4; ++b)
            EXPECT_EQ(f.BarAt(b)->GetVerseOffset(v), (Point{0, a + offsets[v]}));
        a += offsets[v] + m::kLyricHeight;
        EXPECT_EQ(f.row->GetVerseMark(v)->GetPosition(), (Point{0, a}));
        EXPECT_EQ(f.row->GetVerseMark(v)->GetOrigin(), (Point{700, 1300}));
        EXPECT_EQ(f.row->GetVerseMark(v)->GetParent(), f.row.get());
    }
    // A verse offset still unset counts as 0 rather than folding the lines upward.
    f.part->SetVerseOffset(0, kUnset);
    f.row->Layout(f.painter);
    EXPECT_EQ(f.BarAt(1)->GetVerseOffset(0), (Point{0, m::kBarLineHeight}));
}

TEST(TrackNodeTest, VerseHandlesShowUpToTheHighestVerseWithText)
{
    RowFixture f;
    auto note = CreateNote(3);
    f.BarAt(2)->AddNote(note);
    f.row->ShowVerseMarks(true);
    EXPECT_TRUE(f.row->GetVerseMark(0)->IsVisible());
    EXPECT_FALSE(f.row->GetVerseMark(1)->IsVisible());
    note->SetLyricText(2, u"啊");
    f.row->ShowVerseMarks(true);
    EXPECT_TRUE(f.row->GetVerseMark(2)->IsVisible());
    EXPECT_FALSE(f.row->GetVerseMark(3)->IsVisible());
    f.row->ShowVerseMarks(false);
    EXPECT_FALSE(f.row->GetVerseMark(0)->IsVisible());
}

TEST(TrackNodeTest, ExtentIsStaffSizePlusBarLineHeightAndNothingWhenHidden)
{
    RowFixture f;
    EXPECT_EQ(f.row->GetExtent(f.painter), (Rect{0, 0, 0, 1000 + m::kBarLineHeight}));
    f.part->SetStaffSize(kUnsetDouble);
    EXPECT_EQ(f.row->GetExtent(f.painter), (Rect{0, 0, 0, m::kBarLineHeight}));
    f.row->SetVisible(false);
    EXPECT_EQ(f.row->GetExtent(f.painter), (Rect{}));
}

TEST(TrackNodeTest, HandlesSitOnTheBarLineAndBelowTheStaffSpace)
{
    RowFixture f;
    f.row->Layout(f.painter);
    EXPECT_EQ(f.row->GetPositionMark()->GetPosition(), (Point{0, m::kBarLineHeight}));
    EXPECT_EQ(f.row->GetSpacingMark()->GetPosition(), (Point{0, m::kBarLineHeight + 1000}));
    EXPECT_EQ(f.row->GetSpacingMark()->GetOrigin(), (Point{700, 1300}));
    // Moving the row moves its bars and handles with it.
    f.row->SetPosition({200, 900});
    EXPECT_EQ(f.BarAt(3)->GetOrigin(), (Point{700, 1900}));
    EXPECT_EQ(f.row->GetPositionMark()->GetOrigin(), (Point{700, 1900}));
}

// Drives a handle through press, two drag steps and release.
void Drag(ScoreElement& handle, int dy1, int dy2)
{
    NotificationPayload press;
    handle.NotifySelf(id::kHandlePressed, &press);
    for (int dy : {dy1, dy2}) {
        NotificationPayload step;
        step.delta = {7, dy};
        handle.NotifySelf(id::kHandleDragged, &step);
    }
    NotificationPayload release;
    handle.NotifySelf(id::kHandleReleased, &release);
}

std::vector<RecordingElement::Received> ChangesOf(const RecordingElement& line)
{
    std::vector<RecordingElement::Received> changes;
    for (const auto& r : line.ReceivedRecords()) {
        if (r.id < id::kHandlePressed || r.id > id::kHandleDragged)
            changes.push_back(r);
    }
    return changes;
}

TEST(TrackNodeTest, PositionHandleMovesTheRowAndReports1032Then1033)
{
    RowFixture f;
    f.row->SetOffset({0, 40});
    f.row->Layout(f.painter);
    Drag(*f.row->GetPositionMark(), 25, -5);
    EXPECT_EQ(f.row->GetOffset(), (Point{0, 60}));
    const auto changes = ChangesOf(*f.line);
    ASSERT_EQ(changes.size(), 3U);
    EXPECT_EQ(changes[0].id, id::kTrackPositionDrag);
    EXPECT_EQ(changes[0].payload.oldOffset, (Point{0, 40}));
    EXPECT_EQ(changes[0].payload.newOffset, (Point{0, 65}));
    EXPECT_EQ(changes[1].id, id::kTrackPositionDrag);
    EXPECT_EQ(changes[2].id, id::kTrackPositionRelease);
    EXPECT_EQ(changes[2].payload.oldOffset, (Point{0, 40}));
    EXPECT_EQ(changes[2].payload.newOffset, (Point{0, 60}));
    for (const auto& change : changes)
        EXPECT_EQ(change.sender, f.row.get());

    // A drag that comes back where it started records nothing.
    f.line->ClearReceived();
    Drag(*f.row->GetPositionMark(), 10, -10);
    const auto back = ChangesOf(*f.line);
    ASSERT_EQ(back.size(), 2U);
    EXPECT_EQ(back[1].id, id::kTrackPositionDrag);
}

// The release reports the size the steps asked for, also when their commands have not
// run yet (the part still holds the size from before the drag).
TEST(TrackNodeTest, SpacingHandleReports1038WithoutChangingTheStaffAnd1039OnlyWhenChanged)
{
    RowFixture f;
    f.row->Layout(f.painter);
    Drag(*f.row->GetSpacingMark(), 30, 20);
    EXPECT_DOUBLE_EQ(f.part->GetStaffSize(), 1000.0);
    auto changes = ChangesOf(*f.line);
    ASSERT_EQ(changes.size(), 3U);
    EXPECT_EQ(changes[0].id, id::kStaffSpacingDrag);
    EXPECT_EQ(changes[0].payload.oldStaffSize, 1000);
    EXPECT_EQ(changes[0].payload.newStaffSize, 1030);
    EXPECT_EQ(changes[1].payload.newStaffSize, 1050);
    EXPECT_EQ(changes[1].payload.part, f.part);
    EXPECT_EQ(changes[2].id, id::kStaffSpacingRelease);
    EXPECT_EQ(changes[2].payload.oldStaffSize, 1000);
    EXPECT_EQ(changes[2].payload.newStaffSize, 1050);

    // A drag that comes back where it started records nothing.
    f.line->ClearReceived();
    Drag(*f.row->GetSpacingMark(), 30, -30);
    EXPECT_EQ(ChangesOf(*f.line).size(), 2U);

    // A fractional staff size the drag did not change records nothing either.
    f.line->ClearReceived();
    f.part->SetStaffSize(1000.5);
    Drag(*f.row->GetSpacingMark(), 5, -5);
    EXPECT_EQ(ChangesOf(*f.line).size(), 2U);
    f.part->SetStaffSize(1000);

    // Here the commands of the first step change the staff size, as the controller's do.
    f.line->ClearReceived();
    NotificationPayload press;
    f.row->GetSpacingMark()->NotifySelf(id::kHandlePressed, &press);
    NotificationPayload step;
    step.delta = {0, -200};
    f.row->GetSpacingMark()->NotifySelf(id::kHandleDragged, &step);
    f.part->SetStaffSize(800.75);
    NotificationPayload release;
    f.row->GetSpacingMark()->NotifySelf(id::kHandleReleased, &release);
    changes = ChangesOf(*f.line);
    ASSERT_EQ(changes.size(), 2U);
    EXPECT_EQ(changes[1].id, id::kStaffSpacingRelease);
    EXPECT_EQ(changes[1].payload.oldStaffSize, 1000);
    EXPECT_EQ(changes[1].payload.newStaffSize, 800);
    EXPECT_EQ(changes[1].payload.part, f.part);
}

TEST(TrackNodeTest, EachVerseHandleReports1042And1043ForItsOwnVerse)
{
    for (int verse = 0; verse < 5; ++verse) {
        SCOPED_TRACE(verse);
        RowFixture f;
        f.part->SetVerseOffset(verse, 100);
        f.row->Layout(f.painter);
        const auto& handle = f.row->GetVerseMark(verse);
        NotificationPayload press;
        handle->NotifySelf(id::kHandlePressed, &press);
        NotificationPayload step;
        step.delta = {0, 35};
        handle->NotifySelf(id::kHandleDragged, &step);
        f.part->SetVerseOffset(verse, 135);  // what the transient command does
        NotificationPayload release;
        handle->NotifySelf(id::kHandleReleased, &release);
        const auto changes = ChangesOf(*f.line);
        ASSERT_EQ(changes.size(), 2U);
        EXPECT_EQ(changes[0].id, id::kVerseOffsetDrag);
        EXPECT_EQ(changes[0].payload.verse, verse);
        EXPECT_EQ(changes[0].payload.oldVerseOffset, 100);
        EXPECT_EQ(changes[0].payload.newVerseOffset, 135);
        EXPECT_EQ(changes[1].id, id::kVerseOffsetRelease);
        EXPECT_EQ(changes[1].payload.verse, verse);
        EXPECT_EQ(changes[1].payload.oldVerseOffset, 100);
        EXPECT_EQ(changes[1].payload.newVerseOffset, 135);
        EXPECT_EQ(changes[1].payload.part, f.part);
    }
    // Released before the steps' commands ran: the offset the steps asked for.
    RowFixture f;
    f.row->Layout(f.painter);
    Drag(*f.row->GetVerseMark(1), 10, 5);
    auto changes = ChangesOf(*f.line);
    ASSERT_EQ(changes.size(), 3U);
    EXPECT_EQ(changes[1].id, id::kVerseOffsetDrag);
    EXPECT_EQ(changes[1].payload.newVerseOffset, 15);
    EXPECT_EQ(changes[2].id, id::kVerseOffsetRelease);
    EXPECT_EQ(changes[2].payload.oldVerseOffset, 0);
    EXPECT_EQ(changes[2].payload.newVerseOffset, 15);

    // Released where it was pressed: no 1043.
    f.line->ClearReceived();
    Drag(*f.row->GetVerseMark(1), 10, -10);
    changes = ChangesOf(*f.line);
    ASSERT_EQ(changes.size(), 2U);
    EXPECT_EQ(changes[1].id, id::kVerseOffsetDrag);
}

TEST(TrackNodeTest, ABarRecordCarriesTheBarsIndexInThePartAndTheBar)
{
    RowFixture f;
    f.row->Layout(f.painter);
    for (int notice : {id::kBarSelected, id::kBarDeselected, id::kBarDoubleClicked, id::kNoteDelete}) {
        SCOPED_TRACE(notice);
        f.line->ClearReceived();
        NotificationPayload payload;
        f.BarAt(3)->NotifyParent(notice, &payload);
        ASSERT_EQ(f.line->ReceivedRecords().size(), 1U);
        const auto& r = f.line->ReceivedRecords()[0];
        EXPECT_EQ(r.payload.barIndex, 3);
        EXPECT_EQ(r.payload.bar, f.BarAt(3));
        EXPECT_EQ(r.sender, f.row.get());
    }
    // A bar the row does not show fills nothing.
    f.line->ClearReceived();
    NotificationPayload payload;
    payload.barIndex = -5;
    ElementNotification foreign{id::kBarSelected, &payload, f.BarAt(0).get()};
    f.row->Notify(foreign);
    EXPECT_EQ(f.line->ReceivedRecords()[0].payload.barIndex, -5);
    EXPECT_EQ(f.line->ReceivedRecords()[0].payload.bar, nullptr);
}

TEST(TrackNodeTest, TheInstrumentNameIsFilledIntoItsDeleteAndMoveRecords)
{
    RowFixture f;
    auto name = std::make_shared<InstrumentNameText>();
    name->SetText(u"笛子");
    f.row->SetInstrumentName(name);
    f.row->Layout(f.painter);
    EXPECT_EQ(name->GetParent(), f.row.get());
    name->Select();
    name->DeleteSelected();
    NotificationPayload move;
    name->NotifyParent(id::kMoveRequest, &move);
    std::vector<int> ids;
    for (const auto& r : f.line->ReceivedRecords()) {
        if (r.id == id::kInstrumentNameDelete || r.id == id::kMoveRequest) {
            ids.push_back(r.id);
            EXPECT_EQ(r.payload.element, name);
        }
    }
    EXPECT_EQ(ids, (std::vector<int>{id::kInstrumentNameDelete, id::kMoveRequest}));
    f.row->ClearInstrumentName();
    EXPECT_EQ(f.row->GetInstrumentName(), nullptr);
}

// The ties of a note that goes away are the removal command's to take off and give back:
// the row passes the record on and leaves them as they are.
TEST(TrackNodeTest, ANoteGoingAwayLeavesItsTiesToTheCommand)
{
    RowFixture f;
    auto first = CreateNote(3);
    auto second = CreateNote(3);
    first->SetDuration(322560);
    second->SetDuration(322560);
    f.BarAt(1)->AddNote(first);
    f.BarAt(2)->AddNote(second);
    auto tie = std::make_shared<Tie>();
    tie->SetStart({f.BarAt(1), first});
    tie->SetEnd({f.BarAt(2), second});
    f.part->AddTie(tie);
    f.row->Layout(f.painter);
    ASSERT_EQ(f.row->GetTieViews().size(), 1U);
    NotificationPayload going;
    going.subject = second.get();
    for (auto* leaving : {second.get(), first.get()}) {
        going.subject = leaving;
        ElementNotification record{id::kNoteGoingAway, &going, f.BarAt(2).get()};
        f.row->Notify(record);
    }
    EXPECT_EQ(tie->GetStart().note, first);
    EXPECT_EQ(tie->GetEnd().note, second);
    EXPECT_EQ(f.part->GetTies().size(), 1U);
    EXPECT_EQ(f.row->GetTieViews().size(), 1U);
}

TEST(TrackNodeTest, ARowIsHitInsideItsRectangleOrInsideOneOfItsBars)
{
    RowFixture f;
    f.row->SetRect({0, 0, 7000, 700});
    f.row->Layout(f.painter);
    // The row's point is (700, 1300).
    EXPECT_TRUE(f.row->HitTest({700, 1300}));
    EXPECT_TRUE(f.row->HitTest({7700, 2000}));
    EXPECT_FALSE(f.row->HitTest({7701, 1500}));
    // A bar reaching past the row's rectangle still makes the row hit there.
    f.BarAt(2)->SetRect({0, 0, f.BarAt(2)->GetRect().Width(), 1200});
    EXPECT_TRUE(f.row->HitTest({700 + f.BarAt(2)->GetPosition().x + 10, 2400}));
    EXPECT_FALSE(f.row->HitTest({710, 2400}));
}

TEST(TrackNodeTest, DoubleClickWithTheKeepFlagSelectsAPressElsewhereDeselects)
{
    RowFixture f;
    f.row->Layout(f.painter);
    int handled = 0;
    f.row->OnDoubleClick({800, 1400}, 0, handled);
    EXPECT_EQ(f.row->GetState(), element_state::kNormal);
    f.row->OnDoubleClick({800, 1400}, input_flag::kKeepSelection, handled);
    EXPECT_EQ(f.row->GetState(), element_state::kSelected);
    EXPECT_EQ(f.row->GetColor(), color_index::kNormal);  // the state alone changes
    f.row->OnButtonDown({800, 1400}, 0, handled);
    EXPECT_EQ(f.row->GetState(), element_state::kSelected);
    f.row->OnButtonDown({100, 100}, 0, handled);
    EXPECT_EQ(f.row->GetState(), element_state::kNormal);
}

TEST(TrackNodeTest, DrawsItsBarsBaseLineAndWhenSelectedItsFrame)
{
    RowFixture f;
    f.row->Layout(f.painter);
    f.painter.Clear();
    f.row->Draw(f.painter);
    auto lines = f.painter.CallsNamed("DrawTrackBaseLine");
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].ints, (std::vector<int>{700, 1300 + m::kBarLineHeight, 7000,
                                               color_index::kTrackBaseLine}));
    EXPECT_EQ(f.painter.Count("DrawFrameRect"), 0);

    f.row->Select();
    f.row->SetShowBaseLine(false);
    f.painter.Clear();
    f.row->Draw(f.painter);
    EXPECT_EQ(f.painter.Count("DrawTrackBaseLine"), 0);
    const auto frames = f.painter.CallsNamed("DrawFrameRect");
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0].ints, (std::vector<int>{700, 1300, 7700, 3000,
                                                color_index::kSelectedTrack}));
}

}  // namespace
}  // namespace quaverly
