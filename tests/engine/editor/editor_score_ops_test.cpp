// The header texts, instrument names, key, meter and tempo through the exported factory.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/header_text.h"
#include "tests/engine/editor/editor_fixture.h"

namespace quaverly {
namespace {

using editor_test::kChanged;

class EditorScoreOpsTest : public editor_test::EditorFixture {
protected:
    void NewScore(int staves = 1) { NewTitledScore(u"旧题", staves, 4); }

    // Puts the cursor on the bar of line `line` of page 0 at `barInLine`.
    void CursorAt(int line, int barInLine)
    {
        Editor().cursor.page = 0;
        Editor().cursor.line = line;
        Editor().cursor.barInLine = barInLine;
    }
};

TEST_F(EditorScoreOpsTest, HeaderTextsAreUndoneAndRedone)
{
    NewScore();
    struct Case {
        void (api::ScoreEditor::*set)(const std::u16string&);
        std::u16string (api::ScoreEditor::*get)() const;
    };
    const Case cases[] = {
        {&api::ScoreEditor::SetTitle, &api::ScoreEditor::GetTitle},
        {&api::ScoreEditor::SetSubtitle, &api::ScoreEditor::GetSubtitle},
        {&api::ScoreEditor::SetComposer, &api::ScoreEditor::GetComposer},
        {&api::ScoreEditor::SetPoet, &api::ScoreEditor::GetPoet},
        {&api::ScoreEditor::SetSinger, &api::ScoreEditor::GetSinger},
        {&api::ScoreEditor::SetAdapter, &api::ScoreEditor::GetAdapter},
        {&api::ScoreEditor::SetRights, &api::ScoreEditor::GetRights},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(index++);
        const std::u16string before = (handle.get()->*c.get)();
        (handle.get()->*c.set)(u"新的文字");
        EXPECT_EQ(listener.codes, kChanged);  // notice 1, then 3
        Run();
        EXPECT_EQ((handle.get()->*c.get)(), u"新的文字");
        handle->Undo();
        Run();
        EXPECT_EQ((handle.get()->*c.get)(), before);
        handle->Redo();
        Run();
        EXPECT_EQ((handle.get()->*c.get)(), u"新的文字");
    }
}

TEST_F(EditorScoreOpsTest, DescriptionIsSetDirectlyWithoutNoticeOrUndo)
{
    NewScore();
    handle->SetDescription(u"说明");
    EXPECT_EQ(handle->GetDescription(), u"说明");
    EXPECT_TRUE(listener.codes.empty());
    EXPECT_FALSE(handle->CanUndo());
}

TEST_F(EditorScoreOpsTest, KeyOffTheLayoutGivesMinusOneAndQueuesNothing)
{
    handle->SetKeySignature(2);  // no layout at all
    EXPECT_EQ(handle->SetKeySignature(2), -1);
    NewScore();
    CursorAt(0, 0);  // the heading holds no bar
    EXPECT_EQ(handle->SetKeySignature(2), -1);
    CursorAt(30, 0);
    EXPECT_EQ(handle->SetKeySignature(2), -1);
    CursorAt(1, 0);
    EXPECT_EQ(handle->SetKeySignature(9), -1);  // no such key
    EXPECT_TRUE(listener.codes.empty());
    EXPECT_FALSE(handle->CanUndo());

    CursorAt(2, 1);  // bar 5
    EXPECT_EQ(handle->SetKeySignature(-3), 0);
    EXPECT_EQ(listener.codes, kChanged);
    Run();
    bool found = false;
    for (const KeySignatureRecord& key : Editor().score->GetKeySignatures())
        found = found || (key.bar == 5 && key.fifths == -3);
    EXPECT_TRUE(found);
    handle->Undo();
    Run();
    for (const KeySignatureRecord& key : Editor().score->GetKeySignatures())
        EXPECT_FALSE(key.bar == 5 && key.fifths == -3);
}

TEST_F(EditorScoreOpsTest, SameAndDifferentTimeSignatures)
{
    NewScore(2);
    CursorAt(1, 0);  // bar 0 carries the opening 4/4
    handle->SetTitle(u"可撤销");
    Run();
    ASSERT_TRUE(handle->CanUndo());

    EXPECT_EQ(handle->SetTimeSignature(3, 4), -1);  // another meter is there already
    EXPECT_EQ(handle->SetTimeSignature(4, 4), 0);   // the same one changes nothing
    EXPECT_TRUE(listener.codes.empty());
    EXPECT_TRUE(handle->CanUndo());

    CursorAt(30, 0);
    EXPECT_EQ(handle->SetTimeSignature(3, 4), -1);  // no bar at the cursor
    CursorAt(2, 0);
    EXPECT_EQ(handle->SetTimeSignature(0, 4), -1);
    EXPECT_TRUE(listener.codes.empty());

    EXPECT_EQ(handle->SetTimeSignature(3, 4), 0);  // bar 4
    EXPECT_EQ(listener.codes, kChanged);
    EXPECT_FALSE(handle->CanUndo());
    Run();
    const auto meter = Editor().score->FindTimeSignature(4);
    ASSERT_TRUE(meter.has_value());
    EXPECT_EQ(meter->beats, 3);
    EXPECT_EQ(Editor().score->FindTimeSignature(3)->beats, 4);
    EXPECT_GT(handle->GetLastPageIndex(), 0);
    EXPECT_FALSE(handle->CanUndo());
}

TEST_F(EditorScoreOpsTest, TempoAndTempoTextAtTheCursorBar)
{
    NewScore();
    CursorAt(0, 0);
    handle->SetTempo(161280, 90);
    handle->SetTempoText(u"慢板");
    EXPECT_TRUE(listener.codes.empty());

    CursorAt(2, 0);
    handle->SetTempo(0, 90);  // no beat: refused
    handle->SetTempo(161280, -5);
    EXPECT_TRUE(listener.codes.empty());
    handle->SetTempo(161280, 90);
    EXPECT_EQ(listener.codes, kChanged);
    handle->SetTempoText(u"慢板");
    Run();
    bool tempo = false;
    for (const TempoMarkRecord& mark : Editor().score->GetTempoMarks())
        tempo = tempo || (mark.position == 4 && mark.perMinute == 90);
    EXPECT_TRUE(tempo);
    bool words = false;
    for (const ExpressionRecord& text : Editor().score->GetExpressionTexts())
        words = words || (text.position == 4 && text.text == u"慢板");
    EXPECT_TRUE(words);
    handle->Undo();
    handle->Undo();
    Run();
    for (const TempoMarkRecord& mark : Editor().score->GetTempoMarks())
        EXPECT_FALSE(mark.position == 4 && mark.perMinute == 90);
}

TEST_F(EditorScoreOpsTest, InstrumentNameOnOneLineOrAll)
{
    NewScore();
    CursorAt(2, 0);
    handle->SetInstrumentName(u"二胡", false);
    EXPECT_EQ(listener.codes, kChanged);
    Run();
    const auto line = [this](std::size_t i) {
        return std::dynamic_pointer_cast<SystemNode>(Editor().lines[i]);
    };
    ASSERT_NE(line(2)->GetTrack(0)->GetInstrumentName(), nullptr);
    EXPECT_EQ(line(2)->GetTrack(0)->GetInstrumentName()->GetText(), u"二胡");
    EXPECT_EQ(line(1)->GetTrack(0)->GetInstrumentName(), nullptr);

    handle->SetInstrumentName(u"笛子", true);
    Run();
    for (std::size_t i = 1; i < Editor().lines.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(line(i)->GetTrack(0)->GetInstrumentName(), nullptr);
        EXPECT_EQ(line(i)->GetTrack(0)->GetInstrumentName()->GetText(), u"笛子");
    }

    Editor().cursor.track = 5;  // no such row: nothing
    handle->SetInstrumentName(u"琵琶", true);
    EXPECT_TRUE(listener.codes.empty());
}

}  // namespace
}  // namespace quaverly
