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
#include "tests/support/recording_element.h"

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

// Which note's lyric asked to be edited when moving from (bar, position).
TEST(StepLyricCommandTest, NextAndPreviousLyricFindTheNeighbourNote)
{
    ScoreEditor editor;
    command_test::FillScore(editor, 1, 4);  // bars 1 and 2 stay empty
    auto log = std::make_shared<fakes::RecordingElement::Log>();
    auto receiver = std::make_shared<fakes::RecordingElement>("top", log);
    receiver->HandleNotifications(0);
    std::vector<std::shared_ptr<Note>> notes;  // two in bar 0, one in bar 3
    for (const auto& [bar, time] : std::vector<std::pair<int, int>>{{0, 0}, {0, kTicksPerQuarter}, {3, 0}}) {
        auto note = CreateNote(1);
        note->SetStartTime(time);
        note->SetLyricText(0, u"字");
        note->GetLyric(0)->SetParent(receiver.get());
        command_test::BarAt(editor, 0, bar)->AddNote(note);
        notes.push_back(note);
    }
    struct Case {
        const char* name;
        bool forward;
        int bar;
        int position;
        int expected;  // index into notes, -1 for none
    };
    const std::vector<Case> cases = {
        {"next in the bar", true, 0, 0, 1},
        {"next across empty bars", true, 0, kTicksPerQuarter, 2},
        {"next after the last note", true, 3, 0, -1},
        {"previous in the bar", false, 0, kTicksPerQuarter, 0},
        {"previous across empty bars", false, 3, 0, 1},
        {"previous before the first", false, 0, 0, -1},
        {"bar outside the range", true, 9, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        receiver->ClearReceived();
        std::unique_ptr<StepLyricCommand> command;
        if (c.forward)
            command = std::make_unique<EditNextLyricCommand>();
        else
            command = std::make_unique<EditPreviousLyricCommand>();
        command->SetRange(command_test::PartAt(editor, 0));
        command->SetBarIndex(c.bar);
        command->SetPosition(c.position);
        command->Do();
        const auto& received = receiver->ReceivedRecords();
        if (c.expected < 0) {
            EXPECT_TRUE(received.empty());
        } else {
            ASSERT_EQ(received.size(), 1u);
            EXPECT_EQ(received[0].id, 12);
            EXPECT_EQ(received[0].sender, notes[static_cast<std::size_t>(c.expected)]->GetLyric(0).get());
        }
    }
}

}  // namespace
}  // namespace quaverly
