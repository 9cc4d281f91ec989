// Building a new score from the wizard's settings.
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/build_score_command.h"
#include "engine/commands/do_step_command.h"
#include "engine/commands/initial_layout_command.h"
#include "engine/commands/move_final_barline_command.h"
#include "engine/commands/refresh_commands.h"
#include "engine/layout/system_node.h"
#include "engine/model/barline.h"
#include "engine/model/part_group.h"
#include "engine/model/time_signature.h"
#include "tests/engine/commands/command_test_score.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_listener.h"

namespace quaverly {
namespace {

using command_test::BarAt;
using command_test::PartAt;

// The fake painter's sizes: a heading 2500 high; a system of one staff takes
// 1219 + (700 + 1219) = 3138.
constexpr int kHeading = 2500;
constexpr int kStaff = 700 + 1219;
constexpr int kSystemGap = 1219;

NewScoreSettings OneStaff(int barsPerLine)
{
    NewScoreSettings settings;
    settings.title = u"茉莉花";
    settings.composer = u"民歌";
    settings.staves = {{73, false, 0}};
    settings.barsPerLine = barsPerLine;
    return settings;
}

int Build(ScoreEditor& editor, const NewScoreSettings& settings)
{
    fakes::FakePainter painter;
    BuildScoreCommand command(&editor);
    command.SetSettings(settings);
    command.SetPainter(&painter);
    command.Do();
    return editor.GetBarCount();
}

TEST(BuildScoreCommand, FourBarsPerLineOnFiveLinesGiveTwentyBarsAndTheLineTable)
{
    ScoreEditor editor;
    editor.pageContentWidth = 16000;
    // Room for five systems of one staff and a little more than no staff.
    editor.pageContentHeight = kHeading + 5 * (kSystemGap + kStaff) + 100;
    NewScoreSettings settings = OneStaff(4);
    settings.staves.push_back({0, false, 1});
    settings.staffGroups = {{0, 1, part_group_type::kBrace}};
    editor.pageContentHeight = kHeading + 5 * (kSystemGap + 2 * kStaff) + 100;

    EXPECT_EQ(Build(editor, settings), 20);
    EXPECT_EQ(PartAt(editor, 1)->GetChildCount(), 20);
    std::map<int, int> expected;
    for (int k = 1; k <= 248; ++k)  // 249 x 4 = 996 is below 1000, 250 x 4 is not
        expected[k] = 4;
    EXPECT_EQ(editor.score->GetBarsPerLine(), expected);

    EXPECT_EQ(editor.score->GetTitle(), u"茉莉花");
    EXPECT_EQ(PartAt(editor, 0)->GetProgram(), 73);
    EXPECT_EQ(PartAt(editor, 1)->GetChannel(), 1);
    EXPECT_EQ(PartAt(editor, 0)->GetStaffSize(), 1219.0);
    EXPECT_EQ(PartAt(editor, 1)->GetStaffSize(), 1219.0 + 1219.0);  // the last part
    EXPECT_EQ(PartAt(editor, 0)->GetStaffLink(), staff_link::kFirstOfPair);
    EXPECT_EQ(PartAt(editor, 1)->GetStaffLink(), staff_link::kSecondOfPair);
    ASSERT_EQ(editor.score->GetPartGroups().size(), 1u);
    ASSERT_TRUE(BarAt(editor, 0, 0)->GetTimeSignature());
    EXPECT_EQ(BarAt(editor, 0, 0)->GetTimeSignature()->GetValue().beats, 4);
    EXPECT_FALSE(BarAt(editor, 1, 0)->GetTimeSignature());
    for (int b = 0; b < 20; ++b)
        EXPECT_EQ(BarAt(editor, 1, b)->GetIndex(), b);
}

TEST(BuildScoreCommand, LinesOnTheFirstPage)
{
    struct Case {
        const char* name;
        int available;
        int staves;
        int lines;
    };
    const int one = kSystemGap + kStaff;
    const int two = kSystemGap + 2 * kStaff;
    const Case cases[] = {
        {"rest holds no staff", 3 * one + 100, 1, 3},
        {"rest holds one more staff", 3 * one + kStaff + 1, 1, 4},
        // The rest is measured against the systems really placed: with two staves
        // a small rest adds nothing, as it would if the product with the staff count
        // were taken from it and the difference compared without a sign.
        {"two staves, small rest", 3 * two + 500, 2, 3},
        {"two staves, rest holds a staff", 3 * two + kStaff + 1, 2, 4},
        {"heading taller than the page", -400, 1, 1},
        {"no staff", 1000, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BuildScoreCommand::LinesOnFirstPage(c.available, c.staves, kStaff, kSystemGap),
                  c.lines);
    }
}

TEST(BuildScoreCommand, BarsFittingThePageWidth)
{
    struct Case {
        int pageWidth;
        int barWidth;
        int bars;
    };
    const Case cases[] = {
        {16000, 4000, 4},  // a fifth bar would overrun by a quarter
        {16000, 3300, 5},  // four fit and a fifth overruns by less than 5 per cent
        {16000, 20000, 1},
        {16000, 0, 1},     // never divides by a bar width of 0
        {16000, -5, 1},
        {0, 4000, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pageWidth << " / " << c.barWidth);
        EXPECT_EQ(BuildScoreCommand::BarsFittingWidth(c.pageWidth, c.barWidth), c.bars);
    }
}

TEST(BuildScoreCommand, FittedLinesGiveWholeLinesOfBars)
{
    ScoreEditor editor;
    editor.pageContentWidth = 16000;
    editor.pageContentHeight = kHeading + 5 * (kSystemGap + kStaff) + 100;
    const int bars = Build(editor, OneStaff(0));
    EXPECT_GT(bars, 0);
    EXPECT_EQ(bars % 5, 0);
    EXPECT_TRUE(editor.score->GetBarsPerLine().empty());
}

TEST(BuildScoreCommand, BadGroupsAndCountsAreSkipped)
{
    ScoreEditor editor;
    editor.pageContentWidth = 16000;
    editor.pageContentHeight = 20000;
    NewScoreSettings settings = OneStaff(-3);  // a negative count counts as "fit"
    settings.staffGroups = {{0, 4, 0}, {-1, 0, 1}, {0, 0, 1}};
    EXPECT_GT(Build(editor, settings), 0);
    ASSERT_EQ(editor.score->GetPartGroups().size(), 1u);
    EXPECT_EQ(editor.score->GetPartGroups().front()->GetType(), 1);
}

TEST(BuildScoreCommand, WithoutStavesBuildsNoPart)
{
    ScoreEditor editor;
    editor.pageContentWidth = 16000;
    editor.pageContentHeight = 20000;
    NewScoreSettings settings = OneStaff(4);
    settings.staves.clear();
    EXPECT_EQ(Build(editor, settings), 0);
    EXPECT_EQ(editor.score->GetChildCount(), 0);
}

}  // namespace
}  // namespace quaverly

namespace quaverly {
namespace {

// The whole series a new document queues, run by the editor with the recording painter.
TEST(BuildScoreCommand, NewScoreSeriesLaysOutFiveLinesOfFourBars)
{
    ScoreEditor editor;
    editor.pageContentWidth = 16000;
    editor.pageContentHeight = kHeading + 5 * (kSystemGap + kStaff) + 100;
    fakes::RecordingListener listener;
    editor.listener = &listener;

    auto build = std::make_shared<BuildScoreCommand>(&editor);
    build->SetSettings(OneStaff(4));
    auto moveFinal = std::make_shared<MoveFinalBarlineCommand>(&editor);
    const std::vector<std::shared_ptr<EditCommand>> series = {
        build,
        std::make_shared<InitialLayoutCommand>(&editor),
        std::make_shared<RelayoutScoreCommand>(&editor),
        std::make_shared<ReflowLinesKeepCommand>(&editor),
        moveFinal,
        std::make_shared<RelayoutViewCommand>(&editor),
        std::make_shared<PlaybackChangedNoticeCommand>(&editor)};
    for (const auto& command : series)
        editor.RecordIrreversible(std::make_shared<DoStepCommand>(command));
    fakes::FakePainter painter;
    editor.RunPendingCommands(painter);

    EXPECT_EQ(editor.GetBarCount(), 20);
    ASSERT_EQ(editor.lines.size(), 6u);  // the heading and five lines
    for (std::size_t i = 1; i < editor.lines.size(); ++i) {
        SCOPED_TRACE(i);
        const auto line = std::dynamic_pointer_cast<SystemNode>(editor.lines[i]);
        const int first = 4 * static_cast<int>(i - 1);
        EXPECT_EQ(line->GetBarRange().first, first);
        EXPECT_EQ(line->GetBarRange().end, first + 4);
    }
    EXPECT_EQ(BarAt(editor, 0, 19)->GetBarline(1)->GetType(), barline_type::kFinal);
    EXPECT_EQ(BarAt(editor, 0, 18)->GetBarline(1)->GetType(), barline_type::kNormal);
    EXPECT_NE(std::find(listener.codes.begin(), listener.codes.end(),
                        EditorNoticeCode::PlaybackChanged),
              listener.codes.end());
    EXPECT_FALSE(editor.CanUndo());
}

}  // namespace
}  // namespace quaverly
