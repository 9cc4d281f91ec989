// The undo history: the 64-step limit, the redo stack, irreversible records and the
// pending queue.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/command_group.h"
#include "engine/commands/undo_history.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_command.h"

namespace quaverly {
namespace {

using fakes::MakeCommand;
using fakes::RecordingCommand;
using Log = RecordingCommand::Log;

class UndoHistoryTest : public testing::Test {
protected:
    std::shared_ptr<RecordingCommand> Step(const std::string& name, bool transient = false)
    {
        return MakeCommand(name, log, transient);
    }
    void Run()
    {
        history.RunPending(painter);
    }

    fakes::FakePainter painter;
    std::shared_ptr<Log> log = std::make_shared<Log>();
    UndoHistory history;
};

TEST_F(UndoHistoryTest, KeepsTheLast64Steps)
{
    struct Case {
        int recorded;
        int undoable;
        std::string oldestUndone;
    };
    const Case cases[] = {{64, 64, "s0.Undo"}, {65, 64, "s1.Undo"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recorded);
        history.Clear();
        for (int i = 0; i < c.recorded; ++i)
            history.Record(Step("s" + std::to_string(i)));
        Run();
        log->clear();

        EXPECT_EQ(history.UndoCount(), static_cast<std::size_t>(c.undoable));
        while (history.CanUndo())
            history.Undo();
        Run();

        ASSERT_EQ(log->size(), static_cast<std::size_t>(c.undoable));
        EXPECT_EQ(log->front(), "s" + std::to_string(c.recorded - 1) + ".Undo");
        EXPECT_EQ(log->back(), c.oldestUndone);
        log->clear();
    }
}

TEST_F(UndoHistoryTest, RecordingAnEditClearsRedoButATransientStepDoesNot)
{
    struct Case {
        const char* name;
        bool transient;
        bool redoLeft;
    };
    const Case cases[] = {{"undoable edit", false, false}, {"transient step", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        history.Clear();
        history.Record(Step("a"));
        history.Record(Step("b"));
        history.Undo();
        history.Undo();
        ASSERT_EQ(history.RedoCount(), 2u);

        history.Record(Step("c", c.transient));

        EXPECT_EQ(history.CanRedo(), c.redoLeft);
        EXPECT_EQ(history.UndoCount(), c.transient ? 0u : 1u);
    }
}

TEST_F(UndoHistoryTest, IrreversibleRecordEmptiesBothStacksAndRunsAfterWhatWasQueued)
{
    history.Record(Step("a"));
    history.Record(Step("b"));
    Run();
    history.Undo();                // b waits for redo, its undo step is queued
    history.Record(Step("group"));  // an edit queued before the irreversible step
    log->clear();

    history.RecordIrreversible(Step("irreversible"));

    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.PendingCount(), 3u);
    Run();
    EXPECT_EQ(*log, (Log{"b.Undo", "group.Do", "irreversible.Do"}));
    EXPECT_EQ(history.PendingCount(), 0u);
}

TEST_F(UndoHistoryTest, UndoAndRedoOnEmptyStacksQueueNothing)
{
    history.Undo();
    history.Redo();
    EXPECT_EQ(history.PendingCount(), 0u);
    Run();
    EXPECT_TRUE(log->empty());
}

TEST_F(UndoHistoryTest, UndoAndRedoRunOnlyAtTheNextRunInQueueOrder)
{
    history.Record(Step("x"));
    Run();
    log->clear();

    history.Undo();
    history.Redo();
    EXPECT_TRUE(log->empty());  // nothing runs before the queue does
    EXPECT_TRUE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());

    Run();
    EXPECT_EQ(*log, (Log{"x.Undo", "x.Do"}));
}

TEST_F(UndoHistoryTest, CommandsQueuedDuringARunRunInTheSameRun)
{
    auto first = Step("first");
    auto second = Step("second");
    auto third = Step("third");
    // The first queues another command and asks for a run of its own (which must not
    // run anything twice); the queued one queues a third.
    first->onDo = [&] {
        history.Record(second);
        history.RunPending(painter);
    };
    second->onDo = [&] { history.Record(third); };
    history.Record(first);
    history.Record(Step("after"));

    Run();

    EXPECT_EQ(*log, (Log{"first.Do", "after.Do", "second.Do", "third.Do"}));
    EXPECT_EQ(history.PendingCount(), 0u);
    EXPECT_EQ(third->doPainters, std::vector<ScorePainter*>{&painter});
    log->clear();
    Run();
    EXPECT_TRUE(log->empty());  // the queue was emptied
}

TEST_F(UndoHistoryTest, ClearDuringARunDropsTheRestAndKeepsWhatIsQueuedAfterwards)
{
    auto resetter = Step("reset");
    resetter->onDo = [&] {
        history.Clear();
        history.Record(Step("fresh"));
    };
    history.Record(resetter);
    history.Record(Step("dropped"));

    Run();

    EXPECT_EQ(*log, (Log{"reset.Do", "fresh.Do"}));
    EXPECT_EQ(history.PendingCount(), 0u);
    EXPECT_EQ(history.UndoCount(), 1u);  // only "fresh"
}

TEST_F(UndoHistoryTest, ClearEmptiesEverythingWithoutRunning)
{
    history.Record(Step("a"));
    history.Record(Step("b"));
    history.Undo();

    history.Clear();

    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.PendingCount(), 0u);
    Run();
    EXPECT_TRUE(log->empty());
}

TEST_F(UndoHistoryTest, NullCommandsAreIgnored)
{
    history.Record(nullptr);
    history.RecordIrreversible(nullptr);
    EXPECT_EQ(history.PendingCount(), 0u);
    EXPECT_FALSE(history.CanUndo());
}

}  // namespace
}  // namespace quaverly
