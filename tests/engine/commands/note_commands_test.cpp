// Note insertion and removal with the ties and tuplets that hang on the note, note
// properties, tuplets and ties: each restores the model exactly on undo and redo.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/add_tie_command.h"
#include "engine/commands/insert_note_command.h"
#include "engine/commands/make_tuplet_command.h"
#include "engine/commands/set_note_properties_command.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/tie.h"
#include "engine/model/tuplet.h"
#include "tests/engine/commands/command_test_score.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

using command_test::BarAt;
using command_test::PartAt;

class NoteCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        command_test::FillScore(editor, 1, 2);
        bar = BarAt(editor, 0, 0);
        part = PartAt(editor, 0);
        first = CreateNote(1);
        second = CreateNote(1);
        second->SetStartTime(kTicksPerQuarter);
        bar->AddNote(first);
        bar->AddNote(second);
    }
    void Run() { editor.RunPendingCommands(painter); }
    // The tie from the first note to the second, in the part.
    std::shared_ptr<Tie> Tie12()
    {
        auto tie = std::make_shared<Tie>();
        tie->SetStart({bar, first});
        tie->SetEnd({bar, second});
        part->AddTie(tie);
        return tie;
    }

    ScoreEditor editor;
    fakes::FakePainter painter;
    std::shared_ptr<Bar> bar;
    std::shared_ptr<Part> part;
    std::shared_ptr<Note> first;
    std::shared_ptr<Note> second;
};

TEST_F(NoteCommandsTest, DeletingATiedNoteIsOneStepThatUndoesWithItsTie)
{
    const auto tie = Tie12();
    struct Case {
        const char* name;
        bool removeFirst;  // the tie starts at the removed note; else it ends there
    };
    for (const Case c : {Case{"start", true}, Case{"end", false}}) {
        SCOPED_TRACE(c.name);
        const auto& note = c.removeFirst ? first : second;
        auto remove = std::make_unique<RemoveNoteCommand>(&editor);
        remove->Target().SetNote(note);
        remove->Target().SetBar(bar);
        remove->Target().SetBarIndex(0);
        editor.AddCommand(std::move(remove));
        Run();
        EXPECT_EQ(bar->GetNotes().size(), 1u);
        EXPECT_EQ(first->GetTiedTo(), nullptr);
        EXPECT_EQ(second->GetTiedFrom(), nullptr);
        EXPECT_EQ(part->GetTies().size(), c.removeFirst ? 0u : 1u);
        EXPECT_EQ(editor.history.UndoCount(), 1u);

        editor.Undo();
        Run();
        ASSERT_EQ(bar->GetNotes().size(), 2u);
        EXPECT_EQ(bar->GetNotes()[0], first);
        ASSERT_EQ(part->GetTies().size(), 1u);
        EXPECT_EQ(part->GetTies()[0], tie);
        EXPECT_EQ(first->GetTiedTo(), second.get());
        EXPECT_EQ(second->GetTiedFrom(), first.get());

        editor.Redo();
        Run();
        EXPECT_EQ(bar->GetNotes().size(), 1u);
        EXPECT_EQ(first->GetTiedTo(), nullptr);
        editor.Undo();
        Run();
        EXPECT_EQ(first->GetTiedTo(), second.get());
    }
}

TEST_F(NoteCommandsTest, TheTupletStartingAtARemovedNoteComesBackOnUndo)
{
    auto tuplet = std::make_shared<Tuplet>(3, 2);
    tuplet->SetFirstNote(first);
    bar->AddTuplet(tuplet);
    auto remove = std::make_unique<RemoveNoteCommand>(&editor);
    remove->Target().SetNote(first);
    remove->Target().SetBar(bar);
    editor.AddCommand(std::move(remove));
    Run();
    EXPECT_TRUE(bar->GetTuplets().empty());
    EXPECT_EQ(editor.history.UndoCount(), 1u);  // no further step made while running
    editor.Undo();
    Run();
    ASSERT_EQ(bar->GetTuplets().size(), 1u);
    EXPECT_EQ(bar->GetTuplets()[0], tuplet);
}

TEST_F(NoteCommandsTest, InsertingANoteSortsItInAndUndoTakesItOut)
{
    auto middle = CreateNote(4);
    middle->SetStartTime(kTicksPerQuarter / 2);
    auto insert = std::make_unique<InsertNoteCommand>(&editor);
    insert->SetNote(middle);
    insert->SetBar(bar);
    insert->SetBarIndex(0);
    editor.AddCommand(std::move(insert));
    Run();
    ASSERT_EQ(bar->GetNotes().size(), 3u);
    EXPECT_EQ(bar->GetNotes()[1], middle);
    editor.Undo();
    Run();
    EXPECT_EQ(bar->GetNotes(), (std::vector<std::shared_ptr<Note>>{first, second}));
}

TEST_F(NoteCommandsTest, NotePropertiesApplyAndRestoreAllFive)
{
    const NoteInputValues before = SetNotePropertiesCommand::ValuesOf(*first);
    const NoteInputValues after{5, 1, 1, kTicksPerQuarter / 2, 1};
    SetNotePropertiesCommand command;
    command.SetNote(first.get());
    command.SetOldValues(before);
    command.SetNewValues(after);
    command.Do();
    EXPECT_EQ(SetNotePropertiesCommand::ValuesOf(*first), after);
    command.Undo();
    EXPECT_EQ(SetNotePropertiesCommand::ValuesOf(*first), before);
}

TEST_F(NoteCommandsTest, TupletAndTieCommandsRoundTrip)
{
    MakeTupletCommand tuplet(&editor);
    tuplet.SetBar(bar);
    tuplet.SetFirstNote(first);
    tuplet.Do();
    ASSERT_EQ(bar->GetTuplets().size(), 1u);
    EXPECT_EQ(bar->GetTuplets()[0]->GetFirstNote(), first);
    tuplet.Undo();
    EXPECT_TRUE(bar->GetTuplets().empty());

    auto tie = std::make_shared<Tie>();
    AddTieCommand add(&editor);
    add.SetTie(tie);
    add.SetStart({bar, first});
    add.SetEnd({bar, second});
    add.SetPart(part);
    add.Do();
    EXPECT_EQ(first->GetTiedTo(), second.get());
    add.Undo();
    EXPECT_TRUE(part->GetTies().empty());
    EXPECT_EQ(first->GetTiedTo(), nullptr);
    add.Do();  // redo ties the same two notes again
    EXPECT_EQ(first->GetTiedTo(), second.get());
    ASSERT_EQ(part->GetTies().size(), 1u);
}

}  // namespace
}  // namespace quaverly
