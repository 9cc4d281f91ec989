// A page: its lines-per-page marker, the views of its page texts, its border, and what
// it writes into the records that climb through it.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/layout_mark_view.h"
#include "engine/layout/page_node.h"
#include "engine/model/page_text.h"
#include "engine/model/page_text_view.h"
#include "engine/model/score.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
namespace m = fakes::fake_metrics;
namespace id = notification_id;

std::shared_ptr<PageText> AddText(Score& score, int page, std::u16string text)
{
    auto item = std::make_shared<PageText>();
    PageTextData data;
    data.rect = {100, 200, 900, 500};
    data.text = std::move(text);
    item->SetTextData(data);
    item->SetPage(page);
    score.AddPageText(item);
    return item;
}

struct PageFixture {
    FakePainter painter;
    std::shared_ptr<Score> score = std::make_shared<Score>();
    std::shared_ptr<PageNode> page = std::make_shared<PageNode>(score);
    std::shared_ptr<RecordingElement> root = std::make_shared<RecordingElement>("root", nullptr);

    explicit PageFixture(int index = 2)
    {
        page->SetIndex(index);
        page->SetRect({0, 0, 18000, 26000});
        page->SetOrigin({30, 40});
        page->SetParent(root.get());
        root->HandleNotifications(0);
    }
};

TEST(PageNodeTest, TheLinesPerPageEntryOfThePageGetsAMarkerBelowItsRightEdge)
{
    for (int index : {0, 2, 120}) {  // page numbers have no upper limit
        SCOPED_TRACE(index);
        PageFixture f(index);
        f.score->GetLinesPerPage()[index] = 5;
        f.score->GetLinesPerPage()[index + 1] = 7;
        f.page->Layout(f.painter);
        const auto& marker = f.page->GetLinesPerPageMark();
        ASSERT_NE(marker, nullptr);
        EXPECT_EQ(marker->GetPageIndex(), index);
        EXPECT_EQ(marker->GetLinesPerPage(), 5);
        const Size size = m::kEditMarkFSize;
        EXPECT_EQ(marker->GetPosition(), (Point{18000 - size.cx, 26000 + size.cy + 200}));
        EXPECT_EQ(marker->GetOrigin(), (Point{30, 40}));
        EXPECT_EQ(marker->GetParent(), f.page.get());
    }
    PageFixture f;
    f.page->Layout(f.painter);
    EXPECT_EQ(f.page->GetLinesPerPageMark(), nullptr);
}

TEST(PageNodeTest, OnlyThePagesOwnTextsGetViewsInTheScoresOrder)
{
    PageFixture f;
    auto a = AddText(*f.score, 2, u"甲");
    AddText(*f.score, 0, u"乙");
    auto c = AddText(*f.score, 2, u"丙");
    c->SetOffset({5, 6});
    f.page->Layout(f.painter);
    const auto& views = f.page->GetPageTextViews();
    ASSERT_EQ(views.size(), 2U);
    EXPECT_EQ(views[0]->GetPageText(), a);
    EXPECT_EQ(views[1]->GetPageText(), c);
    EXPECT_EQ(views[1]->GetOffset(), (Point{5, 6}));
    EXPECT_EQ(views[1]->GetOrigin(), (Point{30, 40}));
    // Moving the page moves the views with it.
    f.page->SetPosition({0, 1000});
    EXPECT_EQ(views[0]->GetOrigin(), (Point{30, 1040}));
}

TEST(PageNodeTest, DrawsItsLinesBorderMarkerAndTextsTheBorderOnlyWhenOn)
{
    PageFixture f;
    AddText(*f.score, 2, u"甲");
    f.score->GetLinesPerPage()[2] = 3;
    auto line = std::make_shared<RecordingElement>("line", nullptr);
    line->SetRect({0, 0, 10, 10});
    f.page->AppendChild(line);
    f.page->Layout(f.painter);
    f.painter.Clear();
    f.page->Draw(f.painter);
    EXPECT_EQ(f.painter.Names(), (std::vector<std::string>{"DrawFrameRect", "DrawFrameRect2",
                                                            "DrawNumberedEditMark",
                                                            "DrawPageText"}));
    EXPECT_EQ(f.painter.CallsNamed("DrawFrameRect2")[0].ints,
              (std::vector<int>{30, 40, 18030, 26040, color_index::kPage}));
    f.page->SetShowBorder(false);
    f.painter.Clear();
    f.page->Draw(f.painter);
    EXPECT_EQ(f.painter.Count("DrawFrameRect2"), 0);
    EXPECT_EQ(f.painter.Count("DrawPageText"), 1);
}

TEST(PageNodeTest, AMoveRequestOfAPageTextViewClimbsOnAs1067CarryingThePageText)
{
    PageFixture f;
    auto text = AddText(*f.score, 2, u"甲");
    f.page->Layout(f.painter);
    const auto view = f.page->GetPageTextViews()[0];
    NotificationPayload move;
    move.oldOffset = {0, 0};
    move.newOffset = {40, -20};
    view->NotifyParent(id::kMoveRequest, &move);
    ASSERT_EQ(f.root->ReceivedRecords().size(), 1U);
    const auto& r = f.root->ReceivedRecords()[0];
    EXPECT_EQ(r.id, id::kPageTextMoved);
    EXPECT_EQ(r.sender, f.page.get());
    EXPECT_EQ(r.payload.element, text);
    EXPECT_EQ(r.payload.oldOffset, (Point{0, 0}));
    EXPECT_EQ(r.payload.newOffset, (Point{40, -20}));

    // The same id from a line passes unchanged.
    auto line = std::make_shared<RecordingElement>("line", nullptr);
    f.page->AppendChild(line);
    f.root->ClearReceived();
    NotificationPayload other;
    ElementNotification record{id::kMoveRequest, &other, line.get()};
    f.page->Notify(record);
    EXPECT_EQ(f.root->ReceivedRecords()[0].id, id::kMoveRequest);
    EXPECT_EQ(f.root->ReceivedRecords()[0].payload.element, nullptr);
}

TEST(PageNodeTest, RecordsNameTheLineOrPageTextTheyCameThrough)
{
    PageFixture f;
    auto text = AddText(*f.score, 2, u"甲");
    std::vector<std::shared_ptr<RecordingElement>> lines;
    for (int i = 0; i < 3; ++i) {
        lines.push_back(std::make_shared<RecordingElement>("line", nullptr));
        f.page->AppendChild(lines.back());
    }
    f.page->Layout(f.painter);
    for (int notice : {id::kNoteDelete, id::kStaffSpacingDrag, id::kVerseOffsetRelease,
                       id::kTrackPositionDrag, id::kKeySignatureDelete}) {
        SCOPED_TRACE(notice);
        f.root->ClearReceived();
        NotificationPayload payload;
        ElementNotification record{notice, &payload, lines[2].get()};
        f.page->Notify(record);
        const auto& r = f.root->ReceivedRecords()[0];
        EXPECT_EQ(r.payload.system, lines[2]);
        EXPECT_EQ(r.payload.systemNumber, notice == id::kStaffSpacingDrag ? 2 : 0);
        EXPECT_EQ(r.sender, f.page.get());
    }
    f.root->ClearReceived();
    f.page->GetPageTextViews()[0]->DeleteSelected();
    EXPECT_EQ(f.root->ReceivedRecords()[0].id, id::kPageTextDelete);
    EXPECT_EQ(f.root->ReceivedRecords()[0].payload.element, text);
}

}  // namespace
}  // namespace quaverly
