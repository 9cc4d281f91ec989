// Restoring the default layout: every manual offset, staff size, verse offset and bar
// width factor goes back to its default in one irreversible step.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/command_group.h"
#include "engine/commands/refresh_commands.h"
#include "engine/commands/restore_default_layout_command.h"
#include "engine/commands/set_pitch_command.h"
#include "engine/layout/system_node.h"
#include "engine/model/barline.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/header_text.h"
#include "tests/engine/commands/command_test_score.h"
#include "tests/engine/commands/laid_out_score.h"

namespace quaverly {
namespace {

using command_test::BarAt;
using command_test::PartAt;

constexpr Point kMoved{37, -55};
constexpr Point kZero{0, 0};

struct LaidOut : command_test::LaidOutScore {
    using LaidOutScore::LaidOutScore;

    std::vector<std::shared_ptr<SystemNode>> Systems() const
    {
        std::vector<std::shared_ptr<SystemNode>> systems;
        for (const auto& line : editor.lines) {
            if (auto system = std::dynamic_pointer_cast<SystemNode>(line))
                systems.push_back(system);
        }
        return systems;
    }
};

// Every adjustment the user can make by dragging, applied to the whole score.
void AdjustEverything(LaidOut& s, int parts, int bars)
{
    Score& score = *s.editor.score;
    score.GetTitleText()->SetOffset(kMoved);
    score.GetRightsText()->SetOffset(kMoved);
    score.SetTempoMark({1, 161280, 100});
    score.SetExpressionText({2, u"rit."});
    for (const auto& key : score.GetKeySignatureList())
        key->SetOffset(kMoved);
    score.GetTempoMarkList()[0]->SetOffset(kMoved);
    score.GetExpressionTextList()[0]->SetOffset(kMoved);
    for (int p = 0; p < parts; ++p) {
        PartAt(s.editor, p)->SetStaffSize(3000);
        for (int v = 0; v < kVerseCount; ++v)
            PartAt(s.editor, p)->SetVerseOffset(v, 999);
        for (int b = 0; b < bars; ++b) {
            const auto bar = BarAt(s.editor, p, b);
            bar->SetOffset(kMoved);
            bar->SetManualAdjust(1.5f);
            bar->GetBarline(0)->SetOffset(kMoved);
            bar->GetBarline(1)->SetOffset(kMoved);
            for (const auto& note : bar->GetNotes()) {
                note->SetOffset(kMoved);
                note->SetLyricText(1, u"啊");
                note->GetLyric(1)->SetOffset(kMoved);
            }
        }
    }
    for (const auto& system : s.Systems()) {
        system->SetOffset(kMoved);
        system->SetRightOffset(kMoved);
        for (int t = 0; t < system->GetChildCount(); ++t)
            system->GetChild(t)->SetOffset(kMoved);
    }
}

TEST(RestoreDefaultLayoutCommandTest, EverythingReturnsToItsDefaultAndTheHistoryEmpties)
{
    constexpr int kParts = 2;
    constexpr int kBars = 6;
    LaidOut s(kParts, kBars);
    ASSERT_FALSE(s.Systems().empty());
    AdjustEverything(s, kParts, kBars);

    // An earlier edit on the undo stack, to show that the restore cannot be undone onto.
    auto earlier = std::make_shared<SetPitchCommand>();
    s.editor.history.Record(earlier);
    s.editor.history.RunPending(s.painter);
    ASSERT_TRUE(s.editor.history.CanUndo());

    // The editor's operation: the reset and the layout after it, queued as one
    // irreversible step.
    auto group = std::make_shared<CommandGroup>();
    group->AddChild(std::make_shared<RestoreDefaultLayoutCommand>(&s.editor));
    group->AddChild(std::make_shared<RelayoutScoreCommand>(&s.editor));
    s.editor.history.RecordIrreversible(group);
    s.editor.history.RunPending(s.painter);
    EXPECT_FALSE(s.editor.history.CanUndo());
    EXPECT_FALSE(s.editor.history.CanRedo());
    EXPECT_EQ(s.editor.history.PendingCount(), 0u);

    // Metrics of the fake: 99 = 1219, 100 = 1219, 110 = 200, 111 = 150.
    EXPECT_DOUBLE_EQ(PartAt(s.editor, 0)->GetStaffSize(), 1219);
    EXPECT_DOUBLE_EQ(PartAt(s.editor, 1)->GetStaffSize(), 2438);
    for (int p = 0; p < kParts; ++p) {
        EXPECT_EQ(PartAt(s.editor, p)->GetVerseOffset(0), 350);
        for (int v = 1; v < kVerseCount; ++v)
            EXPECT_EQ(PartAt(s.editor, p)->GetVerseOffset(v), 150);
    }

    const Score& score = *s.editor.score;
    EXPECT_EQ(score.GetTitleText()->GetOffset(), kZero);
    EXPECT_EQ(score.GetRightsText()->GetOffset(), kZero);
    for (const auto& key : score.GetKeySignatureList())
        EXPECT_EQ(key->GetOffset(), kZero);
    EXPECT_EQ(score.GetTempoMarkList()[0]->GetOffset(), kZero);
    EXPECT_EQ(score.GetExpressionTextList()[0]->GetOffset(), kZero);
    for (int p = 0; p < kParts; ++p) {
        for (int b = 0; b < kBars; ++b) {
            const auto bar = BarAt(s.editor, p, b);
            EXPECT_EQ(bar->GetOffset(), kZero);
            EXPECT_EQ(bar->GetManualAdjust(), 0.0f);
            EXPECT_EQ(bar->GetBarline(0)->GetOffset(), kZero);
            EXPECT_EQ(bar->GetBarline(1)->GetOffset(), kZero);
            for (const auto& note : bar->GetNotes()) {
                EXPECT_EQ(note->GetOffset(), kZero);
                EXPECT_EQ(note->GetLyric(1)->GetOffset(), kZero);
            }
        }
    }
    for (const auto& system : s.Systems()) {
        EXPECT_EQ(system->GetOffset(), kZero);
        EXPECT_EQ(system->GetRightOffset(), kZero);
        for (int t = 0; t < system->GetChildCount(); ++t)
            EXPECT_EQ(system->GetChild(t)->GetOffset(), kZero);
    }
}

// The reset is one-way: undoing it changes nothing.
TEST(RestoreDefaultLayoutCommandTest, UndoDoesNothing)
{
    LaidOut s(1, 2);
    RestoreDefaultLayoutCommand command(&s.editor);
    command.SetPainter(&s.painter);
    command.Do();
    BarAt(s.editor, 0, 0)->SetOffset(kMoved);
    command.Undo();
    EXPECT_EQ(BarAt(s.editor, 0, 0)->GetOffset(), kMoved);
}

}  // namespace
}  // namespace quaverly
