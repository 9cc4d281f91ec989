// Layout steps through the exported factory: restoring the default layout is one group
// that runs once and can never be undone, even when a group is open around it; undoing
// a line's bar count gives the line the count it had.
#include <map>
#include <memory>

#include <gtest/gtest.h>

#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/element_path.h"
#include "engine/model/part.h"
#include "tests/engine/editor/editor_fixture.h"

namespace quaverly {
namespace {

using editor_test::kChanged;
namespace id = notification_id;

class EditorDefaultLayoutTest : public editor_test::EditorFixture {
protected:
    void SetUp() override { NewTitledScore(u"春", 2, 4); }

    ScoreEditor& Editor() { return *static_cast<ScoreEditor*>(handle.get()); }
    std::shared_ptr<Part> PartAt(int index)
    {
        return std::dynamic_pointer_cast<Part>(GetElementAtPath2(*Editor().score, index, 0));
    }
    void Bracket(int code)
    {
        NotificationPayload none;
        ElementNotification record{code, &none, nullptr};
        Editor().controller->Notify(record);
    }
};

// With the fake painter's metrics 1219, 1219, 200 and 150: inner staves 1219, the last
// 2438, verse 0 at 350 and the other verses at 150; offsets back to 0; no undo.
TEST_F(EditorDefaultLayoutTest, EveryPartGetsThePaintersSizesAndTheHistoryEmpties)
{
    for (int p = 0; p < 2; ++p) {
        PartAt(p)->SetStaffSize(3000.0);
        for (int verse = 0; verse < 5; ++verse)
            PartAt(p)->SetVerseOffset(verse, 999);
    }
    const auto line = std::dynamic_pointer_cast<SystemNode>(Editor().lines[1]);
    line->SetOffset({300, 0});
    line->GetTrack(1)->SetOffset({0, 80});
    handle->SetBarsPerLine({3, false});
    Run();
    ASSERT_TRUE(handle->CanUndo());

    handle->RestoreDefaultLayout();
    EXPECT_EQ(listener.codes, kChanged);
    EXPECT_FALSE(handle->CanUndo());
    EXPECT_FALSE(handle->CanRedo());
    Run();
    EXPECT_EQ(PartAt(0)->GetStaffSize(), 1219.0);
    EXPECT_EQ(PartAt(1)->GetStaffSize(), 2438.0);
    for (int p = 0; p < 2; ++p) {
        EXPECT_EQ(PartAt(p)->GetVerseOffset(0), 350);
        for (int verse = 1; verse < 5; ++verse)
            EXPECT_EQ(PartAt(p)->GetVerseOffset(verse), 150);
    }
    const auto first = std::dynamic_pointer_cast<SystemNode>(Editor().lines[1]);
    EXPECT_EQ(first->GetOffset(), (Point{0, 0}));
    EXPECT_EQ(first->GetTrack(1)->GetOffset(), (Point{0, 0}));
    EXPECT_FALSE(handle->CanUndo());
}

// A group an element opened (1072) and closes after the restore does not take the
// restore in: the restore is queued on its own and the closed group records nothing.
TEST_F(EditorDefaultLayoutTest, AnOpenGroupDoesNotMakeTheRestoreUndoable)
{
    Bracket(id::kBeginGroup);
    handle->RestoreDefaultLayout();
    Bracket(id::kEndGroup);
    EXPECT_EQ(Editor().OpenGroupCount(), 0);
    EXPECT_FALSE(handle->CanUndo());
    PartAt(0)->SetStaffSize(3000.0);
    Run();
    EXPECT_EQ(PartAt(0)->GetStaffSize(), 1219.0);
    EXPECT_FALSE(handle->CanUndo());
}

TEST_F(EditorDefaultLayoutTest, UndoingALinesBarCountGivesItsEarlierCount)
{
    const auto barsOfLine1 = [this] {
        const auto line = std::dynamic_pointer_cast<SystemNode>(Editor().lines[1]);
        return line->GetBarRange().end - line->GetBarRange().first;
    };
    const std::map<int, int> before = Editor().score->GetBarsPerLine();
    Editor().cursor = {0, 1, 0, 0, 0};
    handle->SetBarsPerLine({3, false});
    Run();
    ASSERT_EQ(barsOfLine1(), 3);
    handle->SetBarsPerLine({2, false});
    Run();
    ASSERT_EQ(barsOfLine1(), 2);
    handle->Undo();
    Run();
    EXPECT_EQ(barsOfLine1(), 3);
    EXPECT_EQ(Editor().score->GetBarsPerLine().at(1), 3);
    handle->Undo();
    Run();
    EXPECT_EQ(barsOfLine1(), 4);
    EXPECT_EQ(Editor().score->GetBarsPerLine(), before);
}

}  // namespace
}  // namespace quaverly
