// Command groups, their do/undo order and transience, and inverse wrappers.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/command_group.h"
#include "engine/commands/do_step_command.h"
#include "engine/commands/inverse_command.h"
#include "engine/commands/macro_command.h"
#include "engine/commands/no_op_command.h"
#include "engine/commands/undo_step_command.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_command.h"

namespace quaverly {
namespace {

using fakes::MakeCommand;
using fakes::RecordingCommand;
using Log = RecordingCommand::Log;

// A recording command whose constructor takes what its builders pass, as an addition
// command would; its inverse gets the same arguments.
class AddThingCommand : public RecordingCommand {
public:
    AddThingCommand(std::shared_ptr<Log> log, int thing)
        : RecordingCommand("add" + std::to_string(thing), std::move(log))
    {
    }
    void SetCount(int count) { this->count = count; }
    int count = 0;
};
using RemoveThingCommand = InverseCommand<AddThingCommand>;

struct OrderCase {
    const char* name;
    std::function<EditCommand::CommandPtr(const std::shared_ptr<Log>&)> build;
    Log afterDo;
    Log afterUndo;
};

TEST(EditCommandTest, CompositesAndInversesRunTheirPartsInOrder)
{
    const OrderCase cases[] = {
        {"CommandGroup undoes in the same order",
         [](const std::shared_ptr<Log>& log) {
             auto group = std::make_shared<CommandGroup>();
             group->AddChild(MakeCommand("A", log));
             group->AddChild(MakeCommand("B", log));
             return group;
         },
         {"A.Do", "B.Do"},
         {"A.Undo", "B.Undo"}},
        {"MacroCommand undoes in reverse",
         [](const std::shared_ptr<Log>& log) {
             auto macro = std::make_shared<MacroCommand>();
             macro->AddChild(MakeCommand("A", log));
             macro->AddChild(MakeCommand("B", log));
             return macro;
         },
         {"A.Do", "B.Do"},
         {"B.Undo", "A.Undo"}},
        {"nested macro inside a group",
         [](const std::shared_ptr<Log>& log) {
             auto macro = std::make_shared<MacroCommand>();
             macro->AddChild(MakeCommand("B", log));
             macro->AddChild(MakeCommand("C", log));
             auto group = std::make_shared<CommandGroup>();
             group->AddChild(MakeCommand("A", log));
             group->AddChild(macro);
             return group;
         },
         {"A.Do", "B.Do", "C.Do"},
         {"A.Undo", "C.Undo", "B.Undo"}},
        {"empty group does nothing",
         [](const std::shared_ptr<Log>&) { return std::make_shared<CommandGroup>(); },
         {},
         {}},
        {"inverse swaps do and undo",
         [](const std::shared_ptr<Log>& log) {
             return std::make_shared<RemoveThingCommand>(log, 7);
         },
         {"add7.Undo"},
         {"add7.Do"}},
        {"inverse inside a macro",
         [](const std::shared_ptr<Log>& log) {
             auto macro = std::make_shared<MacroCommand>();
             macro->AddChild(MakeCommand("A", log));
             macro->AddChild(std::make_shared<RemoveThingCommand>(log, 1));
             return macro;
         },
         {"A.Do", "add1.Undo"},
         {"add1.Do", "A.Undo"}},
        {"plain command never runs its children",
         [](const std::shared_ptr<Log>& log) {
             auto plain = MakeCommand("P", log);
             plain->AddChild(MakeCommand("child", log));
             return plain;
         },
         {"P.Do"},
         {"P.Undo"}},
        {"step commands run one direction of their target",
         [](const std::shared_ptr<Log>& log) {
             auto group = std::make_shared<CommandGroup>();
             group->AddChild(std::make_shared<UndoStepCommand>(MakeCommand("U", log)));
             group->AddChild(std::make_shared<DoStepCommand>(MakeCommand("D", log)));
             group->AddChild(std::make_shared<NoOpCommand>());
             return group;
         },
         {"U.Undo", "D.Do"},
         {}},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto log = std::make_shared<Log>();
        const auto command = c.build(log);

        command->Do();
        EXPECT_EQ(*log, c.afterDo);
        log->clear();
        command->Undo();
        EXPECT_EQ(*log, c.afterUndo);
    }
}

// A composite whose child list a test can cut short while it runs. Nothing in the engine
// removes a child from a group today; the loops still read the count again on every step
// so that a command which did would not make them index past the end.
template <class Group>
class TrimmableGroup : public Group {
public:
    void KeepFirst(std::size_t count)
    {
        auto& children = const_cast<std::vector<EditCommand::CommandPtr>&>(this->Children());
        if (count < children.size())
            children.resize(count);
    }
};

TEST(EditCommandTest, UndoStopsAtTheEndOfAChildListThatChangesUnderIt)
{
    struct Case {
        const char* name;
        bool macro;            // MacroCommand (last to first) or CommandGroup
        std::size_t trigger;   // the child whose Undo changes the list
        int keep;              // children kept, or -1: one child added instead
        Log afterUndo;
    };
    const Case cases[] = {
        {"macro: the last child drops all but the first", true, 2, 1, {"C.Undo", "A.Undo"}},
        {"macro: the last child drops every child", true, 2, 0, {"C.Undo"}},
        {"macro: the middle child drops itself and the last", true, 1, 1,
         {"C.Undo", "B.Undo", "A.Undo"}},
        {"macro: the last child adds one, which was never done", true, 2, -1,
         {"C.Undo", "B.Undo", "A.Undo"}},
        {"group: the first child drops the others", false, 0, 1, {"A.Undo"}},
        {"group: the middle child drops the last", false, 1, 2, {"A.Undo", "B.Undo"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto log = std::make_shared<Log>();
        auto macro = std::make_shared<TrimmableGroup<MacroCommand>>();
        auto group = std::make_shared<TrimmableGroup<CommandGroup>>();
        const std::shared_ptr<EditCommand> composite =
            c.macro ? std::shared_ptr<EditCommand>(macro) : std::shared_ptr<EditCommand>(group);
        std::vector<std::shared_ptr<RecordingCommand>> children;
        for (const char* name : {"A", "B", "C"}) {
            children.push_back(MakeCommand(name, log));
            composite->AddChild(children.back());
        }
        children[c.trigger]->onUndo = [&] {
            if (c.keep < 0) {
                composite->AddChild(MakeCommand("D", log));
                return;
            }
            const auto keep = static_cast<std::size_t>(c.keep);
            c.macro ? macro->KeepFirst(keep) : group->KeepFirst(keep);
        };

        composite->Do();
        log->clear();
        composite->Undo();
        EXPECT_EQ(*log, c.afterUndo);
    }
}

TEST(EditCommandTest, SetPainterReachesEveryNestedCommandBeforeAnyRuns)
{
    fakes::FakePainter painter;
    auto log = std::make_shared<Log>();
    auto a = MakeCommand("A", log);
    auto b = MakeCommand("B", log);
    auto inverse = std::make_shared<RemoveThingCommand>(log, 3);
    auto inner = std::make_shared<MacroCommand>();
    inner->AddChild(b);
    inner->AddChild(inverse);
    auto outer = std::make_shared<CommandGroup>();
    outer->AddChild(inner);
    outer->AddChild(a);
    // A runs last but checks that B already had the painter when the run began.
    ScorePainter* seenByB = nullptr;
    a->onDo = [&] { seenByB = b->doPainters.empty() ? nullptr : b->doPainters.back(); };

    outer->SetPainter(&painter);
    outer->Do();

    EXPECT_EQ(a->doPainters, std::vector<ScorePainter*>{&painter});
    EXPECT_EQ(b->doPainters, std::vector<ScorePainter*>{&painter});
    EXPECT_EQ(inverse->Target().undoPainters, std::vector<ScorePainter*>{&painter});
    EXPECT_EQ(seenByB, &painter);
}

TEST(EditCommandTest, InverseForwardsSettersAndKeepsItsOwnTransientFlag)
{
    auto log = std::make_shared<Log>();
    RemoveThingCommand remove(log, 2);
    remove.Target().SetCount(5);
    remove.SetTransient(true);

    EXPECT_EQ(remove.Target().count, 5);
    EXPECT_TRUE(remove.IsTransient());
    EXPECT_FALSE(remove.Target().IsTransient());
}

TEST(EditCommandTest, GroupsWithOnlyTransientChildrenAreTransient)
{
    struct Case {
        const char* name;
        bool ownFlag;
        std::vector<bool> children;  // transient flags of the children
        bool expected;
    };
    const Case cases[] = {
        {"empty", false, {}, false},
        {"empty, flagged", true, {}, true},
        {"one transient child", false, {true}, true},
        {"all transient", false, {true, true}, true},
        {"one real edit among transient steps", false, {true, false}, false},
        {"real edits only", false, {false}, false},
        {"flagged with real edits", true, {false}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto log = std::make_shared<Log>();
        CommandGroup group;
        MacroCommand macro;
        group.SetTransient(c.ownFlag);
        macro.SetTransient(c.ownFlag);
        for (bool transient : c.children) {
            group.AddChild(MakeCommand("x", log, transient));
            macro.AddChild(MakeCommand("x", log, transient));
        }
        EXPECT_EQ(group.IsTransient(), c.expected);
        EXPECT_EQ(macro.IsTransient(), c.expected);
    }
}

TEST(EditCommandTest, NestedTransientGroupMakesItsParentTransient)
{
    auto log = std::make_shared<Log>();
    auto cursorStep = std::make_shared<CommandGroup>();
    cursorStep->SetTransient(true);
    cursorStep->AddChild(MakeCommand("cursor", log));
    CommandGroup outer;
    outer.AddChild(cursorStep);

    EXPECT_TRUE(outer.IsTransient());
    outer.AddChild(std::make_shared<CommandGroup>());  // an empty nested edit group
    EXPECT_FALSE(outer.IsTransient());
}

TEST(EditCommandTest, ChildrenAddedWhileAGroupRunsRunInTheSamePass)
{
    struct Case {
        const char* name;
        std::shared_ptr<EditCommand> group;
    };
    const Case cases[] = {
        {"CommandGroup", std::make_shared<CommandGroup>()},
        {"MacroCommand", std::make_shared<MacroCommand>()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto log = std::make_shared<Log>();
        auto first = MakeCommand("first", log);
        first->onDo = [&] { c.group->AddChild(MakeCommand("late", log)); };
        c.group->AddChild(first);
        c.group->AddChild(nullptr);  // ignored

        c.group->Do();

        EXPECT_EQ(*log, (Log{"first.Do", "late.Do"}));
    }
}

}  // namespace
}  // namespace quaverly
