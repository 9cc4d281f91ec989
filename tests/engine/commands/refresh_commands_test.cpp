// The first layout and the refresh commands on a score laid out by the editor's own
// walkers, read back through the recording painter.
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/command_group.h"
#include "engine/commands/initial_layout_command.h"
#include "engine/commands/refresh_commands.h"
#include "engine/layout/header_node.h"
#include "engine/layout/page_node.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/header_text.h"
#include "tests/engine/commands/command_test_score.h"
#include "tests/engine/layout/layout_test_score.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_listener.h"

namespace quaverly {
namespace {

using command_test::BarAt;
using command_test::FillScore;
using command_test::PartAt;

void RunOnce(EditCommand& command, ScorePainter& painter)
{
    command.SetPainter(&painter);
    command.Do();
}

// An editor holding a score of `parts` parts of `bars` bars of four quarters each,
// laid out into lines and pages as a loaded document is.
struct LaidOut {
    ScoreEditor editor;
    fakes::FakePainter painter;

    LaidOut(int parts, int bars, std::vector<SystemRecord> records = {})
    {
        editor.pageContentWidth = 16000;
        editor.pageContentHeight = 24000;
        FillScore(editor, parts, bars);
        for (int p = 0; p < parts; ++p)
            for (int b = 0; b < bars; ++b)
                layout_test::AddNotes(*BarAt(editor, p, b), 4, note_length::kQuarter);
        InitialLayoutCommand initial(&editor);
        initial.SetRecords(std::move(records));
        RunOnce(initial, painter);
        RelayoutScoreCommand score(&editor);
        RunOnce(score, painter);
        ReflowLinesKeepCommand reflow(&editor);
        RunOnce(reflow, painter);
    }

    std::shared_ptr<SystemNode> Line(std::size_t i) const
    {
        return i < editor.lines.size() ? std::dynamic_pointer_cast<SystemNode>(editor.lines[i])
                                       : nullptr;
    }

    // What the view is: every page drawn, every line's range, the deferred pages.
    std::string Snapshot()
    {
        std::ostringstream out;
        fakes::FakePainter drawing;
        for (int p = 0; p < editor.layout->GetChildCount(); ++p)
            editor.layout->GetChild(p)->Draw(drawing);
        for (const auto& call : drawing.Calls()) {
            out << call.name;
            for (int v : call.ints)
                out << ' ' << v;
            out << '\n';
        }
        for (std::size_t i = 1; i < editor.lines.size(); ++i) {
            const BarRange range = Line(i)->GetBarRange();
            out << "line " << i << ' ' << range.first << '-' << range.end << '\n';
        }
        for (int page : editor.deferredReflows)
            out << "deferred " << page << '\n';
        return out.str();
    }
};

TEST(InitialLayoutCommand, LoadedRecordsGoToTheLinesOfTheirNumber)
{
    // As a document reader gives them: the heading as line 0, three lines of music,
    // out of order, with a bad line and a bad row number among them.
    std::vector<SystemRecord> records(5);
    records[0] = {2, 4, 9, true, {30, 0}, {-200, 0}, {{1, false, {0, 40}, u"二胡", {5, 6}}}};
    records[1] = {0, 0, 0, true, {}, {}, {}};
    records[2] = {1, 0, 4, true, {10, 0}, {0, 0}, {{0, true, {0, 0}, u"笛子", {}}}};
    records[3] = {3, 9, 12, false, {}, {-50, 0}, {{7, true, {}, u"x", {}}}};
    records[4] = {40, 0, 2, true, {}, {}, {}};
    ScoreEditor editor;
    editor.pageContentWidth = 16000;
    FillScore(editor, 2, 12);
    fakes::FakePainter painter;
    InitialLayoutCommand command(&editor);
    command.SetRecords(records);
    RunOnce(command, painter);

    ASSERT_EQ(editor.lines.size(), 4u);  // the heading and lines 1 to 3
    EXPECT_TRUE(std::dynamic_pointer_cast<HeaderNode>(editor.lines[0]));
    EXPECT_EQ(editor.lines[0]->GetIndex(), 0);
    struct Expect {
        int first;
        int end;
        bool visible;
        Point offset;
        Point right;
    };
    const Expect expected[] = {{0, 4, true, {10, 0}, {0, 0}},
                               {4, 9, true, {30, 0}, {-200, 0}},
                               {9, 12, false, {0, 0}, {-50, 0}}};
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        const auto line = std::dynamic_pointer_cast<SystemNode>(editor.lines[static_cast<std::size_t>(i)]);
        const Expect& e = expected[i - 1];
        EXPECT_EQ(line->GetIndex(), i);
        EXPECT_EQ(line->GetBarRange().first, e.first);
        EXPECT_EQ(line->GetBarRange().end, e.end);
        EXPECT_EQ(line->IsVisible(), e.visible);
        EXPECT_EQ(line->GetOffset(), e.offset);
        EXPECT_EQ(line->GetRightOffset(), e.right);
        EXPECT_EQ(line->GetChildCount(), 2);
    }
    const auto line1 = std::dynamic_pointer_cast<SystemNode>(editor.lines[1]);
    const auto line2 = std::dynamic_pointer_cast<SystemNode>(editor.lines[2]);
    ASSERT_TRUE(line1->GetTrack(0)->GetInstrumentName());
    EXPECT_EQ(line1->GetTrack(0)->GetInstrumentName()->GetText(), u"笛子");
    EXPECT_FALSE(line1->GetTrack(1)->GetInstrumentName());
    EXPECT_FALSE(line2->GetTrack(1)->IsVisible());
    EXPECT_EQ(line2->GetTrack(1)->GetOffset(), (Point{0, 40}));
    EXPECT_EQ(line2->GetTrack(1)->GetInstrumentName()->GetOffset(), (Point{5, 6}));
    // The heading keeps no bars.
    EXPECT_EQ(editor.lines[0]->GetChildCount(), 0);
}

TEST(InitialLayoutCommand, LinesWithoutAHeadingRecordAreAllKept)
{
    std::vector<SystemRecord> records = {{1, 0, 3, true, {}, {}, {}}, {2, 3, 6, true, {}, {}, {}}};
    ScoreEditor editor;
    FillScore(editor, 1, 6);
    fakes::FakePainter painter;
    InitialLayoutCommand command(&editor);
    command.SetRecords(records);
    RunOnce(command, painter);
    ASSERT_EQ(editor.lines.size(), 3u);
    EXPECT_EQ(std::dynamic_pointer_cast<SystemNode>(editor.lines[2])->GetBarRange().first, 3);
}

TEST(InitialLayoutCommand, FillsUnsetMetricsAndEqualBarCountsOnly)
{
    ScoreEditor editor;
    FillScore(editor, 2, 3);
    PartAt(editor, 0)->SetStaffSize(555.0);
    PartAt(editor, 1)->AppendChild(std::make_shared<Bar>(3));
    fakes::FakePainter painter;
    InitialLayoutCommand command(&editor);
    RunOnce(command, painter);
    EXPECT_EQ(PartAt(editor, 0)->GetStaffSize(), 555.0);
    EXPECT_EQ(PartAt(editor, 1)->GetStaffSize(), 1219.0 + 1219.0);
    EXPECT_EQ(PartAt(editor, 0)->GetChildCount(), 4);
    EXPECT_NE(PartAt(editor, 1)->GetVerseOffset(0), kUnset);
    // Without records only the heading is made; the lines come from what follows.
    EXPECT_EQ(editor.lines.size(), 1u);
}

struct RefreshCase {
    const char* name;
    std::function<std::shared_ptr<EditCommand>(LaidOut&)> build;
};

TEST(RefreshCommands, RunningTwiceIsRunningOnce)
{
    const RefreshCase cases[] = {
        {"refresh element", [](LaidOut& d) {
             auto c = std::make_shared<RefreshElementCommand>();
             c->SetTarget(BarAt(d.editor, 0, 1));
             return c;
         }},
        {"relayout from line", [](LaidOut& d) {
             auto c = std::make_shared<RelayoutFromElementCommand>(&d.editor);
             c->SetStartElement(d.Line(1));
             return c;
         }},
        {"relayout from line, all", [](LaidOut& d) {
             auto c = std::make_shared<RelayoutFromElementAllCommand>(&d.editor);
             c->SetStartElement(d.Line(2));
             return c;
         }},
        {"relayout and repaginate", [](LaidOut& d) {
             auto c = std::make_shared<RelayoutAndRepaginateCommand>(&d.editor);
             c->SetStartElement(d.Line(1));
             return c;
         }},
        {"relayout score", [](LaidOut& d) { return std::make_shared<RelayoutScoreCommand>(&d.editor); }},
        {"restack page", [](LaidOut& d) {
             auto c = std::make_shared<RelayoutLinesCommand>(&d.editor);
             c->SetPage(0);
             return c;
         }},
        {"repaginate", [](LaidOut& d) {
             auto c = std::make_shared<RepaginateFromCommand>(&d.editor);
             c->SetPage(0);
             return c;
         }},
        {"reflow", [](LaidOut& d) { return std::make_shared<ReflowLinesCommand>(&d.editor); }},
        {"reflow keep", [](LaidOut& d) { return std::make_shared<ReflowLinesKeepCommand>(&d.editor); }},
        {"reflow from", [](LaidOut& d) {
             auto c = std::make_shared<ReflowLinesFromCommand>(&d.editor);
             c->SetPage(1);
             return c;
         }},
        {"line list", [](LaidOut& d) {
             auto c = std::make_shared<RefreshLineListCommand>(&d.editor);
             c->AppendIndex(2);
             c->AppendIndex(1);
             c->AppendIndex(2);
             return c;
         }},
        {"bar content", [](LaidOut& d) {
             auto c = std::make_shared<RebuildBarContentCommand>(&d.editor);
             c->SetPage(0);
             return c;
         }},
        {"bar numbers", [](LaidOut& d) { return std::make_shared<RebuildBarIndexCommand>(&d.editor); }},
        {"time signature", [](LaidOut& d) {
             auto c = std::make_shared<PlaceBarTimeSignatureCommand>();
             c->SetBar(BarAt(d.editor, 0, 0));
             return c;
         }},
        {"page lines", [](LaidOut& d) {
             auto c = std::make_shared<RefreshPageLinesCommand>();
             c->SetPage(std::dynamic_pointer_cast<PageNode>(d.editor.layout->GetChild(0)));
             return c;
         }},
        {"line marks", [](LaidOut& d) {
             auto c = std::make_shared<RebuildTrackLineMarksCommand>();
             c->SetTrack(d.Line(1)->GetTrack(0));
             return c;
         }},
        {"all bars", [](LaidOut& d) {
             auto c = std::make_shared<RelayoutAllBarsCommand>();
             c->SetScore(d.editor.score);
             return c;
         }},
        {"bar range", [](LaidOut& d) {
             auto c = std::make_shared<RelayoutBarRangeCommand>();
             c->SetRange(2, 5);
             c->SetScore(d.editor.score);
             return c;
         }},
        {"barline marks", [](LaidOut& d) {
             auto c = std::make_shared<RebuildBarsCommand>();
             c->AppendBar(BarAt(d.editor, 0, 3));
             c->AppendBar(BarAt(d.editor, 1, 3));
             return c;
         }},
        {"staff joins", [](LaidOut& d) {
             auto c = std::make_shared<RefreshStaffJoinsCommand>();
             c->SetSystem(d.Line(1));
             return c;
         }},
        {"part-group views", [](LaidOut& d) {
             return std::make_shared<RefreshPartGroupTracksCommand>(&d.editor);
         }},
        {"part-group headers", [](LaidOut& d) {
             return std::make_shared<RefreshPartGroupHeadersCommand>(&d.editor);
         }},
    };
    for (const RefreshCase& c : cases) {
        SCOPED_TRACE(c.name);
        LaidOut doc(2, 24);
        ASSERT_GT(doc.editor.layout->GetChildCount(), 1) << "the score spans pages";
        const auto command = c.build(doc);
        RunOnce(*command, doc.painter);
        const std::string once = doc.Snapshot();
        command->Do();
        EXPECT_EQ(doc.Snapshot(), once);
        command->Undo();
        command->Undo();
        const std::string undone = doc.Snapshot();
        command->Undo();
        EXPECT_EQ(doc.Snapshot(), undone);
    }
}

TEST(RefreshCommands, NoticesAreSentAgainInTheOrderTheGroupUndoes)
{
    ScoreEditor editor;
    fakes::RecordingListener listener;
    editor.listener = &listener;
    CommandGroup group;
    group.AddChild(std::make_shared<BeginWaitNoticeCommand>(&editor));
    group.AddChild(std::make_shared<PlaybackChangedNoticeCommand>(&editor));
    group.AddChild(std::make_shared<EndWaitNoticeCommand>(&editor));
    group.Do();
    group.Undo();
    EXPECT_EQ(listener.codes, (std::vector<int>{23, 19, 24, 23, 19, 24}));
}

TEST(RefreshCommands, StartLineNoLongerListedDoesNothing)
{
    LaidOut doc(1, 24);
    const auto dropped = doc.Line(2);
    RelayoutFromElementCommand command(&doc.editor);
    command.SetStartElement(dropped);
    doc.editor.lines.erase(doc.editor.lines.begin() + 2);
    const std::string before = doc.Snapshot();
    RunOnce(command, doc.painter);
    EXPECT_EQ(doc.Snapshot(), before);
}

// An undone re-cut drops the last line and the redone one makes a new line in its place:
// the command run again (undone or redone) lays out the new line, as a command made for
// that line does.
TEST(RefreshCommands, StartLineMadeAgainIsLaidOutWhenRunAgain)
{
    const auto run = [](bool madeForTheNewLine) {
        LaidOut doc(1, 24);
        const std::size_t last = doc.editor.lines.size() - 1;
        RelayoutFromElementCommand command(&doc.editor);
        command.SetStartElement(doc.Line(last));
        RunOnce(command, doc.painter);
        const BarRange range = doc.Line(last)->GetBarRange();
        // The command holds its line: the new one cannot take its address.
        const ScoreElement* oldLine = doc.Line(last).get();

        doc.editor.lines.resize(last);
        doc.editor.RelayoutFrom(doc.painter, static_cast<int>(last), 0);
        doc.editor.RepaginateFrom(doc.painter, 0);
        EXPECT_EQ(doc.editor.lines.size(), last + 1);
        EXPECT_NE(doc.Line(last).get(), oldLine);
        EXPECT_EQ(doc.Line(last)->GetBarRange().first, range.first);

        // The line's first bar gets two more notes, then is laid out again.
        layout_test::AddNotes(*BarAt(doc.editor, 0, range.first), 2, note_length::kEighth);
        const std::string before = doc.Snapshot();
        if (madeForTheNewLine) {
            RelayoutFromElementCommand fresh(&doc.editor);
            fresh.SetStartElement(doc.Line(last));
            RunOnce(fresh, doc.painter);
        } else {
            command.Undo();
        }
        const std::string after = doc.Snapshot();
        EXPECT_TRUE(after != before) << "the new line was not laid out";
        return after;
    };
    EXPECT_EQ(run(false), run(true));
}

// Lines, rows and pages named by a command recorded before a re-flow are gone after
// it: the command leaves them alone rather than laying out a node outside the view.
TEST(RefreshCommands, ViewNodesDroppedByAReflowAreLeftAlone)
{
    LaidOut doc(2, 24);
    auto joins = std::make_shared<RefreshStaffJoinsCommand>();
    joins->SetSystem(doc.Line(3));
    auto marks = std::make_shared<RebuildTrackLineMarksCommand>();
    marks->SetTrack(doc.Line(3)->GetTrack(1));
    auto lines = std::make_shared<RefreshPageLinesCommand>();
    lines->SetPage(std::dynamic_pointer_cast<PageNode>(doc.editor.layout->GetChild(1)));
    const std::weak_ptr<ScoreElement> oldLine = doc.Line(3);

    // One line now takes every bar: the later lines and pages are dropped.
    ASSERT_GT(doc.editor.lines.size(), 3u);
    doc.editor.score->GetBarsPerLine()[1] = 24;
    ReflowLinesCommand reflow(&doc.editor);
    RunOnce(reflow, doc.painter);
    const std::string before = doc.Snapshot();
    doc.painter.Clear();
    for (const auto& command : std::vector<std::shared_ptr<EditCommand>>{joins, marks, lines}) {
        RunOnce(*command, doc.painter);
        command->Undo();
    }
    EXPECT_TRUE(doc.painter.Calls().empty()) << "a dropped node was laid out";
    EXPECT_EQ(doc.Snapshot(), before);
    EXPECT_EQ(doc.editor.lines.size(), 2u);
    if (const auto line = oldLine.lock()) {
        EXPECT_FALSE(line->GetParent());
    }
}

TEST(RebuildBarContentCommand, ActsOnEveryPageOfTheViewTheLastAndTheOnlyOneIncluded)
{
    struct Case {
        const char* name;
        int bars;
        int page;  // -1: the last page
        bool acts;
    };
    const Case cases[] = {
        {"one-page score", 4, 0, true},
        {"last page", 24, -1, true},
        {"first page", 24, 0, true},
        {"past the last page", 24, 99, false},
        {"negative page", 24, -5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LaidOut doc(1, c.bars);
        const int pages = doc.editor.layout->GetChildCount();
        const int page = c.page == -1 ? pages - 1 : c.page;
        if (c.bars == 4) {
            ASSERT_EQ(pages, 1);
        }
        // Move the verse lines of every bar out of place, so a walk shows.
        PartAt(doc.editor, 0)->SetVerseOffset(0, 999);
        RebuildBarContentCommand command(&doc.editor);
        command.SetPage(page);
        doc.painter.Clear();
        RunOnce(command, doc.painter);
        EXPECT_EQ(!doc.painter.Calls().empty(), c.acts);
        doc.painter.Clear();
        command.Undo();
        EXPECT_EQ(!doc.painter.Calls().empty(), c.acts);
    }
}

TEST(GetBarRef, ReachesBarBOfTrackAOrNothing)
{
    ScoreEditor editor;
    FillScore(editor, 2, 3);
    const auto& part = *editor.score->GetChild(1);
    EXPECT_EQ(GetBarRef(part, 0, 2), BarAt(editor, 1, 2));
    EXPECT_FALSE(GetBarRef(part, 0, 3));
    EXPECT_FALSE(GetBarRef(part, 1, 0));
    EXPECT_FALSE(GetBarRef(part, -1, 0));
}

}  // namespace
}  // namespace quaverly
