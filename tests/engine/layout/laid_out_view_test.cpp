// A whole score laid out into pages of stacked lines, read back through the painter: the
// marks row, joined barlines, part-group brackets, layout marks and page texts, ties and
// line marks broken across lines, and records that climb the whole view tree.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/barline_view.h"
#include "engine/layout/layout_mark_view.h"
#include "engine/layout/line_mark_view.h"
#include "engine/layout/part_group_view.h"
#include "engine/layout/tie_view_group.h"
#include "engine/model/barline.h"
#include "engine/model/line_mark.h"
#include "engine/model/page_text.h"
#include "engine/model/page_text_view.h"
#include "engine/model/part_group.h"
#include "engine/model/tie.h"
#include "engine/model/time_signature.h"
#include "tests/engine/layout/laid_out_score.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
using layout_test::BarOf;
using layout_test::MakeFilledScore;
using layout_test::MakeLaidOutRoot;
namespace m = fakes::fake_metrics;
namespace id = notification_id;

std::shared_ptr<Part> PartOf(const Score& score, int p)
{
    return std::dynamic_pointer_cast<Part>(score.GetChild(p)->GetChild(0));
}

// Three parts of nine bars: the first two a staff pair under a bracket, a key and an
// opening 3/4, a tempo mark and an expression text, a repeat joining bars 1 and 2, a
// forced break before bar 3, bars-per-line for line 2, lines-per-page for page 0 and
// a page text on page 0; lines [0, 3), [3, 6), [6, 9), two to a page.
struct ScoreFixture {
    FakePainter painter;
    std::shared_ptr<Score> score = MakeFilledScore(3, 9);
    std::shared_ptr<PartGroup> group = std::make_shared<PartGroup>();
    std::shared_ptr<PageText> text = std::make_shared<PageText>();
    std::shared_ptr<LayoutRoot> root;
    std::shared_ptr<RecordingElement> top = std::make_shared<RecordingElement>("top", nullptr);

    ScoreFixture()
    {
        score->SetKeySignature({0, 2, 1});
        for (int p = 0; p < 3; ++p) {
            auto signature = std::make_shared<TimeSignature>();
            signature->SetValue(0, 4, 4, 0);
            BarOf(*score, p, 0)->SetTimeSignature(signature);
            BarOf(*score, p, 1)->GetBarline(1)->SetMarkValue(2);
            BarOf(*score, p, 2)->GetBarline(0)->SetMarkValue(1);
        }
        score->SetTempoMark({0, 161280, 96});
        score->SetExpressionText({1, u"中速"});
        PartOf(*score, 0)->SetStaffLink(staff_link::kFirstOfPair);
        PartOf(*score, 1)->SetStaffLink(staff_link::kSecondOfPair);
        group->SetType(part_group_type::kBracket);
        group->SetFirstPart(0);
        group->SetLastPart(1);
        score->AddPartGroup(group);
        score->GetLineBreaks().insert(3);
        score->GetBarsPerLine()[2] = 3;
        score->GetLinesPerPage()[0] = 2;
        PageTextData data;
        data.rect = {1000, 20000, 5000, 21000};
        data.text = u"演奏说明";
        text->SetTextData(data);
        text->SetPage(0);
        score->AddPageText(text);
        root = MakeLaidOutRoot(score, painter, {{0, 3}, {3, 6}, {6, 9}}, 2);
        root->SetParent(top.get());
        top->HandleNotifications(0);
    }
    std::shared_ptr<SystemNode> Line(int page, int line) const
    {
        return std::dynamic_pointer_cast<SystemNode>(root->GetChild(page)->GetChild(line));
    }
};

TEST(LaidOutViewTest, LinesStackOnTheirPagesWithTheirRowsAndMarks)
{
    ScoreFixture f;
    ASSERT_EQ(f.root->GetChildCount(), 2);
    ASSERT_EQ(f.root->GetChild(0)->GetChildCount(), 2);
    ASSERT_EQ(f.root->GetChild(1)->GetChildCount(), 1);
    const auto first = f.Line(0, 0);
    const auto second = f.Line(0, 1);
    // The second line lies below the first, whose rows stack below each other.
    EXPECT_GT(second->GetPosition().y, first->GetPosition().y + first->GetRect().Height());
    for (int t = 1; t < 3; ++t)
        EXPECT_GT(first->GetTrack(t)->GetPosition().y, first->GetTrack(t - 1)->GetPosition().y);

    // The marks row of the first line: key, time, tempo mark above bar 0, expression
    // text above bar 1.
    ASSERT_EQ(first->GetKeySignatures().size(), 1U);
    ASSERT_EQ(first->GetTimeSignatures().size(), 1U);
    ASSERT_EQ(first->GetTempoMarks().size(), 1U);
    ASSERT_EQ(first->GetExpressionTexts().size(), 1U);
    EXPECT_TRUE(second->GetKeySignatures().empty());
    EXPECT_TRUE(second->GetTimeSignatures().empty());

    f.painter.Clear();
    f.root->Draw(f.painter);
    EXPECT_EQ(f.painter.Count("DrawKeySignature"), 1);
    // The opening signature stands once in the marks row; the other parts' bars do not
    // draw theirs over their first notes.
    EXPECT_EQ(f.painter.Count("DrawTimeSignature"), 1);
    for (int p = 1; p < 3; ++p)
        EXPECT_TRUE(BarOf(*f.score, p, 0)->GetTimeSignature()->IsSystemPlaced());
    EXPECT_EQ(f.painter.Count("DrawTempoMark"), 1);
    EXPECT_EQ(f.painter.Count("DrawExpressionText"), 1);
    const auto key = f.painter.CallsNamed("DrawKeySignature")[0];
    const auto tempo = f.painter.CallsNamed("DrawTempoMark")[0];
    const int rowTop = first->GetTrack(0)->GetAbsolutePoint().y;
    EXPECT_LT(key.ints[1], rowTop);
    // The signatures stand above the row of tempo marks and expression texts.
    EXPECT_LT(key.ints[1] + m::kKeySignatureSize.cy, tempo.ints[1]);
    EXPECT_LT(tempo.ints[1] + m::kTempoMarkHeight, rowTop);
    // Rows, start lines, the bracket over the pair; barlines of two lines.
    EXPECT_EQ(f.painter.Count("DrawTrackBaseLine"), 6);
    EXPECT_EQ(f.painter.Count("DrawThinVerticalLine"), 2);
    EXPECT_EQ(f.painter.Count("DrawSmoothSlurSegment"), 2);
    EXPECT_EQ(f.painter.Count("DrawNote"), 2 * 3 * 3 * 4);
    EXPECT_EQ(f.painter.Count("DrawFrameRect2"), 1);
    EXPECT_EQ(f.painter.Count("DrawPageText"), 1);
}

TEST(LaidOutViewTest, TheRepeatJoinsItsBarlinesAndThePairIsJoinedBetweenItsRows)
{
    ScoreFixture f;
    const auto& views = f.Line(0, 0)->GetBarlineViews();
    ASSERT_EQ(views.size(), 6U);
    EXPECT_TRUE(views[3]->IsJoined());   // right barline of bar 1
    EXPECT_TRUE(views[4]->IsJoined());   // left barline of bar 2
    EXPECT_FALSE(views[1]->IsJoined());
    for (const auto& view : views) {
        ASSERT_EQ(view->GetBarlineRects().size(), 3U);
        ASSERT_EQ(view->GetJoiningRects().size(), 1U);
        EXPECT_EQ(view->GetJoiningRects()[0].bottom, view->GetBarlineRects()[1].top);
    }
    f.painter.Clear();
    f.root->Draw(f.painter);
    int joined = 0;
    for (const auto& call : f.painter.CallsNamed("DrawBarLine"))
        joined += call.ints[5];
    EXPECT_EQ(joined, 2 * (3 + 1));  // two views, three rows and one joining piece each
}

TEST(LaidOutViewTest, TheBracketCoversThePairFromTheFirstRowToTheSecondsBarLineBottom)
{
    ScoreFixture f;
    const auto line = f.Line(0, 0);
    ASSERT_EQ(line->GetPartGroupViews().size(), 1U);
    const auto& bracket = line->GetPartGroupViews()[0];
    ASSERT_EQ(bracket->GetTracks().size(), 2U);
    const auto row0 = line->GetTrack(0);
    const auto row1 = line->GetTrack(1);
    EXPECT_EQ(bracket->GetPosition(),
              (Point{row0->GetPosition().x - m::kSlurEndSize.cx, row0->GetPosition().y}));
    EXPECT_EQ(bracket->GetRect().Height(),
              row1->GetPosition().y + m::kBarLineHeight - row0->GetPosition().y);
    EXPECT_EQ(row0->GetPosition().x, m::kSlurEndSize.cx);
}

TEST(LaidOutViewTest, LayoutMarksShowTheBreakTheBarsPerLineAndTheLinesPerPage)
{
    ScoreFixture f;
    ASSERT_NE(f.Line(0, 0)->GetLineBreakMark(), nullptr);
    EXPECT_EQ(f.Line(0, 0)->GetLineBreakMark()->GetBarIndex(), 3);
    EXPECT_EQ(f.Line(0, 1)->GetLineBreakMark(), nullptr);
    EXPECT_EQ(f.Line(0, 0)->GetBarsPerLineMark(), nullptr);
    ASSERT_NE(f.Line(0, 1)->GetBarsPerLineMark(), nullptr);  // line index 2
    EXPECT_EQ(f.Line(0, 1)->GetBarsPerLineMark()->GetBarsPerLine(), 3);
    const auto page = std::dynamic_pointer_cast<PageNode>(f.root->GetChild(0));
    ASSERT_NE(page->GetLinesPerPageMark(), nullptr);
    EXPECT_EQ(page->GetLinesPerPageMark()->GetLinesPerPage(), 2);
    EXPECT_EQ(std::dynamic_pointer_cast<PageNode>(f.root->GetChild(1))->GetLinesPerPageMark(),
              nullptr);
    f.painter.Clear();
    f.root->Draw(f.painter);
    EXPECT_EQ(f.painter.Count("DrawEditMarkF"), 1);
    EXPECT_EQ(f.painter.Count("DrawNumberedEditMark"), 2);
}

TEST(LaidOutViewTest, ReleasingADraggedPageTextReachesTheTopAs1067WithTextAndPage)
{
    ScoreFixture f;
    const auto page = std::dynamic_pointer_cast<PageNode>(f.root->GetChild(0));
    ASSERT_EQ(page->GetPageTextViews().size(), 1U);
    const auto view = page->GetPageTextViews()[0];
    int handled = 0;
    const Point grab{1500, 20500};
    f.root->OnButtonDown(grab, 0, handled);
    EXPECT_EQ(view->GetState(), element_state::kSelected);
    f.root->OnPointerMove({1600, 20450}, 0);
    f.root->OnButtonUp({1600, 20450}, 0);
    const auto& records = f.top->ReceivedRecords();
    const auto moved = std::find_if(records.begin(), records.end(),
                                    [](const auto& r) { return r.id == id::kPageTextMoved; });
    ASSERT_NE(moved, records.end());
    EXPECT_EQ(moved->payload.element, f.text);
    EXPECT_EQ(moved->payload.page, page);
    EXPECT_EQ(moved->payload.oldOffset, (Point{0, 0}));
    EXPECT_EQ(moved->payload.newOffset, (Point{100, -50}));
    EXPECT_EQ(moved->sender, f.root.get());
    EXPECT_TRUE(std::none_of(records.begin(), records.end(),
                             [](const auto& r) { return r.id == id::kMoveRequest; }));
}

TEST(LaidOutViewTest, AHandleDragClimbsToTheTopWithPageLineAndRowFilledIn)
{
    ScoreFixture f;
    const auto line = f.Line(1, 0);
    const auto row = line->GetTrack(2);
    NotificationPayload press;
    row->GetSpacingMark()->NotifySelf(id::kHandlePressed, &press);
    NotificationPayload step;
    step.delta = {0, 40};
    row->GetSpacingMark()->NotifySelf(id::kHandleDragged, &step);
    const auto& records = f.top->ReceivedRecords();
    const auto found = std::find_if(records.begin(), records.end(),
                                    [](const auto& r) { return r.id == id::kStaffSpacingDrag; });
    ASSERT_NE(found, records.end());
    const auto& r = *found;
    EXPECT_EQ(r.payload.pageIndex, 1);
    EXPECT_EQ(r.payload.systemNumber, 0);
    EXPECT_EQ(r.payload.system, line);
    EXPECT_EQ(r.payload.part, PartOf(*f.score, 2));
    EXPECT_EQ(r.payload.newStaffSize, 1040);
}

TEST(LaidOutViewTest, TiesAndLineMarksAcrossLinesShowOnePiecePerLine)
{
    FakePainter painter;
    auto score = MakeFilledScore(1, 6);
    auto part = PartOf(*score, 0);
    const auto last = BarOf(*score, 0, 1)->GetNotes().back();
    const auto next = BarOf(*score, 0, 2)->GetNotes().front();
    auto tie = std::make_shared<Tie>();
    tie->SetStart({BarOf(*score, 0, 1), last});
    tie->SetEnd({BarOf(*score, 0, 2), next});
    part->AddTie(tie);
    auto cresc = CreateLineMark(line_mark_kind::kCresc);
    cresc->SetBar(1);
    cresc->SetTimePosition(0);
    cresc->SetDuration(4 * 645120);  // from bar 1 into bar 5
    part->AddLineMark(cresc);
    auto root = MakeLaidOutRoot(score, painter, {{0, 2}, {2, 4}, {4, 6}}, 3);
    const auto line = [&](int i) {
        return std::dynamic_pointer_cast<SystemNode>(root->GetChild(0)->GetChild(i))->GetTrack(0);
    };
    ASSERT_EQ(line(0)->GetTieViews().size(), 1U);
    EXPECT_NE(std::dynamic_pointer_cast<TieStartView>(line(0)->GetTieViews()[0]), nullptr);
    ASSERT_EQ(line(1)->GetTieViews().size(), 1U);
    EXPECT_NE(std::dynamic_pointer_cast<TieEndView>(line(1)->GetTieViews()[0]), nullptr);
    EXPECT_TRUE(line(2)->GetTieViews().empty());
    std::vector<int> segments;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(line(i)->GetLineMarkViews().size(), 1U);
        segments.push_back(line(i)->GetLineMarkViews()[0]->GetSegment());
    }
    EXPECT_EQ(segments, (std::vector<int>{line_mark_segment::kStart, line_mark_segment::kMiddle,
                                          line_mark_segment::kEnd}));
    EXPECT_EQ(line(1)->GetLineMarkViews()[0]->GetParent(), line(1).get());
    painter.Clear();
    root->Draw(painter);
    EXPECT_EQ(painter.Count("DrawCrescendoStart"), 1);
    EXPECT_EQ(painter.Count("DrawCrescendoEnd"), 2);
    EXPECT_EQ(painter.Count("DrawFlatSlurStart"), 1);
    EXPECT_EQ(painter.Count("DrawFlatSlurEnd"), 1);
}

}  // namespace
}  // namespace quaverly
