// The layout operations through the exported factory: view flags, refresh, bars per
// line, lines per page, hiding empty rows and the default layout.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/header_node.h"
#include "engine/layout/page_node.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "tests/engine/editor/editor_test_score.h"
#include "tests/engine/editor/editor_fixture.h"
#include "tests/engine/layout/layout_test_score.h"

namespace quaverly {
namespace {

using editor_test::kChanged;

class EditorLayoutOpsTest : public editor_test::EditorFixture {
protected:
    // A new score of `staves` staves with four bars a line, laid out.
    void NewScore(int staves = 1, int barsPerLine = 4)
    {
        NewTitledScore(u"山歌", staves, barsPerLine);
    }

    std::shared_ptr<SystemNode> Line(std::size_t index) const
    {
        auto& lines = static_cast<ScoreEditor*>(handle.get())->lines;
        return index < lines.size() ? std::dynamic_pointer_cast<SystemNode>(lines[index])
                                    : nullptr;
    }

    int BarsOfLine(std::size_t index) const
    {
        const auto line = Line(index);
        return line ? line->GetBarRange().end - line->GetBarRange().first : -1;
    }
};

TEST_F(EditorLayoutOpsTest, ViewFlagsShowTheirMarksAndRecordNothing)
{
    NewScore();
    const auto line = Line(1);
    ASSERT_NE(line, nullptr);
    const auto track = line->GetTrack(0);
    ASSERT_NE(track, nullptr);

    handle->ShowIndentMarks(true);
    EXPECT_TRUE(line->GetIndentMark()->IsVisible());
    EXPECT_TRUE(line->GetRightEndMark()->IsVisible());
    handle->ShowTrackBaseLines(false);
    EXPECT_FALSE(track->GetShowBaseLine());
    handle->ShowLineSpacingMarks(true);
    EXPECT_TRUE(track->GetSpacingMark()->IsVisible());
    handle->ShowPageBorder(false);
    EXPECT_FALSE(std::dynamic_pointer_cast<PageNode>(Editor().layout->GetChild(0))->GetShowBorder());
    handle->ShowIndentMarks(false);
    EXPECT_FALSE(line->GetIndentMark()->IsVisible());

    EXPECT_EQ(listener.codes, std::vector<int>(5, EditorNoticeCode::ContentChanged));
    EXPECT_FALSE(handle->CanUndo());

    // Lines made later take the flags as they are.
    handle->ShowIndentMarks(true);
    handle->Refresh();
    Run();
    EXPECT_TRUE(Line(1)->GetIndentMark()->IsVisible());
}

TEST_F(EditorLayoutOpsTest, PagesMadeAfterTheFlagsWereSetTakeThem)
{
    // The program switches the flags right after asking for a new score, before the
    // queued layout has made any page, and a page made later must follow them too.
    const auto borders = [this] {
        std::vector<bool> shown;
        for (int p = 0; p < Editor().layout->GetChildCount(); ++p)
            shown.push_back(std::dynamic_pointer_cast<PageNode>(Editor().layout->GetChild(p))->GetShowBorder());
        return shown;
    };
    NewScoreSettings settings;
    settings.staves.push_back({0, false, 0});
    settings.barsPerLine = 4;
    handle->NewDocument(settings);
    handle->ShowPageBorder(false);
    handle->ShowTrackBaseLines(false);
    Run();
    ASSERT_EQ(Editor().layout->GetChildCount(), 1);
    EXPECT_EQ(borders(), std::vector<bool>{false});
    EXPECT_FALSE(Line(1)->GetTrack(0)->GetShowBaseLine());
    painter.Clear();
    handle->Draw(&painter);
    EXPECT_EQ(painter.Count("DrawPageEdge"), 0);

    handle->SetLinesOnPage(2);
    Run();
    ASSERT_GT(Editor().layout->GetChildCount(), 1);
    EXPECT_EQ(borders(), std::vector<bool>(static_cast<std::size_t>(Editor().layout->GetChildCount()), false));
    handle->ShowPageBorder(true);
    EXPECT_EQ(borders(), std::vector<bool>(static_cast<std::size_t>(Editor().layout->GetChildCount()), true));
}

TEST_F(EditorLayoutOpsTest, RefreshWithoutLayoutQueuesNothingAndSendsNothing)
{
    handle->Refresh();
    EXPECT_TRUE(listener.codes.empty());
    EXPECT_FALSE(handle->CanUndo());

    NewScore();
    handle->Refresh();
    EXPECT_EQ(listener.codes, (std::vector<int>{EditorNoticeCode::ContentChanged}));
    EXPECT_TRUE(handle->CanUndo());
    Run();
    EXPECT_EQ(BarsOfLine(1), 4);
}

TEST_F(EditorLayoutOpsTest, BarsPerLineForOneLineAndForAll)
{
    NewScore(1, 0);  // as many bars as fit each line: no bars-per-line entries
    const int fitting = BarsOfLine(1);
    ASSERT_GT(fitting, 3);
    EXPECT_EQ(handle->GetBarsPerLine(), fitting);

    handle->SetBarsPerLine({2, false});
    EXPECT_EQ(listener.codes, kChanged);
    Run();
    EXPECT_EQ(BarsOfLine(1), 2);
    EXPECT_EQ(BarsOfLine(2), fitting);
    EXPECT_EQ(handle->GetBarsPerLine(), 2);

    handle->Undo();
    Run();
    EXPECT_EQ(BarsOfLine(1), fitting);

    handle->SetBarsPerLine({3, true});
    Run();
    EXPECT_EQ(BarsOfLine(1), 3);
    EXPECT_EQ(BarsOfLine(2), 3);
    // Every line a score of the most bars can have at three a line has its entry.
    EXPECT_GE(Editor().score->GetBarsPerLine().size(), 1u + (9999u + 2u) / 3u);
}

TEST_F(EditorLayoutOpsTest, OneBarALineForAllLinesReachesEveryLineOfALongScore)
{
    NewScore();
    handle->AddBars({19, 1200});
    Run();
    ASSERT_EQ(handle->GetBarCount(), 1220);
    handle->SetBarsPerLine({1, true});
    Run();
    ASSERT_EQ(Editor().lines.size(), 1221u);  // the heading and a line per bar
    for (int line = 1; line <= 1220; ++line) {
        const auto system = Line(static_cast<std::size_t>(line));
        ASSERT_NE(system, nullptr) << line;
        ASSERT_EQ(system->GetBarRange(), (BarRange{line - 1, line})) << line;
    }
    // The pages show them all.
    int shown = 0;
    for (int page = 0; page < Editor().layout->GetChildCount(); ++page)
        for (int l = 0; l < Editor().layout->GetChild(page)->GetChildCount(); ++l)
            shown += std::dynamic_pointer_cast<SystemNode>(Editor().layout->GetChild(page)->GetChild(l)) &&
                     !std::dynamic_pointer_cast<HeaderNode>(Editor().layout->GetChild(page)->GetChild(l));
    EXPECT_EQ(shown, 1220);
}

TEST_F(EditorLayoutOpsTest, CountsOfNoneOrLessAndMissingLinesAreRefused)
{
    NewScore();
    for (const int count : {0, -1, -100}) {
        SCOPED_TRACE(count);
        handle->SetBarsPerLine({count, false});
        handle->SetBarsPerLine({count, true});
        handle->SetLinesOnPage(count);
        EXPECT_TRUE(listener.codes.empty());
        EXPECT_FALSE(handle->CanUndo());
    }
    Editor().cursor.line = 40;  // no such line
    handle->SetBarsPerLine({2, false});
    EXPECT_TRUE(listener.codes.empty());
    EXPECT_FALSE(handle->CanUndo());
}

TEST_F(EditorLayoutOpsTest, LinesOnPageMovesTheRestToTheNextPage)
{
    NewScore();
    ASSERT_EQ(Editor().layout->GetChildCount(), 1);
    const int before = handle->GetLinesOnPage();
    EXPECT_EQ(before, 6);  // the heading and five lines

    handle->SetLinesOnPage(3);
    EXPECT_EQ(listener.codes, kChanged);
    Run();
    EXPECT_EQ(handle->GetLinesOnPage(), 3);
    EXPECT_EQ(Editor().layout->GetChildCount(), 2);
    handle->Undo();
    Run();
    EXPECT_EQ(handle->GetLinesOnPage(), before);
}

TEST_F(EditorLayoutOpsTest, HideEmptyLinesKeepsTheFirstLine)
{
    NewScore(2);
    // A note in the second staff's sixth bar (the second line).
    layout_test::AddNote(*layout_test::BarOf(*Editor().score, 1, 5), note_length::kQuarter);

    handle->HideEmptyLines(true);
    EXPECT_EQ(listener.codes, kChanged);
    EXPECT_TRUE(Editor().hideEmptyLines);
    const auto first = Line(1);
    EXPECT_TRUE(first->IsVisible());
    EXPECT_FALSE(first->GetTrack(0)->IsVisible());
    EXPECT_FALSE(first->GetTrack(1)->IsVisible());
    EXPECT_TRUE(Line(2)->IsVisible());
    EXPECT_FALSE(Line(2)->GetTrack(0)->IsVisible());
    EXPECT_TRUE(Line(2)->GetTrack(1)->IsVisible());
    EXPECT_FALSE(Line(3)->IsVisible());
    Run();
    EXPECT_TRUE(Line(1)->IsVisible());
    EXPECT_FALSE(Line(3)->IsVisible());

    handle->HideEmptyLines(false);
    for (std::size_t i = 1; i < Editor().lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(Line(i)->IsVisible());
        EXPECT_TRUE(Line(i)->GetTrack(0)->IsVisible());
    }
}

TEST_F(EditorLayoutOpsTest, RestoreDefaultLayoutEmptiesTheHistory)
{
    NewScore();
    handle->SetBarsPerLine({2, false});
    Run();
    handle->Undo();
    Run();
    ASSERT_TRUE(handle->CanRedo());
    Line(1)->SetOffset({300, 200});

    handle->RestoreDefaultLayout();
    EXPECT_EQ(listener.codes, kChanged);
    EXPECT_FALSE(handle->CanUndo());
    EXPECT_FALSE(handle->CanRedo());
    Run();
    EXPECT_EQ(Line(1)->GetOffset(), (Point{0, 0}));
}

// A score put into the editor as it stands and laid out by the walkers, with no first
// layout of a document: the parts whose sizes are not set get the sizes a new score's
// parts get (the last part the room below the line), so its rows and lines keep their
// gaps; a size the score holds stays.
TEST_F(EditorLayoutOpsTest, AScoreLaidOutAsItStandsGetsTheSizesItLacks)
{
    Score& score = *Editor().score;
    const auto first = editor_test::AddPart(score, 8);
    const auto second = editor_test::AddPart(score, 8);
    const auto third = editor_test::AddPart(score, 8);
    second->SetStaffSize(900);
    second->SetVerseOffset(1, 77);
    Editor().RelayoutFrom(painter, 1, 1);
    Editor().RepaginateFrom(painter, 0);

    EXPECT_EQ(first->GetStaffSize(), painter.GetMetric99());
    EXPECT_EQ(second->GetStaffSize(), 900);
    EXPECT_EQ(third->GetStaffSize(), painter.GetMetric100() + painter.GetMetric99());
    EXPECT_EQ(first->GetVerseOffset(0), painter.GetMetric111() + painter.GetMetric110());
    EXPECT_EQ(first->GetVerseOffset(1), painter.GetMetric111());
    EXPECT_EQ(second->GetVerseOffset(1), 77);

    // Each row lies below the one above it by that row's bar line and staff size.
    const auto line = Line(1);
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(line->GetChildCount(), 3);
    const int barLine = painter.GetBarLineHeight();
    EXPECT_EQ(line->GetTrack(1)->GetPosition().y - line->GetTrack(0)->GetPosition().y,
              barLine + painter.GetMetric99());
    EXPECT_EQ(line->GetTrack(2)->GetPosition().y - line->GetTrack(1)->GetPosition().y,
              barLine + 900);
    const auto next = Line(2);
    ASSERT_NE(next, nullptr);
    EXPECT_GE(next->GetPosition().y - line->GetPosition().y,
              3 * barLine + 900 + painter.GetMetric100() + 2 * painter.GetMetric99());
}

}  // namespace
}  // namespace quaverly
