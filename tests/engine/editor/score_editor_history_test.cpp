// The editor's command groups, undo and redo, irreversible records and the run of the
// pending commands.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/no_op_command.h"
#include "engine/editor/score_editor.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_command.h"
#include "tests/support/recording_listener.h"

namespace quaverly {
namespace {

using fakes::RecordingCommand;
using Log = RecordingCommand::Log;

class ScoreEditorHistoryTest : public testing::Test {
protected:
    void SetUp() override { editor.listener = &listener; }

    std::unique_ptr<RecordingCommand> Command(const std::string& name)
    {
        return std::make_unique<RecordingCommand>(name, log);
    }
    void Run() { editor.RunPendingCommands(painter); }
    // Leaves one step "old" on the redo stack and the log and notices empty.
    void PrepareRedo()
    {
        editor.AddCommand(Command("old"));
        Run();
        editor.Undo();
        Run();
        ASSERT_TRUE(editor.CanRedo());
        log->clear();
        listener.codes.clear();
    }

    ScoreEditor editor;
    fakes::FakePainter painter;
    fakes::RecordingListener listener;
    std::shared_ptr<Log> log = std::make_shared<Log>();
};

struct GroupCase {
    const char* name;
    std::function<void(ScoreEditor&, const std::function<std::unique_ptr<RecordingCommand>(
                                          const std::string&)>&)>
        build;
    Log ran;         // what the next run does
    bool undoable;   // one new undo step
    bool redoKept;   // the earlier redo step survives
    Log undone;      // what undoing the new step does
};

TEST_F(ScoreEditorHistoryTest, GroupsRecordOneStepOrNothing)
{
    const GroupCase cases[] = {
        {"single command, no group",
         [](ScoreEditor& e, const auto& make) { e.AddCommand(make("A")); },
         {"A.Do"}, true, false, {"A.Undo"}},
        {"ordinary group",
         [](ScoreEditor& e, const auto& make) {
             e.BeginGroup(false);
             e.AddCommand(make("A"));
             e.AddCommand(make("B"));
             e.EndGroup();
         },
         {"A.Do", "B.Do"}, true, false, {"A.Undo", "B.Undo"}},
        {"reverse group",
         [](ScoreEditor& e, const auto& make) {
             e.BeginReverseGroup(false);
             e.AddCommand(make("A"));
             e.AddCommand(make("B"));
             e.EndGroup();
         },
         {"A.Do", "B.Do"}, true, false, {"B.Undo", "A.Undo"}},
        {"single empty group records nothing",
         [](ScoreEditor& e, const auto&) {
             e.BeginGroup(false);
             e.EndGroup();
         },
         {}, false, true, {}},
        {"nested empty group is added to its parent",
         [](ScoreEditor& e, const auto&) {
             e.BeginGroup(false);
             e.BeginGroup(false);
             e.EndGroup();
             e.EndGroup();
         },
         {}, true, false, {}},
        {"nested groups form one step",
         [](ScoreEditor& e, const auto& make) {
             e.BeginGroup(false);
             e.AddCommand(make("A"));
             e.BeginReverseGroup(false);
             e.AddCommand(make("B"));
             e.AddCommand(make("C"));
             e.EndGroup();
             e.EndGroup();
         },
         {"A.Do", "B.Do", "C.Do"}, true, false, {"A.Undo", "C.Undo", "B.Undo"}},
        {"transient group only runs",
         [](ScoreEditor& e, const auto& make) {
             e.BeginGroup(true);
             e.AddCommand(make("cursor"));
             e.EndGroup();
         },
         {"cursor.Do"}, false, true, {}},
        {"group of transient steps only runs",
         [](ScoreEditor& e, const auto& make) {
             e.BeginGroup(false);
             e.BeginGroup(true);
             e.AddCommand(make("cursor"));
             e.EndGroup();
             e.BeginGroup(true);
             e.AddCommand(make("select"));
             e.EndGroup();
             e.EndGroup();
         },
         {"cursor.Do", "select.Do"}, false, true, {}},
        {"EndGroup with no open group does nothing",
         [](ScoreEditor& e, const auto&) { e.EndGroup(); },
         {}, false, true, {}},
    };
    for (const GroupCase& c : cases) {
        SCOPED_TRACE(c.name);
        editor.history.Clear();
        PrepareRedo();
        const std::size_t stepsBefore = editor.history.UndoCount();

        c.build(editor, [this](const std::string& name) { return Command(name); });
        EXPECT_EQ(editor.OpenGroupCount(), 0);
        EXPECT_TRUE(log->empty());  // nothing runs before the queue does
        Run();

        EXPECT_EQ(*log, c.ran);
        EXPECT_EQ(editor.history.UndoCount(), stepsBefore + (c.undoable ? 1 : 0));
        EXPECT_EQ(editor.CanRedo(), c.redoKept);
        if (c.undoable) {
            log->clear();
            editor.Undo();
            Run();
            EXPECT_EQ(*log, c.undone);
        }
    }
}

TEST_F(ScoreEditorHistoryTest, TransientStepsDoNotPushEditsOutOfTheHistory)
{
    for (int i = 0; i < 64; ++i)
        editor.AddCommand(Command("edit" + std::to_string(i)));
    for (int i = 0; i < 10; ++i) {
        editor.BeginGroup(false);  // an operation that only moved the cursor
        editor.BeginGroup(true);
        editor.AddCommand(Command("cursor"));
        editor.EndGroup();
        editor.EndGroup();
    }
    Run();
    log->clear();

    while (editor.CanUndo())
        editor.Undo();
    Run();

    ASSERT_EQ(log->size(), 64u);
    EXPECT_EQ(log->back(), "edit0.Undo");
}

TEST_F(ScoreEditorHistoryTest, UndoAndRedoReportOnlyWhenTheyChangeSomething)
{
    struct Case {
        const char* name;
        bool withStep;
        std::vector<int> notices;  // after Undo and then Redo
    };
    const Case cases[] = {
        {"empty stacks", false, {}},
        {"one step", true, {3, 1, 3, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        editor.history.Clear();
        if (c.withStep) {
            editor.AddCommand(Command("A"));
            Run();
        }
        listener.codes.clear();
        log->clear();

        editor.Undo();
        editor.Redo();

        EXPECT_EQ(listener.codes, c.notices);
        EXPECT_EQ(editor.history.PendingCount(), c.withStep ? 2u : 0u);
    }
}

TEST_F(ScoreEditorHistoryTest, RunningThePendingCommandsRunsWhatTheyQueueAndThenReports)
{
    auto first = Command("first");
    first->onDo = [this] {
        editor.BeginGroup(false);
        editor.AddCommand(Command("queued by first"));
        editor.EndGroup();
    };
    editor.AddCommand(std::move(first));
    listener.codes.clear();

    Run();

    EXPECT_EQ(*log, (Log{"first.Do", "queued by first.Do"}));
    EXPECT_EQ(listener.codes, std::vector<int>{EditorNoticeCode::PendingCommandsRun});
    EXPECT_EQ(editor.history.PendingCount(), 0u);
}

TEST_F(ScoreEditorHistoryTest, NothingChangesTheTreeBeforeTheRun)
{
    auto bar = std::make_shared<ScoreElement>();
    auto add = Command("add");
    add->onDo = [this, bar] { editor.score->AppendChild(bar); };
    add->onUndo = [this] { editor.score->RemoveChild(editor.score->GetChildCount() - 1); };

    editor.AddCommand(std::move(add));
    EXPECT_EQ(editor.score->GetChildCount(), 0);
    Run();
    EXPECT_EQ(editor.score->GetChildCount(), 1);

    editor.Undo();
    EXPECT_EQ(editor.score->GetChildCount(), 1);
    Run();
    EXPECT_EQ(editor.score->GetChildCount(), 0);

    editor.Redo();
    EXPECT_EQ(editor.score->GetChildCount(), 0);
    Run();
    EXPECT_EQ(editor.score->GetChildCount(), 1);
}

TEST_F(ScoreEditorHistoryTest, IrreversibleStepEmptiesTheHistoryAfterTheEditRuns)
{
    PrepareRedo();
    editor.AddCommand(Command("earlier"));
    // A structural edit: its group is recorded, then the history is emptied behind it.
    editor.BeginGroup(false);
    editor.AddCommand(Command("insert part"));
    editor.EndGroup();
    editor.RecordIrreversible(std::make_shared<NoOpCommand>());

    EXPECT_FALSE(editor.CanUndo());
    EXPECT_FALSE(editor.CanRedo());
    Run();
    EXPECT_EQ(*log, (Log{"earlier.Do", "insert part.Do"}));
    EXPECT_FALSE(editor.CanUndo());
}

TEST_F(ScoreEditorHistoryTest, ResetDocumentDropsQueuedCommandsButLeavesOpenGroups)
{
    editor.AddCommand(Command("queued"));
    editor.BeginGroup(false);

    editor.ResetDocument();
    Run();

    EXPECT_TRUE(log->empty());
    EXPECT_FALSE(editor.CanUndo());
    EXPECT_EQ(editor.OpenGroupCount(), 1);
    editor.EndGroup();
}

}  // namespace
}  // namespace quaverly
