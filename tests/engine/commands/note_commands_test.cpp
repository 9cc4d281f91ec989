// Note insertion and removal with the ties and tuplets that hang on the note, note
// properties, tuplets and ties: each restores the model exactly on undo and redo.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/add_tie_command.h"
#include "engine/commands/insert_note_command.h"
#include "engine/commands/make_tuplet_command.h"
#include "engine/commands/set_note_properties_command.h"
#include "engine/model/bar.h"
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

// Queues the insertion of `note` into bar `index` of the first part and runs it.
void InsertNote(ScoreEditor& editor, fakes::FakePainter& painter, const std::shared_ptr<Note>& note, int index)
{
    auto insert = std::make_unique<InsertNoteCommand>(&editor);
    insert->SetNote(note);
    insert->SetBar(BarAt(editor, 0, index));
    insert->SetBarIndex(index);
    editor.AddCommand(std::move(insert));
    editor.RunPendingCommands(painter);
}

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
    InsertNote(editor, painter, middle, 0);
    ASSERT_EQ(bar->GetNotes().size(), 3u);
    EXPECT_EQ(bar->GetNotes()[1], middle);
    editor.Undo();
    Run();
    EXPECT_EQ(bar->GetNotes(), (std::vector<std::shared_ptr<Note>>{first, second}));
}

// A note put between a tie's two notes breaks the tie, whether the tie joins two bars
// side by side or reaches over whole bars; undo puts it back. Each of four bars holds two
// notes (at one and two quarters); the tie runs from the last note of its start bar to
// the first note of its end bar.
TEST(InsertNoteTiesTest, ANoteBetweenATiesNotesBreaksItHoweverManyBarsTheTieCrosses)
{
    struct Case {
        const char* name;
        int startBar;
        int endBar;
        int insertBar;
        int time;  // of the note put in
        bool breaks;
    };
    const int q = kTicksPerQuarter;
    const Case cases[] = {
        {"before the end note", 1, 2, 2, 0, true},
        {"after the start note", 1, 2, 1, 3 * q, true},
        {"after the end note", 1, 2, 2, 3 * q, false},
        {"before the start note", 1, 2, 1, 0, false},
        {"in the bar the tie reaches over", 0, 2, 1, 0, true},
        {"in the second of two bars reached over", 0, 3, 2, 3 * q, true},
        {"in the bar after a long tie", 0, 2, 3, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScoreEditor editor;
        fakes::FakePainter painter;
        command_test::FillScore(editor, 1, 4);
        const auto part = PartAt(editor, 0);
        for (int b = 0; b < 4; ++b) {
            for (int n = 1; n <= 2; ++n) {
                auto note = CreateNote(1);
                note->SetStartTime(n * q);
                BarAt(editor, 0, b)->AddNote(note);
            }
        }
        const auto startBar = BarAt(editor, 0, c.startBar);
        const auto endBar = BarAt(editor, 0, c.endBar);
        const auto startNote = startBar->GetNotes().back();
        const auto endNote = endBar->GetNotes().front();
        auto tie = std::make_shared<Tie>();
        tie->SetStart({startBar, startNote});
        tie->SetEnd({endBar, endNote});
        part->AddTie(tie);
        // Another tie elsewhere in the part, which no entry touches.
        auto other = std::make_shared<Tie>();
        other->SetStart({BarAt(editor, 0, 3), BarAt(editor, 0, 3)->GetNotes().front()});
        other->SetEnd({BarAt(editor, 0, 3), BarAt(editor, 0, 3)->GetNotes().back()});
        part->AddTie(other);
        const std::vector<std::shared_ptr<Tie>> ties{tie, other};

        auto note = CreateNote(5);
        note->SetStartTime(c.time);
        InsertNote(editor, painter, note, c.insertBar);
        ASSERT_EQ(BarAt(editor, 0, c.insertBar)->GetNotes().size(), 3u);
        EXPECT_EQ(part->GetTies(),
                  c.breaks ? std::vector<std::shared_ptr<Tie>>{other} : ties);
        EXPECT_EQ(startNote->GetTiedTo(), c.breaks ? nullptr : endNote.get());
        EXPECT_EQ(endNote->GetTiedFrom(), c.breaks ? nullptr : startNote.get());

        editor.Undo();
        editor.RunPendingCommands(painter);
        EXPECT_EQ(BarAt(editor, 0, c.insertBar)->GetNotes().size(), 2u);
        ASSERT_EQ(part->GetTies().size(), 2u);
        EXPECT_EQ(tie->GetStart().note, startNote);
        EXPECT_EQ(tie->GetEnd().note, endNote);
        EXPECT_EQ(startNote->GetTiedTo(), endNote.get());
        EXPECT_EQ(other->GetEnd().note, BarAt(editor, 0, 3)->GetNotes().back());
    }
}

// An open tie ends at the note typed where its next note of the same pitch would be: in
// its own bar after the start note, or first in the bar after it; a note further on or of
// another pitch leaves it open.
TEST(InsertNoteTiesTest, ANoteTypedWhereAnOpenTieEndsEndsIt)
{
    struct Case {
        const char* name;
        int insertBar;
        int time;
        int pitch;
        bool ends;
    };
    const int q = kTicksPerQuarter;
    const Case cases[] = {
        {"next in the start bar", 1, 3 * q, 1, true},
        {"first in the bar after", 2, 0, 1, true},
        {"of another pitch", 2, 0, 3, false},
        {"two bars on", 3, 0, 1, false},
        {"in the bar before", 0, 0, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScoreEditor editor;
        fakes::FakePainter painter;
        command_test::FillScore(editor, 1, 4);
        const auto part = PartAt(editor, 0);
        const auto startBar = BarAt(editor, 0, 1);
        auto start = CreateNote(1);
        start->SetStartTime(2 * q);
        startBar->AddNote(start);
        auto tie = std::make_shared<Tie>();
        tie->SetStart({startBar, start});
        part->AddTie(tie);

        auto note = CreateNote(c.pitch);
        note->SetStartTime(c.time);
        InsertNote(editor, painter, note, c.insertBar);
        EXPECT_EQ(tie->GetEnd().note, c.ends ? note : nullptr);
        EXPECT_EQ(start->GetTiedTo(), c.ends ? note.get() : nullptr);

        editor.Undo();
        editor.RunPendingCommands(painter);
        EXPECT_EQ(tie->GetEnd().note, nullptr);
        EXPECT_EQ(start->GetTiedTo(), nullptr);
        ASSERT_EQ(part->GetTies().size(), 1u);
    }
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
