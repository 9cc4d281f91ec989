// The editor as the program reaches it: made by the exported factory, called through the
// interface, reporting to a listener, drawing and laying out with the fake painter.
#include <memory>
#include <set>

#include <gtest/gtest.h>

#include "engine/editor/editor_interface.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/page_node.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "tests/engine/editor/editor_fixture.h"
#include "tests/engine/layout/layout_test_score.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_command.h"
#include "tests/support/recording_listener.h"

namespace quaverly {
namespace {

using layout_test::AddNote;
using layout_test::AddNotes;
using layout_test::BarOf;
using layout_test::MakeScore;

using editor_test::EditorHandle;

class EditorInterfaceTest : public ::testing::Test {
protected:
    EditorInterfaceTest() : handle(create_quaverly_editor())
    {
        editor = static_cast<ScoreEditor*>(handle.get());
        handle->SetListener(&listener);
    }

    // A score of `parts` parts and `bars` bars of four quarter notes, laid out in lines
    // and pages by the walkers.
    void FillScore(int parts, int bars)
    {
        auto filled = MakeScore(parts, bars);
        for (int p = 0; p < parts; ++p)
            for (int b = 0; b < bars; ++b)
                AddNotes(*BarOf(*filled, p, b), 4, note_length::kQuarter);
        // The document root stays; it takes the parts of the built score.
        while (filled->GetChildCount() > 0) {
            auto child = filled->GetChild(0);
            filled->RemoveChild(0);
            editor->score->AppendChild(child);
            child->SetParent(editor->score.get());
        }
    }

    void LayOut(int width = 16000, int height = 24000)
    {
        handle->SetPageContentSize(width, height);
        ASSERT_EQ(editor->RelayoutFrom(painter, 1, 1), 0);
        editor->RepaginateFrom(painter, 0);
    }

    // What one bar adds to a line with the fake metrics: the bar margin and its width.
    int BarContribution()
    {
        layout_test::Lay(editor->score, painter, 0, editor->GetBarCount());
        return fakes::fake_metrics::kMetric[8] + BarOf(*editor->score, 0, 0)->GetRect().Width();
    }

    std::vector<BarRange> LineRanges() const
    {
        std::vector<BarRange> ranges;
        for (std::size_t i = 1; i < editor->lines.size(); ++i)
            ranges.push_back(
                std::dynamic_pointer_cast<SystemNode>(editor->lines[i])->GetBarRange());
        return ranges;
    }

    std::vector<int> LinesPerPage() const
    {
        std::vector<int> counts;
        for (int p = 0; p < editor->layout->GetChildCount(); ++p)
            counts.push_back(editor->layout->GetChild(p)->GetChildCount());
        return counts;
    }

    EditorHandle handle;
    ScoreEditor* editor = nullptr;
    fakes::RecordingListener listener;
    fakes::FakePainter painter;
};

TEST_F(EditorInterfaceTest, ANewEditorHasNoPartsNoBarsAndNoCursorBar)
{
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle->GetPartCount(), 0);
    EXPECT_EQ(handle->GetBarCount(), 0);
    EXPECT_EQ(handle->GetLastPageIndex(), 0);
    EXPECT_EQ(handle->GetCursorBarIndex(), -1);
    EXPECT_EQ(handle->GetCurrentPage(), 0);
    EXPECT_EQ(handle->GetCurrentPart(), 0);
    EXPECT_FALSE(handle->CanUndo());
    EXPECT_FALSE(handle->HasSelection());
    EXPECT_EQ(editor->modes.size(), 3u);
    EXPECT_EQ(editor->currentMode, 0);
}

TEST_F(EditorInterfaceTest, EmptyOperationsChangeNothingAndSendNothing)
{
    EXPECT_TRUE(handle->ReservedQuery());
    handle->Enharmonic();
    handle->ReservedSymbolOperation(1, 2);
    handle->CutSelection(0);
    EXPECT_TRUE(listener.codes.empty());
    EXPECT_EQ(editor->history.PendingCount(), 0u);
}

TEST(EditorFactoryTest, DestroyingANullEditorDoesNothing)
{
    api::DestroyEditor(nullptr);
    api::ScoreEditor* editor = create_quaverly_editor();
    ASSERT_NE(editor, nullptr);
    editor->Destroy();
}

TEST_F(EditorInterfaceTest, GroupsUndoAndRedoReportInOrder)
{
    auto log = std::make_shared<fakes::RecordingCommand::Log>();
    editor->BeginGroup(false);
    editor->AddCommand(std::make_unique<fakes::RecordingCommand>("A", log));
    editor->AddCommand(std::make_unique<fakes::RecordingCommand>("B", log));
    editor->EndGroup();
    handle->RunPendingCommands(&painter);
    EXPECT_TRUE(handle->CanUndo());

    handle->Undo();
    handle->RunPendingCommands(&painter);
    handle->Redo();
    handle->RunPendingCommands(&painter);

    EXPECT_EQ(listener.codes, (std::vector<int>{22, 3, 1, 22, 3, 1, 22}));
    EXPECT_EQ(*log, (fakes::RecordingCommand::Log{"A.Do", "B.Do", "A.Undo", "B.Undo", "A.Do",
                                                  "B.Do"}));
}

TEST_F(EditorInterfaceTest, RunningWithoutAPainterLeavesTheQueue)
{
    auto log = std::make_shared<fakes::RecordingCommand::Log>();
    editor->AddCommand(std::make_unique<fakes::RecordingCommand>("A", log));
    handle->RunPendingCommands(nullptr);
    EXPECT_TRUE(log->empty());
    EXPECT_TRUE(listener.codes.empty());
    handle->RunPendingCommands(&painter);
    EXPECT_EQ(*log, (fakes::RecordingCommand::Log{"A.Do"}));
}

TEST_F(EditorInterfaceTest, ResetDocumentKeepsViewFlagsZeroAndOne)
{
    editor->viewFlags = {false, false, false, true, true, true, true, true};
    editor->deferredReflows = {4};
    FillScore(1, 2);
    LayOut();
    listener.codes.clear();

    handle->ResetDocument();

    EXPECT_EQ(editor->viewFlags, (std::array<bool, 8>{false, false, true, false, false, false,
                                                      false, false}));
    EXPECT_EQ(handle->GetPartCount(), 0);
    EXPECT_EQ(handle->GetCursorBarIndex(), -1);
    EXPECT_TRUE(editor->deferredReflows.empty());
    EXPECT_TRUE(listener.codes.empty());
}

TEST_F(EditorInterfaceTest, SettingThePageQueuesTheDeferredReflowsUpToIt)
{
    FillScore(1, 8);
    editor->score->GetBarsPerLine() = {{1, 2}, {2, 2}, {3, 2}, {4, 2}};
    editor->score->GetLinesPerPage() = {{0, 2}, {1, 1}, {2, 1}};
    LayOut(16000, 1000000);
    ASSERT_GE(editor->layout->GetChildCount(), 3);
    listener.codes.clear();
    editor->deferredReflows = {1, 3};

    handle->SetCurrentPage(2);

    EXPECT_EQ(handle->GetCurrentPage(), 2);
    EXPECT_EQ(editor->layout->GetCurrentPage(), 2);
    EXPECT_EQ(editor->deferredReflows, (std::set<int>{3}));
    EXPECT_EQ(editor->history.PendingCount(), 1u);
    EXPECT_FALSE(handle->CanUndo());  // a transient step
    EXPECT_TRUE(listener.codes.empty());
    handle->RunPendingCommands(&painter);  // the re-flow runs with the painter
    EXPECT_EQ(listener.codes, (std::vector<int>{18, 22}));
}

TEST_F(EditorInterfaceTest, BarsStayOnALineUpToFivePercentOverTheRoom)
{
    struct Case {
        const char* name;
        double ratio;  // two bars against the room
        int barsOnFirstLine;
    };
    const Case cases[] = {{"104 percent", 1.04, 2}, {"106 percent", 1.06, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        handle->ResetDocument();
        FillScore(1, 6);
        const int room = static_cast<int>(2 * BarContribution() / c.ratio);
        LayOut(room);
        ASSERT_GE(LineRanges().size(), 1u);
        EXPECT_EQ(LineRanges()[0], (BarRange{0, c.barsOnFirstLine}));
    }
}

TEST_F(EditorInterfaceTest, ABarWiderThanTheLineGetsALineOfItsOwn)
{
    FillScore(1, 3);
    LayOut(10);
    EXPECT_EQ(LineRanges(), (std::vector<BarRange>{{0, 1}, {1, 2}, {2, 3}}));
}

TEST_F(EditorInterfaceTest, ForcedBreaksAndBarsPerLineEntriesEndLines)
{
    FillScore(1, 10);
    editor->score->GetLineBreaks().insert(2);
    editor->score->GetBarsPerLine()[2] = 3;  // line 2 holds three bars
    LayOut(100000);
    EXPECT_EQ(LineRanges(), (std::vector<BarRange>{{0, 2}, {2, 5}, {5, 10}}));
    EXPECT_EQ(handle->GetLastPageIndex(), 1);
}

TEST_F(EditorInterfaceTest, LinesPerPageEntriesAreHonoured)
{
    FillScore(1, 6);
    editor->score->GetBarsPerLine() = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}};
    editor->score->GetLinesPerPage() = {{0, 2}, {1, 3}};
    LayOut(100000, 1000000);
    // Page 0 holds the heading and one line; page 1 three lines; the rest fits on page 2.
    EXPECT_EQ(LinesPerPage(), (std::vector<int>{2, 3, 2}));
    EXPECT_EQ(listener.codes.back(), EditorNoticeCode::PageInfoChanged);
}

TEST_F(EditorInterfaceTest, AModeZeroRunStopsAtTheFirstUnchangedLine)
{
    FillScore(1, 12);
    editor->score->GetBarsPerLine() = {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}};
    LayOut(100000);
    const auto line5 = editor->lines[5];
    auto line6 = std::dynamic_pointer_cast<SystemNode>(editor->lines[6]);
    // An edit in line 3 takes a bar from line 4; line 5 keeps its range.
    editor->score->GetBarsPerLine()[3] = 3;
    editor->score->GetBarsPerLine()[4] = 1;
    line6->SetBarRange(99, 100);  // a walk that reached line 6 would set it again

    ASSERT_EQ(editor->RelayoutFrom(painter, 3, 0), 0);

    EXPECT_EQ(LineRanges()[2], (BarRange{4, 7}));
    EXPECT_EQ(LineRanges()[3], (BarRange{7, 8}));
    EXPECT_EQ(editor->lines[5], line5);
    EXPECT_EQ(line6->GetBarRange(), (BarRange{99, 100}));
}

// A mode-0 run measures the bars it looks at again; the lines it leaves as they were
// keep the widths their rows gave their bars, so every row still ends at its line's end.
TEST_F(EditorInterfaceTest, LinesAModeZeroRunLeavesStillFillTheirRows)
{
    FillScore(1, 12);
    editor->score->GetBarsPerLine() = {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}};
    LayOut(100000);
    editor->score->GetBarsPerLine()[3] = 3;
    editor->score->GetBarsPerLine()[4] = 1;

    ASSERT_EQ(editor->RelayoutFrom(painter, 3, 0), 0);

    for (std::size_t i = 1; i < editor->lines.size(); ++i) {
        SCOPED_TRACE(i);
        const auto row = std::dynamic_pointer_cast<SystemNode>(editor->lines[i])->GetTrack(0);
        ASSERT_NE(row, nullptr);
        int widths = 0;
        for (int b = 0; b < row->GetChildCount(); ++b)
            widths += row->GetChild(b)->GetRect().Width();
        EXPECT_EQ(widths, row->GetRect().Width());
    }
}

TEST_F(EditorInterfaceTest, TheCursorFollowsItsBar)
{
    FillScore(1, 8);
    editor->score->GetBarsPerLine() = {{1, 4}, {2, 4}};
    LayOut(100000);
    editor->cursor = {0, 2, 0, 1, 0};  // bar 5
    ASSERT_EQ(handle->GetCursorBarIndex(), 5);

    editor->score->GetBarsPerLine() = {{1, 2}, {2, 2}, {3, 2}, {4, 2}};
    editor->RelayoutFrom(painter, 1, 1);
    editor->RepaginateFrom(painter, 0);

    EXPECT_EQ(handle->GetCursorBarIndex(), 5);
    EXPECT_EQ(editor->cursor, (CursorPosition{0, 3, 0, 1, 0}));
}

TEST_F(EditorInterfaceTest, PlaybackMovesTheCursorToTheLatestNoteStartOfAnyPart)
{
    handle->SetPageContentSize(100000, 100000);
    auto filled = MakeScore(2, 5);
    AddNote(*BarOf(*filled, 0, 3), note_length::kQuarter);
    AddNote(*BarOf(*filled, 0, 3), note_length::kQuarter)->SetStartTime(161280);
    AddNote(*BarOf(*filled, 1, 3), note_length::kQuarter);
    AddNote(*BarOf(*filled, 1, 3), note_length::kQuarter)->SetStartTime(241920);
    editor->score = filled;
    editor->score->GetBarsPerLine() = {{1, 2}, {2, 2}, {3, 1}};
    editor->RelayoutFrom(painter, 1, 1);
    editor->RepaginateFrom(painter, 0);
    // The layout gives start times; put them back where the case wants them.
    BarOf(*filled, 0, 3)->GetNotes()[1]->SetStartTime(161280);
    BarOf(*filled, 1, 3)->GetNotes()[1]->SetStartTime(241920);
    listener.codes.clear();

    EXPECT_EQ(handle->ShowPlaybackPosition({20, 3, 200000}), 0);

    EXPECT_EQ(editor->cursor, (CursorPosition{0, 2, 0, 1, 161280}));
    EXPECT_EQ(listener.codes, (std::vector<int>{16}));
    ASSERT_EQ(listener.positions.size(), 1u);
    EXPECT_EQ(listener.positions[0], (NoticePosition{0, 2, 0, 3, 161280}));

    listener.codes.clear();
    handle->ShowPlaybackPosition({19, 3, 200000});  // not a position
    handle->ShowPlaybackPosition({20, 5, 0});       // past the last bar
    EXPECT_TRUE(listener.codes.empty());
}

TEST_F(EditorInterfaceTest, TheCaretIsDrawnOnlyOnTheCurrentPageAndReportedWhenUpdated)
{
    FillScore(1, 4);
    LayOut(100000);
    editor->cursor = {0, 1, 0, 1, 0};

    painter.Clear();
    handle->DrawCaret(&painter);
    EXPECT_FALSE(painter.DrawCalls().empty());

    painter.Clear();
    handle->SetCaretEnabled(false);
    handle->DrawCaret(&painter);
    EXPECT_TRUE(painter.DrawCalls().empty());

    listener.codes.clear();
    handle->UpdateCaret(&painter);
    EXPECT_EQ(listener.codes, (std::vector<int>{17}));
    ASSERT_EQ(listener.regions.size(), 1u);
    EXPECT_EQ(listener.regions[0].left, listener.regions[0].right);
    EXPECT_LT(listener.regions[0].top, listener.regions[0].bottom);

    listener.codes.clear();
    editor->cursor = {0, 7, 0, 0, 0};  // no such line
    handle->UpdateCaret(&painter);
    EXPECT_TRUE(listener.codes.empty());
}

TEST_F(EditorInterfaceTest, DrawDrawsTheViewThroughThePainter)
{
    FillScore(1, 2);
    LayOut();
    painter.Clear();
    EXPECT_TRUE(handle->Draw(&painter));
    EXPECT_FALSE(painter.DrawCalls().empty());
    EXPECT_FALSE(handle->Draw(nullptr));
}

TEST_F(EditorInterfaceTest, EqualizeBarCountsLengthensShortTracks)
{
    auto filled = MakeScore(2, 3);
    filled->GetChild(1)->GetChild(0)->RemoveChild(2);
    editor->score = filled;
    editor->EqualizeBarCounts();
    const auto track = filled->GetChild(1)->GetChild(0);
    ASSERT_EQ(track->GetChildCount(), 3);
    EXPECT_EQ(track->GetChild(2)->GetIndex(), 2);
}

TEST_F(EditorInterfaceTest, ARelayoutPastTheLastLineGoesOnFromThatLine)
{
    FillScore(1, 6);
    editor->score->GetBarsPerLine() = {{1, 2}, {2, 2}, {3, 2}};
    handle->SetPageContentSize(100000, 1000000);
    ASSERT_EQ(editor->RelayoutFrom(painter, 1, 1), 0);
    editor->lines.resize(2);  // only the first line is left

    ASSERT_EQ(editor->RelayoutFrom(painter, 9, 1), 0);

    EXPECT_EQ(LineRanges(), (std::vector<BarRange>{{0, 2}, {2, 4}, {4, 6}}));
}

TEST_F(EditorInterfaceTest, TheWalkersReachEveryLineAndPageOfALongScore)
{
    FillScore(1, 1001);
    LayOut(10, 1);  // a line for every bar, a page for every line
    ASSERT_EQ(editor->lines.size(), 1002u);
    ASSERT_EQ(editor->layout->GetChildCount(), 1002);
    const auto last =
        std::dynamic_pointer_cast<SystemNode>(editor->layout->GetChild(1001)->GetChild(0));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->GetBarRange(), (BarRange{1000, 1001}));
    EXPECT_EQ(handle->GetLastPageIndex(), 1002);

    // A re-flow deferred for a page far down still runs when that page is shown.
    editor->deferredReflows = {700};
    handle->SetCurrentPage(800);
    EXPECT_TRUE(editor->deferredReflows.empty());
    EXPECT_EQ(editor->history.PendingCount(), 1u);
    handle->RunPendingCommands(&painter);
    EXPECT_EQ(editor->layout->GetChildCount(), 1002);
}

TEST_F(EditorInterfaceTest, RestackingAPageStacksItsLinesFromTheTop)
{
    FillScore(1, 6);
    editor->score->GetBarsPerLine() = {{1, 2}, {2, 2}, {3, 2}};
    LayOut(100000, 1000000);
    const auto page = editor->layout->GetChild(0);
    ASSERT_EQ(page->GetChildCount(), 4);
    for (int i = 0; i < page->GetChildCount(); ++i)
        page->GetChild(i)->SetPosition({0, 77777});

    editor->RestackPage(painter, 0);
    editor->RestackPage(painter, 5);  // no such page

    EXPECT_EQ(page->GetChild(0)->GetPosition().y, 0);
    for (int i = 1; i < page->GetChildCount(); ++i)
        EXPECT_GT(page->GetChild(i)->GetPosition().y, page->GetChild(i - 1)->GetPosition().y);
}

}  // namespace
}  // namespace quaverly
