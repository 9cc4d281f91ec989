// Note entry at the cursor of a laid-out score: the note goes into the cursor's bar,
// the input time and the cursor advance, undo restores both, and the score grows by
// note entry to as many bars as adding bars allows.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/build_score_command.h"
#include "engine/commands/do_step_command.h"
#include "engine/commands/enter_note_command.h"
#include "engine/commands/initial_layout_command.h"
#include "engine/commands/input_position_commands.h"
#include "engine/commands/refresh_commands.h"
#include "engine/model/bar.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "tests/engine/commands/command_test_score.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_listener.h"

namespace quaverly {
namespace {

using command_test::BarAt;

class NoteEntryTest : public testing::Test {
protected:
    void SetUp() override
    {
        editor.pageContentWidth = 16000;
        editor.pageContentHeight = 30000;
        editor.listener = &listener;
        NewScoreSettings settings;
        settings.staves = {{73, false, 0}};
        settings.barsPerLine = 4;
        auto build = std::make_shared<BuildScoreCommand>(&editor);
        build->SetSettings(settings);
        const std::vector<std::shared_ptr<EditCommand>> series = {
            build, std::make_shared<InitialLayoutCommand>(&editor),
            std::make_shared<RelayoutScoreCommand>(&editor),
            std::make_shared<ReflowLinesKeepCommand>(&editor)};
        for (const auto& command : series)
            editor.RecordIrreversible(std::make_shared<DoStepCommand>(command));
        Run();
        ASSERT_GE(editor.GetBarCount(), 2);
        ASSERT_EQ(editor.GetCursorBarIndex(), 0);
    }
    void Run() { editor.RunPendingCommands(painter); }
    // What the note-input operation queues: a step that only runs and enters the note.
    void Enter(int duration)
    {
        auto note = CreateNote(1);
        note->SetDuration(duration);
        auto enter = std::make_unique<EnterNoteCommand>(&editor);
        enter->SetNote(note);
        editor.BeginGroup(true);
        editor.AddCommand(std::move(enter));
        editor.EndGroup();
        Run();
    }

    ScoreEditor editor;
    fakes::FakePainter painter;
    fakes::RecordingListener listener;
};

TEST_F(NoteEntryTest, EnteringNotesAdvancesTimeAndCursorAndUndoRestoresBoth)
{
    struct Step {
        int duration;
        int bar;   // cursor bar after the entry
        int time;  // input time after the entry
    };
    const std::vector<Step> steps = {{note_length::kQuarter, 0, note_length::kQuarter},
                                     {note_length::kHalf, 0, 3 * note_length::kQuarter},
                                     {note_length::kQuarter, 1, 0},  // fills the bar
                                     {note_length::kEighth, 1, note_length::kEighth}};
    for (const Step& s : steps) {
        Enter(s.duration);
        EXPECT_EQ(editor.GetCursorBarIndex(), s.bar);
        EXPECT_EQ(editor.cursor.timeInBar, s.time);
    }
    EXPECT_EQ(BarAt(editor, 0, 0)->GetNotes().size(), 3u);
    EXPECT_EQ(editor.history.UndoCount(), steps.size());  // one step per note

    // Undo goes back through the entries: each in the bar it acted on.
    for (std::size_t i = steps.size(); i-- > 1;) {
        editor.Undo();
        Run();
        EXPECT_EQ(editor.GetCursorBarIndex(), steps[i - 1].bar) << i;
        EXPECT_EQ(editor.cursor.timeInBar, steps[i - 1].time) << i;
    }
    editor.Undo();
    Run();
    EXPECT_EQ(editor.GetCursorBarIndex(), 0);
    EXPECT_EQ(editor.cursor.timeInBar, 0);
    EXPECT_TRUE(BarAt(editor, 0, 0)->GetNotes().empty());
    // Undoing note entry keeps every entry for redo.
    EXPECT_EQ(editor.history.RedoCount(), steps.size());
    editor.Redo();
    Run();
    EXPECT_EQ(BarAt(editor, 0, 0)->GetNotes().size(), 1u);
    EXPECT_EQ(editor.cursor.timeInBar, note_length::kQuarter);
}

TEST_F(NoteEntryTest, WithoutABarAtTheCursorNothingIsRecorded)
{
    editor.cursor.barInLine = 40;
    Enter(note_length::kQuarter);
    EXPECT_EQ(editor.history.UndoCount(), 0u);
}

TEST(AppendBarCommandTest, EntryGrowsTheScoreToAsManyBarsAsAddingBarsAllows)
{
    struct Case {
        int bars;
        int after;
    };
    for (const Case c : {Case{1, 2}, Case{100, 101}, Case{101, 102}, Case{150, 151},
                         Case{9998, 9999}, Case{9999, 9999}}) {
        SCOPED_TRACE(c.bars);
        ScoreEditor editor;
        command_test::FillScore(editor, 2, c.bars);
        AppendBarCommand append(&editor);
        append.Do();
        EXPECT_EQ(editor.GetBarCount(), c.after);
        EXPECT_EQ(command_test::PartAt(editor, 1)->GetChildCount(), c.after);
        if (c.after > c.bars) {
            EXPECT_EQ(BarAt(editor, 1, c.bars)->GetIndex(), c.bars);
        }
    }
}

}  // namespace
}  // namespace quaverly
