// The decorations of a laid-out line: the start line joining the rows, the part-group
// brace or bracket with its bound handles, and the three screen-only layout marks.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/layout_mark_view.h"
#include "engine/layout/part_group_view.h"
#include "engine/layout/system_start_line.h"
#include "engine/model/part_group.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::PainterCall;
using fakes::RecordingElement;
namespace m = fakes::fake_metrics;
namespace id = notification_id;

// Three rows of a line, 1500 apart, the second moved down 40 by its user offset.
std::vector<std::shared_ptr<ScoreElement>> MakeRows()
{
    std::vector<std::shared_ptr<ScoreElement>> rows;
    for (int i = 0; i < 3; ++i) {
        auto row = std::make_shared<RecordingElement>("row", nullptr);
        row->SetPosition({200, 300 + 1500 * i});
        if (i == 1)
            row->SetOffset({0, 40});
        rows.push_back(row);
    }
    return rows;
}

TEST(SystemStartLineTest, JoinsTheRowsFromTheFirstTopToTheLastBarLineBottom)
{
    FakePainter painter;
    const auto rows = MakeRows();
    SystemStartLine line;
    EXPECT_EQ(line.GetAxisMask(), 0);
    for (const auto& row : rows)
        line.AppendTrack(row);
    line.SetOrigin({1000, 2000});
    line.Layout(painter);
    EXPECT_EQ(line.GetPosition(), (Point{200, 300}));
    EXPECT_EQ(line.GetRect(), (Rect{0, 0, 0, 3000 + m::kBarLineHeight}));
    painter.Clear();
    line.Draw(painter);
    EXPECT_EQ(painter.DrawCalls(),
              (std::vector<PainterCall>{
                  {"DrawThinVerticalLine", {1200, 2300, 3000 + m::kBarLineHeight, 0}, u""}}));
}

TEST(SystemStartLineTest, WithoutRowsItNeitherLaysOutNorDraws)
{
    FakePainter painter;
    SystemStartLine line;
    line.SetRect({1, 2, 3, 4});
    line.Layout(painter);
    line.Draw(painter);
    EXPECT_EQ(line.GetRect(), (Rect{1, 2, 3, 4}));
    EXPECT_TRUE(painter.DrawCalls().empty());

    PartGroupView group;
    group.Layout(painter);
    group.Draw(painter);
    EXPECT_TRUE(painter.DrawCalls().empty());
}

struct GroupFixture {
    FakePainter painter;
    std::shared_ptr<RecordingElement> system = std::make_shared<RecordingElement>("line", nullptr);
    std::shared_ptr<PartGroup> group = std::make_shared<PartGroup>();
    std::shared_ptr<PartGroupView> view = std::make_shared<PartGroupView>();
    std::vector<std::shared_ptr<ScoreElement>> rows = MakeRows();

    explicit GroupFixture(int type = part_group_type::kBrace)
    {
        system->HandleNotifications(1);
        group->SetType(type);
        group->SetFirstPart(0);
        group->SetLastPart(1);
        group->SetOffset({-25, 0});
        view->BindModelElement(group);
        view->AppendTrack(rows[0]);
        view->AppendTrack(rows[1]);
        view->SetOrigin({1000, 2000});
        view->SetParent(system.get());
        view->Layout(painter);
    }
};

TEST(PartGroupViewTest, StandsLeftOfItsRowsWithAHandleAtEachEnd)
{
    GroupFixture f;
    const int width = m::kSlurEndSize.cx;
    const int height = m::kBarLineHeight + 1840 - 300;
    EXPECT_EQ(f.view->GetAxisMask(), drag_axis::kX);
    EXPECT_EQ(f.view->GetOffset(), (Point{-25, 0}));
    EXPECT_EQ(f.view->GetPosition(), (Point{200 - width, 300}));
    EXPECT_EQ(f.view->GetRect(), (Rect{0, 0, width, height}));
    const Size e = m::kEditMarkESize;
    const int handleX = 200 - width - 25 + width - e.cx / 2;
    EXPECT_EQ(f.view->GetTopHandle()->GetPosition(), (Point{handleX, 300 - e.cy}));
    EXPECT_EQ(f.view->GetBottomHandle()->GetPosition(), (Point{handleX, 300 + height}));
    EXPECT_EQ(f.view->GetTopHandle()->GetOrigin(), (Point{1000, 2000}));
    EXPECT_EQ(f.view->GetTopHandle()->GetParent(), f.view.get());
}

TEST(PartGroupViewTest, DrawsABraceOrABracketAndTheHandlesOnlyWhileSelected)
{
    const int height = m::kBarLineHeight + 1840 - 300;
    const int x = 1000 + 200 - m::kSlurEndSize.cx - 25 + m::kSlurEndSize.cx;
    for (int type : {part_group_type::kBrace, part_group_type::kBracket}) {
        GroupFixture f(type);
        f.painter.Clear();
        f.view->Draw(f.painter);
        const char* op = type == 0 ? "DrawSmoothSlur" : "DrawSmoothSlurSegment";
        EXPECT_EQ(f.painter.DrawCalls(),
                  (std::vector<PainterCall>{{op, {x, 2300, height, 0}, u""}}));
        f.view->Select();
        f.painter.Clear();
        f.view->Draw(f.painter);
        EXPECT_EQ(f.painter.Names(),
                  (std::vector<std::string>{op, "DrawEditMarkE", "DrawEditMarkE"}));
        f.view->Deselect();
        f.painter.Clear();
        f.view->Draw(f.painter);
        EXPECT_EQ(f.painter.Names(), (std::vector<std::string>{op}));
    }
}

// A line that fills in the row under the pointer for each bound drag step, as the real
// line does, from a list of rows (-1: no row there).
class RowFillingLine : public RecordingElement {
public:
    RowFillingLine() : RecordingElement("line", nullptr) { HandleNotifications(1); }
    std::vector<int> rowsUnderPointer;

    int Notify(ElementNotification& notification) override
    {
        if (notification.id == id::kPartGroupBoundDrag && notification.payload != nullptr &&
            next_ < rowsUnderPointer.size())
            notification.payload->newPartIndex = rowsUnderPointer[next_++];
        return RecordingElement::Notify(notification);
    }

private:
    std::size_t next_ = 0;
};

// Every step reports the bound it asks for, going on from the last one asked for; the
// release reports the bound the steps reached, although the group itself has not changed
// yet (the steps' commands have not run).
TEST(PartGroupViewTest, DraggingABoundSendsEveryStepAndOneReleaseWhenItMoved)
{
    struct Case {
        const char* name;
        bool top;
        std::vector<int> rows;  // under the pointer at each step
        int movedTo;            // what the release reports; -1: no release
    };
    const Case cases[] = {
        {"top handle moved", true, {1, 1}, 1},
        {"top handle back where it was", true, {1, 0}, -1},
        {"top handle past the last part", true, {1, 2}, 1},
        {"bottom handle moved", false, {2, 2}, 2},
        {"bottom handle over no row", false, {2, -1}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GroupFixture f;
        const auto line = std::make_shared<RowFillingLine>();
        line->rowsUnderPointer = c.rows;
        f.view->SetParent(line.get());
        const auto& handle = c.top ? f.view->GetTopHandle() : f.view->GetBottomHandle();
        const int before = c.top ? 0 : 1;
        NotificationPayload step;
        handle->NotifySelf(id::kHandlePressed, &step);
        f.view->OnPointerMove({1111, 2222}, 0);
        handle->NotifySelf(id::kHandleDragged, &step);
        handle->NotifySelf(id::kHandleDragged, &step);
        handle->NotifySelf(id::kHandleReleased, &step);

        const auto& records = line->ReceivedRecords();
        std::vector<int> ids;
        for (const auto& record : records)
            ids.push_back(record.id);
        std::vector<int> expected{id::kHandlePressed, id::kPartGroupBoundDrag,
                                  id::kHandleDragged, id::kPartGroupBoundDrag,
                                  id::kHandleDragged};
        if (c.movedTo != -1)
            expected.push_back(id::kPartGroupBoundRelease);
        expected.push_back(id::kHandleReleased);
        ASSERT_EQ(ids, expected);
        for (const auto& record : records)
            EXPECT_EQ(record.sender, f.view.get());

        const auto& first = records[1].payload;
        EXPECT_EQ(first.firstBound, c.top);
        EXPECT_EQ(first.newPartIndex, c.rows[0]);
        EXPECT_EQ(first.oldPartIndex, before);
        EXPECT_EQ(first.pointer, (Point{1111, 2222}));
        EXPECT_EQ(first.element, f.group);
        // The second step goes on from the bound the first one asked for.
        EXPECT_EQ(records[3].payload.oldPartIndex, c.rows[0]);
        if (c.movedTo != -1) {
            const auto& last = records[5].payload;
            EXPECT_EQ(last.newPartIndex, c.movedTo);
            EXPECT_EQ(last.oldPartIndex, before);
            EXPECT_EQ(last.element, f.group);
        }
        EXPECT_EQ(c.top ? f.group->GetFirstPart() : f.group->GetLastPart(), before);
    }
}

TEST(PartGroupViewTest, OnlyASelectedViewMovesTheGroupOffsetAndAsksForARefresh)
{
    GroupFixture f;
    f.view->SetOffset({-60, 0});
    EXPECT_EQ(f.group->GetOffset(), (Point{-25, 0}));
    EXPECT_TRUE(f.system->ReceivedRecords().empty());
    f.view->Select();
    f.system->ClearReceived();
    f.view->SetOffset({-70, 0});
    EXPECT_EQ(f.group->GetOffset(), (Point{-70, 0}));
    ASSERT_EQ(f.system->ReceivedRecords().size(), 1u);
    EXPECT_EQ(f.system->ReceivedRecords()[0].id, id::kPartGroupOffsetChanged);
}

TEST(PartGroupViewTest, DeletingAsksForTheGroupsRemovalAndClearingForgetsTheRows)
{
    GroupFixture f;
    f.view->DeleteSelected();
    ASSERT_EQ(f.system->ReceivedRecords().size(), 1u);
    EXPECT_EQ(f.system->ReceivedRecords()[0].id, id::kPartGroupDelete);
    f.view->ClearChildren();
    EXPECT_TRUE(f.view->GetTracks().empty());
}

TEST(PartGroupViewTest, SettingTheOriginMovesBothHandles)
{
    GroupFixture f;
    f.view->SetOrigin({7, 8});
    EXPECT_EQ(f.view->GetTopHandle()->GetOrigin(), (Point{7, 8}));
    EXPECT_EQ(f.view->GetBottomHandle()->GetOrigin(), (Point{7, 8}));
}

// --- Layout marks ---

TEST(LayoutMarkViewTest, EachMarkStandsOnItsPointDrawsWhileVisibleAndAsksForItsRemoval)
{
    struct Case {
        const char* name;
        std::shared_ptr<LayoutMarkView> view;
        Size size;
        PainterCall draw;
        int deleteId;
        int barIndex, entryKey, entryValue;
    };
    auto lineBreak = std::make_shared<LineBreakMarkView>();
    lineBreak->SetBarIndex(12);
    auto barsPerLine = std::make_shared<BarsPerLineMarkView>();
    barsPerLine->SetLineIndex(3);
    barsPerLine->SetBarsPerLine(5);
    auto linesPerPage = std::make_shared<LinesPerPageMarkView>();
    linesPerPage->SetPageIndex(2);
    linesPerPage->SetLinesPerPage(7);
    const Size f = m::kEditMarkFSize;
    const Case cases[] = {
        {"line break", lineBreak, f, {"DrawEditMarkF", {1010, 2020 - f.cy, 34}, u""},
         id::kLineBreakDelete, 12, 0, 0},
        {"bars per line", barsPerLine, f,
         {"DrawNumberedEditMark", {1010, 2020 - f.cy, 5, 34}, u""}, id::kBarsPerLineDelete, 0,
         3, 5},
        {"lines per page", linesPerPage, f,
         {"DrawNumberedEditMark", {1010, 2020 - f.cy, 7, 34}, u""}, id::kLinesPerPageDelete, 0,
         2, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        RecordingElement parent("line", nullptr);
        parent.HandleNotifications(1);
        EXPECT_EQ(c.view->GetColor(), color_index::kEditMark);
        EXPECT_EQ(c.view->GetNormalColor(), color_index::kEditMark);
        c.view->SetOrigin({1000, 2000});
        c.view->SetPosition({10, 20});
        c.view->SetParent(&parent);
        c.view->Layout(painter);
        EXPECT_EQ(c.view->GetRect(), (Rect{0, -c.size.cy, c.size.cx, 0}));
        painter.Clear();
        c.view->Draw(painter);
        EXPECT_EQ(painter.DrawCalls(), std::vector<PainterCall>{c.draw});
        c.view->SetVisible(false);
        painter.Clear();
        c.view->Draw(painter);
        EXPECT_TRUE(painter.DrawCalls().empty());

        c.view->DeleteSelected();
        ASSERT_EQ(parent.ReceivedRecords().size(), 1u);
        const auto& record = parent.ReceivedRecords()[0];
        EXPECT_EQ(record.id, c.deleteId);
        EXPECT_EQ(record.payload.barIndex, c.barIndex);
        EXPECT_EQ(record.payload.entryKey, c.entryKey);
        EXPECT_EQ(record.payload.entryValue, c.entryValue);
    }
}

TEST(LayoutMarkViewTest, NumberedMarksStartAtOne)
{
    EXPECT_EQ(BarsPerLineMarkView().GetBarsPerLine(), 1);
    EXPECT_EQ(LinesPerPageMarkView().GetLinesPerPage(), 1);
}

}  // namespace
}  // namespace quaverly
