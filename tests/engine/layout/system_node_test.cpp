// A laid-out line: its rows, how it stacks them, the marks row above the first row, the
// part groups, barlines and layout marks it makes, its two handles and what it writes
// into the records that pass through it.
#include <algorithm>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/barline_view.h"
#include "engine/layout/layout_mark_view.h"
#include "engine/layout/part_group_view.h"
#include "engine/layout/system_start_line.h"
#include "engine/model/barline.h"
#include "engine/model/header_text.h"
#include "engine/model/part_group.h"
#include "engine/model/time_signature.h"
#include "tests/engine/layout/laid_out_score.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
using layout_test::BarOf;
using layout_test::Lay;
using layout_test::kLineWidth;
using layout_test::MakeFilledScore;
using layout_test::MakeLine;
namespace m = fakes::fake_metrics;
namespace id = notification_id;

std::shared_ptr<Part> PartOf(const Score& score, int p)
{
    return std::dynamic_pointer_cast<Part>(score.GetChild(p)->GetChild(0));
}

TEST(SystemNodeTest, MakesOneRowPerPartInPartOrderWithTheLinesRange)
{
    FakePainter painter;
    auto score = MakeFilledScore(3, 4);
    auto line = MakeLine(score, painter, 1, 1, 3);
    ASSERT_EQ(line->GetChildCount(), 3);
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(line->GetTrack(p)->GetPart(), PartOf(*score, p));
        EXPECT_EQ(line->GetTrack(p)->GetBarRange(), (BarRange{1, 3}));
    }
    line->SetBarRange(2, 4);
    EXPECT_EQ(line->GetTrack(2)->GetBarRange(), (BarRange{2, 4}));
}

TEST(SystemNodeTest, StacksVisibleRowsAndGivesHiddenOnesNoRoom)
{
    FakePainter painter;
    auto score = MakeFilledScore(3, 2);
    Lay(score, painter, 0, 2);
    auto line = std::make_shared<SystemNode>(score);
    line->SetBarRange(0, 2);
    line->SetRect({0, 0, kLineWidth, 0});
    line->SetPosition({100, 5000});
    line->CreateTracks();
    line->GetTrack(0)->SetOffset({0, 50});
    line->GetTrack(1)->SetVisible(false);
    line->GetTrack(1)->SetOffset({0, 30});
    line->Layout(painter);

    const int row = 1000 + m::kBarLineHeight;
    // The hidden row's offset still counts in the line's height.
    EXPECT_EQ(line->GetRect().bottom, row + 50 + 30 + row);
    EXPECT_EQ(line->GetTrack(0)->GetPosition(), (Point{0, 0}));
    EXPECT_EQ(line->GetTrack(0)->GetRect(), (Rect{0, 0, kLineWidth, row}));
    EXPECT_EQ(line->GetTrack(2)->GetPosition(), (Point{0, row + 50}));
    EXPECT_EQ(line->GetTrack(2)->GetOrigin(), (Point{100, 5000}));
    EXPECT_EQ(line->GetTrack(1)->GetRect(), (Rect{}));
    // The last bar of every visible row ends at the row's width.
    const auto bar = line->GetTrack(2)->GetBar(1);
    EXPECT_EQ(bar->GetPosition().x + bar->GetRect().Width(), kLineWidth);
    // Hidden rows take no part in the barlines and the start line.
    ASSERT_EQ(line->GetBarlineViews().size(), 4U);
    EXPECT_EQ(line->GetBarlineViews()[0]->GetBars().size(), 2U);
    ASSERT_EQ(line->GetStartLines().size(), 1U);
    EXPECT_EQ(line->GetStartLines()[0]->GetTracks().size(), 2U);
}

TEST(SystemNodeTest, PartGroupsAddTheirRoomToTheLeftInsetAndCoverTheirVisibleRows)
{
    FakePainter painter;
    auto score = MakeFilledScore(3, 2);
    auto group = std::make_shared<PartGroup>();
    group->SetFirstPart(1);
    group->SetLastPart(7);  // beyond the last part: held to the rows there are
    score->AddPartGroup(group);
    Lay(score, painter, 0, 2);
    auto line = std::make_shared<SystemNode>(score);
    line->SetBarRange(0, 2);
    line->SetRect({0, 0, kLineWidth, 0});
    line->SetOffset({250, 0});
    line->SetRightOffset({-400, 0});
    line->CreateTracks();
    line->Layout(painter);

    const int inset = m::kSlurEndSize.cx + 250;
    EXPECT_EQ(line->GetExtraRect(painter), (Rect{0, 0, inset - 400, 0}));
    EXPECT_EQ(line->GetTrack(0)->GetPosition().x, inset);
    EXPECT_EQ(line->GetTrack(0)->GetRect().right, kLineWidth - inset - 400);
    ASSERT_EQ(line->GetPartGroupViews().size(), 1U);
    const auto& view = line->GetPartGroupViews()[0];
    EXPECT_EQ(view->GetPartGroup(), group);
    ASSERT_EQ(view->GetTracks().size(), 2U);
    EXPECT_EQ(view->GetTracks()[0], line->GetTrack(1));
    EXPECT_EQ(view->GetParent(), line.get());

    score->RemovePartGroup(group);
    line->Layout(painter);
    EXPECT_EQ(line->GetExtraRect(painter), (Rect{0, 0, 250 - 400, 0}));
}

// A right offset read from a document may be anything: like a user offset it is held
// to ten metres, so the rows' width stays a width.
TEST(SystemNodeTest, AFarRightOffsetIsHeld)
{
    SystemNode line(std::make_shared<Score>());
    line.SetRightOffset({2147483647, -2147483647 - 1});
    EXPECT_EQ(line.GetRightOffset(), (Point{kMaxUserOffset, -kMaxUserOffset}));
}

TEST(SystemNodeTest, OneRowAloneStartsAtItsFirstBarEdgeAndHasNoStartLine)
{
    FakePainter painter;
    auto score = MakeFilledScore(1, 3);
    BarOf(*score, 0, 1)->GetBarline(0)->SetType(0);
    auto line = MakeLine(score, painter, 1, 0, 3);
    EXPECT_EQ(BarOf(*score, 0, 0)->GetPositionMap()->GetLeftMargin(), 0);
    EXPECT_EQ(BarOf(*score, 0, 1)->GetPositionMap()->GetLeftMargin(), painter.GetMetric107());
    EXPECT_TRUE(line->GetStartLines().empty());

    // With two rows the margins are the layout's own.
    auto two = MakeFilledScore(2, 3);
    auto other = MakeLine(two, painter, 1, 0, 3);
    EXPECT_EQ(BarOf(*two, 0, 0)->GetPositionMap()->GetLeftMargin(), painter.GetMetric107());
    EXPECT_EQ(other->GetStartLines().size(), 1U);
}

struct MarksFixture {
    FakePainter painter;
    std::shared_ptr<Score> score = MakeFilledScore(2, 4);

    // x0, y0 of bar b relative to the line's point.
    static Point BarPoint(const SystemNode& line, int b)
    {
        const auto bar = line.GetTrack(0)->GetBar(b - line.GetBarRange().first);
        const Point p = line.GetChildOrigin();
        return {bar->GetOrigin().x + bar->GetPosition().x - p.x,
                bar->GetOrigin().y + bar->GetPosition().y - p.y};
    }
};

TEST(SystemNodeTest, KeyAndOpeningTimeSignatureStandSideBySideOnTheMarksRow)
{
    MarksFixture f;
    auto signature = std::make_shared<TimeSignature>();
    signature->SetValue(0, 3, 4, 0);
    BarOf(*f.score, 0, 0)->SetTimeSignature(signature);
    auto line = MakeLine(f.score, f.painter, 1, 0, 4);
    ASSERT_EQ(line->GetTimeSignatures().size(), 1U);
    EXPECT_TRUE(signature->IsSystemPlaced());
    ASSERT_EQ(line->GetKeySignatures().size(), 1U);
    const auto& key = line->GetKeySignatures()[0];
    const Point at = MarksFixture::BarPoint(*line, 0);
    const int base = -f.painter.GetMetric102();
    // The time signature is the taller: it stands on the base, the key centred on it.
    const int th = m::kTimeSignatureHeight;
    const int kh = m::kKeySignatureSize.cy;
    EXPECT_EQ(key->GetPosition(), (Point{at.x, at.y + base - (kh + th) / 2}));
    EXPECT_EQ(signature->GetPosition(),
              (Point{at.x + f.painter.GetMetric103() + m::kKeySignatureSize.cx, at.y + base - th}));
    EXPECT_EQ(key->GetParent(), line.get());

    // The line draws the signature it placed; the bar leaves it alone.
    f.painter.Clear();
    line->Draw(f.painter);
    EXPECT_EQ(f.painter.Count("DrawTimeSignature"), 1);
    EXPECT_EQ(f.painter.Count("DrawKeySignature"), 1);
}

TEST(SystemNodeTest, TheOpeningTimeSignatureIsPlacedAlsoWithoutAKeyInBarZero)
{
    MarksFixture f;
    f.score->RemoveKeySignatureAt(0);
    auto signature = std::make_shared<TimeSignature>();
    BarOf(*f.score, 0, 0)->SetTimeSignature(signature);
    auto line = MakeLine(f.score, f.painter, 1, 0, 4);
    EXPECT_TRUE(line->GetKeySignatures().empty());
    const Point at = MarksFixture::BarPoint(*line, 0);
    EXPECT_EQ(signature->GetPosition(),
              (Point{at.x, at.y - f.painter.GetMetric102() - m::kTimeSignatureHeight}));
    EXPECT_EQ(signature->GetOrigin(), line->GetChildOrigin());
}

TEST(SystemNodeTest, TempoMarksStackUpwardAndExpressionTextsSitBesideThem)
{
    MarksFixture f;
    f.score->SetExpressionText({1, u"稍慢"});
    f.score->SetTempoMark({1, 161280, 80});
    auto second = std::make_shared<TempoMark>();
    second->SetValue(1, 161280, 100);
    f.score->AppendTempoMark(second);
    f.score->SetKeySignature({2, 2, 1});
    auto line = MakeLine(f.score, f.painter, 1, 1, 4);
    const int g = f.painter.GetMetric106();
    const Point at = MarksFixture::BarPoint(*line, 1);
    ASSERT_EQ(line->GetExpressionTexts().size(), 1U);
    EXPECT_EQ(line->GetExpressionTexts()[0]->GetPosition(),
              (Point{at.x, at.y - g - m::kExpressionHeight}));
    ASSERT_EQ(line->GetTempoMarks().size(), 2U);
    const int width = 2 * m::kCharWidth;  // the expression's width
    EXPECT_EQ(line->GetTempoMarks()[0]->GetPosition(),
              (Point{at.x + width, at.y - (g + m::kTempoMarkHeight)}));
    EXPECT_EQ(line->GetTempoMarks()[1]->GetPosition(),
              (Point{at.x + width, at.y - 2 * (g + m::kTempoMarkHeight)}));
    // The key of bar 2 stands above the taller row of bar 1.
    ASSERT_EQ(line->GetKeySignatures().size(), 1U);
    const Point at2 = MarksFixture::BarPoint(*line, 2);
    const int base = -f.painter.GetMetric102() - (g + m::kExpressionHeight);
    EXPECT_EQ(line->GetKeySignatures()[0]->GetPosition(),
              (Point{at2.x, at2.y + base - m::kKeySignatureSize.cy}));
}

TEST(SystemNodeTest, AHiddenFirstPartLeavesTheMarksRowToTheFirstVisibleRow)
{
    MarksFixture f;
    auto signature = std::make_shared<TimeSignature>();
    BarOf(*f.score, 1, 0)->SetTimeSignature(signature);
    Lay(f.score, f.painter, 0, 4);
    auto line = std::make_shared<SystemNode>(f.score);
    line->SetBarRange(0, 4);
    line->SetRect({0, 0, kLineWidth, 0});
    line->SetPosition({0, 3000});
    line->CreateTracks();
    line->GetTrack(0)->SetVisible(false);
    line->Layout(f.painter);
    // The second part's bar 0 gives the opening signature, and its row the marks' places.
    ASSERT_EQ(line->GetTimeSignatures().size(), 1U);
    EXPECT_EQ(line->GetTimeSignatures()[0], signature);
    const auto bar = line->GetTrack(1)->GetBar(0);
    const int y0 = bar->GetOrigin().y + bar->GetPosition().y - 3000;
    EXPECT_EQ(y0, 0);
    const auto& key = line->GetKeySignatures()[0];
    EXPECT_LT(key->GetPosition().y, 0);
    // The handles sit on the first visible row.
    const auto row = line->GetTrack(1);
    EXPECT_EQ(line->GetIndentMark()->GetOrigin(),
              OffsetPoint(line->GetChildOrigin(), row->GetPosition()));
}

TEST(SystemNodeTest, LineBreakAndBarsPerLineMarksStandAtTheLinesRightEnd)
{
    FakePainter painter;
    auto score = MakeFilledScore(2, 6);
    score->GetLineBreaks().insert(3);
    score->GetLineBreaks().insert(1);  // belongs to the line before
    score->GetBarsPerLine()[2] = 2;
    auto line = MakeLine(score, painter, 2, 1, 3);
    ASSERT_NE(line->GetLineBreakMark(), nullptr);
    EXPECT_EQ(line->GetLineBreakMark()->GetBarIndex(), 3);
    EXPECT_EQ(line->GetLineBreakMark()->GetPosition(), (Point{kLineWidth, 0}));
    EXPECT_EQ(line->GetLineBreakMark()->GetParent(), line.get());
    ASSERT_NE(line->GetBarsPerLineMark(), nullptr);
    EXPECT_EQ(line->GetBarsPerLineMark()->GetLineIndex(), 2);
    EXPECT_EQ(line->GetBarsPerLineMark()->GetBarsPerLine(), 2);
    EXPECT_EQ(line->GetBarsPerLineMark()->GetPosition(), (Point{kLineWidth, 0}));

    // The next line begins with the break: the mark is not its own.
    auto next = MakeLine(score, painter, 3, 3, 5);
    EXPECT_EQ(next->GetBarsPerLineMark(), nullptr);
    EXPECT_EQ(next->GetLineBreakMark(), nullptr);
    line->SetBarsPerLineMarkVisible(false);
    EXPECT_FALSE(line->GetBarsPerLineMark()->IsVisible());
}

TEST(SystemNodeTest, ARepeatEndMeetingARepeatStartJoinsTheTwoBarlines)
{
    FakePainter painter;
    auto score = MakeFilledScore(2, 3);
    for (int p = 0; p < 2; ++p) {
        BarOf(*score, p, 0)->GetBarline(1)->SetMarkValue(2);
        BarOf(*score, p, 1)->GetBarline(0)->SetMarkValue(1);
    }
    auto line = MakeLine(score, painter, 1, 0, 3);
    const auto& views = line->GetBarlineViews();
    ASSERT_EQ(views.size(), 6U);
    std::vector<bool> joined;
    for (const auto& view : views)
        joined.push_back(view->IsJoined());
    EXPECT_EQ(joined, (std::vector<bool>{false, true, true, false, false, false}));
    EXPECT_EQ(views[1]->GetSide(), barline_side::kRight);
    EXPECT_EQ(views[1]->GetOrigin(), line->GetChildOrigin());
}

TEST(SystemNodeTest, PairedPartsJoinTheirBarlinesBetweenTheRows)
{
    FakePainter painter;
    auto score = MakeFilledScore(3, 2);
    PartOf(*score, 1)->SetStaffLink(staff_link::kFirstOfPair);
    PartOf(*score, 2)->SetStaffLink(staff_link::kSecondOfPair);
    auto line = MakeLine(score, painter, 1, 0, 2);
    const auto& view = line->GetBarlineViews()[0];
    ASSERT_EQ(view->GetJoiningRects().size(), 1U);
    const auto& rows = view->GetBarlineRects();
    EXPECT_EQ(view->GetJoiningRects()[0].top, rows[1].bottom);
    EXPECT_EQ(view->GetJoiningRects()[0].bottom, rows[2].top);
}

TEST(SystemNodeTest, InstrumentNamesEndAtTheLinesLeftEdgeCentredOnTheirRow)
{
    FakePainter painter;
    auto score = MakeFilledScore(2, 2);
    Lay(score, painter, 0, 2);
    auto line = std::make_shared<SystemNode>(score);
    line->SetBarRange(0, 2);
    line->SetRect({0, 0, kLineWidth, 0});
    line->SetPosition({1000, 2000});
    line->SetOffset({300, 0});
    line->CreateTracks();
    auto name = std::make_shared<InstrumentNameText>();
    name->SetText(u"二胡");
    line->GetTrack(1)->SetInstrumentName(name);
    line->Layout(painter);
    const auto row = line->GetTrack(1);
    EXPECT_EQ(name->GetOrigin(), (Point{1300, 2000}));
    EXPECT_EQ(name->GetPosition(),
              (Point{-200, row->GetPosition().y + (m::kBarLineHeight - m::kInstrumentNameHeight) / 2}));
    EXPECT_EQ(name->GetParent(), row.get());
}

TEST(SystemNodeTest, IndentAndRightEndHandlesReportTheirDragsAndChangedReleases)
{
    FakePainter painter;
    auto score = MakeFilledScore(2, 2);
    auto line = MakeLine(score, painter, 1, 0, 2);
    auto page = std::make_shared<RecordingElement>("page", nullptr);
    page->HandleNotifications(0);
    line->SetParent(page.get());
    const auto drag = [](ScoreElement& handle, int dx) {
        NotificationPayload press;
        handle.NotifySelf(id::kHandlePressed, &press);
        NotificationPayload step;
        step.delta = {dx, 9};
        handle.NotifySelf(id::kHandleDragged, &step);
        NotificationPayload release;
        handle.NotifySelf(id::kHandleReleased, &release);
    };
    drag(*line->GetIndentMark(), 120);
    drag(*line->GetRightEndMark(), -80);
    drag(*line->GetIndentMark(), 0);  // back where it was: no release record
    std::vector<int> ids;
    for (const auto& r : page->ReceivedRecords()) {
        if (r.id >= id::kSystemIndentDrag && r.id <= id::kSystemRightEndRelease) {
            ids.push_back(r.id);
            EXPECT_EQ(r.sender, line.get());
        }
    }
    EXPECT_EQ(ids, (std::vector<int>{1034, 1035, 1036, 1037, 1034}));
    EXPECT_EQ(line->GetOffset(), (Point{120, 0}));
    EXPECT_EQ(line->GetRightOffset(), (Point{-80, 0}));
    const auto& records = page->ReceivedRecords();
    const auto release = std::find_if(records.begin(), records.end(),
                                      [](const auto& r) { return r.id == 1037; });
    EXPECT_EQ(release->payload.oldOffset, (Point{0, 0}));
    EXPECT_EQ(release->payload.newOffset, (Point{-80, 0}));
    line->BroadcastValue(1);
    EXPECT_TRUE(line->GetIndentMark()->IsVisible());
}

TEST(SystemNodeTest, RecordsFromARowCarryItsIndexAndAPartGroupBoundTheRowUnderThePointer)
{
    FakePainter painter;
    auto score = MakeFilledScore(3, 2);
    auto line = MakeLine(score, painter, 1, 0, 2);
    auto page = std::make_shared<RecordingElement>("page", nullptr);
    page->HandleNotifications(0);
    line->SetParent(page.get());

    NotificationPayload selected;
    line->GetTrack(2)->GetBar(1)->NotifyParent(id::kBarSelected, &selected);
    const auto& r = page->ReceivedRecords().back();
    EXPECT_EQ(r.payload.trackIndex, 2);
    EXPECT_EQ(r.payload.barIndex, 1);

    const int rowTop = line->GetTrack(1)->GetPosition().y;
    EXPECT_EQ(line->FindTrackAt({0, rowTop}), 1);
    EXPECT_EQ(line->FindTrackAt({0, -1}), -1);
    EXPECT_EQ(line->FindTrackAt({0, line->GetRect().bottom}), -1);
    NotificationPayload bound;
    bound.newPartIndex = -1;
    bound.pointer = {0, rowTop + 10};
    ElementNotification record{id::kPartGroupBoundDrag, &bound, nullptr};
    line->Notify(record);
    EXPECT_EQ(page->ReceivedRecords().back().payload.newPartIndex, 1);
}

}  // namespace
}  // namespace quaverly
