// Pasting into bars: the bar's notes swap between the pasted and the earlier list, and
// the lines that show the pasted bars are laid out again.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/refresh_commands.h"
#include "engine/commands/relayout_track_range_command.h"
#include "engine/commands/rewrite_bar_elements_command.h"
#include "engine/layout/system_node.h"
#include "engine/model/note.h"
#include "tests/engine/commands/command_test_score.h"
#include "tests/engine/commands/laid_out_score.h"
#include "tests/engine/layout/layout_test_score.h"

namespace quaverly {
namespace {

using command_test::BarAt;
using command_test::FillScore;

struct LaidOut : command_test::LaidOutScore {
    using LaidOutScore::LaidOutScore;

    std::vector<BarRange> LineRanges() const
    {
        std::vector<BarRange> ranges;
        for (const auto& line : editor.lines) {
            if (auto system = std::dynamic_pointer_cast<SystemNode>(line))
                ranges.push_back(system->GetBarRange());
        }
        return ranges;
    }
};

std::vector<std::shared_ptr<Note>> Notes(int count)
{
    std::vector<std::shared_ptr<Note>> notes;
    for (int i = 0; i < count; ++i) {
        notes.push_back(std::make_shared<Note>());
        notes.back()->SetDuration(note_length::k16th);
        notes.back()->SetStartTime(i * note_length::k16th);
    }
    return notes;
}

TEST(RewriteBarElementsCommandTest, UndoGivesTheEarlierNotesInOrderAndRedoThePasted)
{
    ScoreEditor editor;
    FillScore(editor, 2, 3);
    const auto bar = BarAt(editor, 1, 2);
    layout_test::AddNotes(*bar, 4, note_length::kQuarter);
    const auto before = bar->GetNotes();
    const auto pasted = Notes(6);

    RewriteBarElementsCommand command(&editor);
    command.SetPartIndex(1);
    command.SetBarIndex(2);
    command.SetOldElements(before);
    command.SetNewElements(pasted);
    command.Do();
    EXPECT_EQ(bar->GetNotes(), pasted);
    command.Undo();
    EXPECT_EQ(bar->GetNotes(), before);
    command.Do();
    EXPECT_EQ(bar->GetNotes(), pasted);
    // The other bars are untouched.
    EXPECT_EQ(BarAt(editor, 0, 2)->GetNotes().size(), 0u);
}

TEST(RewriteBarElementsCommandTest, ABarOutOfRangeIsLeftAlone)
{
    ScoreEditor editor;
    FillScore(editor, 1, 2);
    const struct {
        int part;
        int bar;
    } kCases[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 2}};
    for (const auto& c : kCases) {
        RewriteBarElementsCommand command(&editor);
        command.SetPartIndex(c.part);
        command.SetBarIndex(c.bar);
        command.SetNewElements(Notes(3));
        command.Do();
        command.Undo();
        for (int b = 0; b < 2; ++b)
            EXPECT_TRUE(BarAt(editor, 0, b)->GetNotes().empty()) << c.part << ' ' << c.bar;
    }
}

// A bar filled with many short notes needs more room: the line that shows it is cut
// again, so its range changes.
TEST(RelayoutTrackRangeCommandTest, TheLinesOfThePastedBarsAreCutAgain)
{
    LaidOut s(1, 12);
    const auto before = s.LineRanges();
    ASSERT_GE(before.size(), 2u);
    const int target = before[0].first;

    RewriteBarElementsCommand paste(&s.editor);
    paste.SetPartIndex(0);
    paste.SetBarIndex(target);
    paste.SetOldElements(BarAt(s.editor, 0, target)->GetNotes());
    paste.SetNewElements(Notes(64));
    s.Run(std::shared_ptr<EditCommand>(&paste, [](EditCommand*) {}));

    RelayoutTrackRangeCommand reversed(&s.editor);
    reversed.SetRange(target + 1, target);
    reversed.SetPainter(&s.painter);
    reversed.Do();
    EXPECT_EQ(s.LineRanges(), before) << "a range whose last bar is before its first does nothing";

    RelayoutTrackRangeCommand relayout(&s.editor);
    relayout.SetRange(target, target);
    relayout.SetPainter(&s.painter);
    relayout.Do();
    const auto after = s.LineRanges();
    EXPECT_NE(after, before);

    paste.Undo();
    relayout.Undo();
    EXPECT_EQ(s.LineRanges(), before);
}

}  // namespace
}  // namespace quaverly
