// Lyric text commands: the exchange that undoes itself, and a verse written over bars.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/lyric_commands.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "tests/engine/commands/command_test_score.h"

namespace quaverly {
namespace {

TEST(SetLyricTextCommandTest, AnOddNumberOfRunsLeavesTheNewText)
{
    auto note = CreateNote(1);
    note->SetLyricText(0, u"旧");
    auto lyric = note->GetLyric(0);
    ASSERT_TRUE(lyric);
    SetLyricTextCommand command;
    command.SetLyric(lyric);
    command.SetText(u"新");
    const std::vector<std::u16string> expected = {u"新", u"旧", u"新"};
    for (const auto& text : expected) {
        command.Do();
        EXPECT_EQ(lyric->GetText(), text);
    }
}

TEST(SetLyricsCommandTest, FewerTextsThanNotesLeaveTheRestAndUndoWritesTheOldOnes)
{
    ScoreEditor editor;
    command_test::FillScore(editor, 1, 2);
    std::vector<std::shared_ptr<Note>> notes;
    for (int b = 0; b < 2; ++b) {
        for (int n = 0; n < 2; ++n) {
            auto note = CreateNote(1);
            note->SetStartTime(n * kTicksPerQuarter);
            note->SetLyricText(1, u"原");
            command_test::BarAt(editor, 0, b)->AddNote(note);
            notes.push_back(note);
        }
    }
    SetLyricsCommand command;
    command.SetRange(command_test::PartAt(editor, 0));
    command.SetVerse(1);
    command.SetNewTexts({u"一", u"二", u"三"});
    command.SetOldTexts({u"原", u"原", u"原"});
    command.Do();
    const std::vector<std::u16string> after = {u"一", u"二", u"三", u"原"};
    for (std::size_t i = 0; i < notes.size(); ++i) {
        EXPECT_EQ(notes[i]->GetLyric(1)->GetText(), after[i]) << i;
    }
    command.Undo();
    for (const auto& note : notes) {
        EXPECT_EQ(note->GetLyric(1)->GetText(), u"原");
    }
}

}  // namespace
}  // namespace quaverly
