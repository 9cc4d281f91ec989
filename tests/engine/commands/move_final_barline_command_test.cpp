// Moving the final barline to the new end of the score after bars were appended.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/move_final_barline_command.h"
#include "engine/model/barline.h"
#include "tests/engine/commands/command_test_score.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

using command_test::BarAt;
using command_test::FillScore;

constexpr int kRepeatEnd = 3;  // any type other than normal and final is the user's
constexpr int kDouble = 2;

std::vector<int> RightTypes(const ScoreEditor& editor, int part)
{
    std::vector<int> types;
    for (int b = 0; b < editor.GetBarCount(); ++b)
        types.push_back(BarAt(editor, part, b)->GetBarline(1)->GetType());
    return types;
}

TEST(MoveFinalBarlineCommand, MovesTheFinalBarlineAndUndoRestoresEveryType)
{
    struct Case {
        const char* name;
        int n;
        int oldEndType;   // right barline of bar n - 1 before
        int lastType;     // right barline of the last bar before
        std::vector<int> done;
    };
    const Case cases[] = {
        {"final moves on", 2, barline_type::kFinal, 1, {1, 1, 1, 6}},
        {"user's repeat stays", 2, kRepeatEnd, 1, {1, kRepeatEnd, 1, 6}},
        {"user's double stays", 2, kDouble, 1, {1, kDouble, 1, 6}},
        {"repeat at the new end stays", 2, barline_type::kFinal, kRepeatEnd,
         {1, 1, 1, kRepeatEnd}},
        {"n = 0 touches only the end", 0, barline_type::kFinal, 1, {1, 6, 1, 6}},
        {"n = count touches only the end", 4, barline_type::kFinal, 1, {1, 6, 1, 6}},
    };
    fakes::FakePainter painter;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScoreEditor editor;
        FillScore(editor, 2, 4);
        for (int p = 0; p < 2; ++p) {
            BarAt(editor, p, 1)->GetBarline(1)->SetType(c.oldEndType);
            BarAt(editor, p, 3)->GetBarline(1)->SetType(c.lastType);
        }
        const std::vector<int> before = RightTypes(editor, 0);
        MoveFinalBarlineCommand command(&editor);
        command.SetBarIndex(c.n);
        command.SetPainter(&painter);

        command.Do();
        EXPECT_EQ(RightTypes(editor, 0), c.done);
        EXPECT_EQ(RightTypes(editor, 1), c.done);
        command.Undo();
        EXPECT_EQ(RightTypes(editor, 0), before);
        EXPECT_EQ(RightTypes(editor, 1), before);
        command.Do();
        EXPECT_EQ(RightTypes(editor, 1), c.done);
    }
}

TEST(MoveFinalBarlineCommand, EmptyScoreAndNoEditorDoNothing)
{
    ScoreEditor editor;
    MoveFinalBarlineCommand command(&editor);
    command.SetBarIndex(1);
    command.Do();
    command.Undo();
    MoveFinalBarlineCommand orphan(nullptr);
    orphan.Do();
    orphan.Undo();
    EXPECT_EQ(editor.GetBarCount(), 0);
}

}  // namespace
}  // namespace quaverly
