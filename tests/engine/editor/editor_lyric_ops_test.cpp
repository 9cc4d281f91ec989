// Lyrics through the exported factory: whole verses of a part and single syllables.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/editor/new_score_settings.h"
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_time.h"
#include "tests/engine/editor/editor_fixture.h"
#include "tests/engine/layout/layout_test_score.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_listener.h"

namespace quaverly {
namespace {

using editor_test::EditorHandle;
using Texts = std::vector<std::u16string>;

constexpr int kHeading = 2500;
constexpr int kLine = 1219 + 700 + 1219;
constexpr int kQuarter = kTicksPerQuarter;

const std::vector<int> kChanged = {EditorNoticeCode::ContentChanged,
                                   EditorNoticeCode::DocumentModified};
const std::vector<int> kViewOnly = {EditorNoticeCode::ContentChanged};

class EditorLyricOpsTest : public ::testing::Test {
protected:
    EditorLyricOpsTest() : handle(create_quaverly_editor())
    {
        handle->SetListener(&listener);
        handle->SetPageContentSize(16000, kHeading + 5 * kLine + 100);
        NewScoreSettings settings;
        settings.staves.push_back({0, false, 0});
        settings.staves.push_back({0, false, 1});
        settings.barsPerLine = 4;
        handle->NewDocument(settings);
        Run();
        // Two notes in bar 0 of the first part, one in bar 1; the second part gets one
        // note that must never be touched by the first part's verses.
        AddNoteTo(0, 0, 0);
        AddNoteTo(0, 0, kQuarter);
        AddNoteTo(0, 1, 0);
        AddNoteTo(1, 0, 0)->SetLyricText(0, u"他");
        notes = static_cast<int>(handle->GetLyrics(0, 0).size());
    }

    ScoreEditor& Editor() { return *static_cast<ScoreEditor*>(handle.get()); }

    std::shared_ptr<Bar> BarAt(int part, int bar)
    {
        return std::dynamic_pointer_cast<Bar>(GetElementAtPath3(*Editor().score, part, 0, bar));
    }

    std::shared_ptr<Note> AddNoteTo(int part, int bar, int time)
    {
        auto note = CreateNote(1);
        note->SetStartTime(time);
        BarAt(part, bar)->AddNote(note);
        BarAt(part, bar)->SortNotes();
        return note;
    }

    void Run()
    {
        handle->RunPendingCommands(&painter);
        listener.codes.clear();
    }

    // The notices up to the end of the next run, without the end-of-run notice.
    std::vector<int> Notices() const
    {
        std::vector<int> codes;
        for (int code : listener.codes)
            if (code != EditorNoticeCode::PendingCommandsRun)
                codes.push_back(code);
        return codes;
    }

    Texts Numbered(int count, const std::u16string& stem) const
    {
        Texts texts;
        for (int i = 0; i < count; ++i)
            texts.push_back(stem + static_cast<char16_t>(u'0' + i % 10));
        return texts;
    }

    EditorHandle handle;
    fakes::RecordingListener listener;
    fakes::FakePainter painter;
    int notes = 0;
};

TEST_F(EditorLyricOpsTest, VerseRoundTripTouchesOnlyThatVerseAndPart)
{
    ASSERT_GE(notes, 3);
    const Texts verse = Numbered(notes, u"词");
    handle->SetLyrics(0, 1, verse);
    EXPECT_EQ(Notices(), kChanged);
    EXPECT_TRUE(handle->CanUndo());
    Run();
    EXPECT_EQ(handle->GetLyrics(0, 1), verse);
    EXPECT_EQ(handle->GetLyrics(0, 0), Texts(static_cast<std::size_t>(notes)));
    const Texts other = handle->GetLyrics(1, 0);
    EXPECT_NE(std::find(other.begin(), other.end(), u"他"), other.end());
    EXPECT_EQ(std::count(other.begin(), other.end(), u"他"), 1);
}

TEST_F(EditorLyricOpsTest, MoreOrFewerSyllablesThanNotesFillWhatTheyCan)
{
    struct Case {
        const char* name;
        int syllables;  // relative to the note count
    };
    const Case cases[] = {{"two more", 2}, {"one fewer", -1}, {"only one", 1 - notes}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Every note starts with a syllable that the shorter lists must leave alone.
        handle->SetLyrics(0, 0, Texts(static_cast<std::size_t>(notes), u"旧"));
        Run();
        const int count = notes + c.syllables;
        handle->SetLyrics(0, 0, Numbered(count, u"新"));
        EXPECT_EQ(Notices(), kChanged);
        Run();
        Texts expected = Numbered(std::min(count, notes), u"新");
        expected.resize(static_cast<std::size_t>(notes), u"旧");
        EXPECT_EQ(handle->GetLyrics(0, 0), expected);
    }
}

TEST_F(EditorLyricOpsTest, BadPartOrVerseChangesNothing)
{
    const Texts texts = Numbered(notes, u"字");
    const int bad[][2] = {{-1, 0}, {2, 0}, {0, -1}, {0, 5}};
    for (const auto& at : bad) {
        SCOPED_TRACE(testing::Message() << at[0] << "/" << at[1]);
        handle->SetLyrics(at[0], at[1], texts);
        EXPECT_TRUE(handle->GetLyrics(at[0], at[1]).empty());
        EXPECT_FALSE(handle->CanUndo());
        EXPECT_TRUE(std::find(listener.codes.begin(), listener.codes.end(),
                              EditorNoticeCode::DocumentModified) == listener.codes.end());
    }
    EXPECT_EQ(handle->GetLyrics(0, 0), Texts(static_cast<std::size_t>(notes)));
}

TEST_F(EditorLyricOpsTest, VerseChangeIsUndoneAndRedoneAsOneStep)
{
    const Texts before = Texts(static_cast<std::size_t>(notes), u"甲");
    handle->SetLyrics(0, 2, before);
    Run();
    const Texts after = Numbered(notes, u"乙");
    handle->SetLyrics(0, 2, after);
    Run();
    handle->Undo();
    Run();
    EXPECT_EQ(handle->GetLyrics(0, 2), before);
    handle->Redo();
    Run();
    EXPECT_EQ(handle->GetLyrics(0, 2), after);
}

TEST_F(EditorLyricOpsTest, SyllableTextIsSetUndoneAndRedone)
{
    const auto second = BarAt(0, 0)->GetNotes().back();
    ASSERT_EQ(second->GetStartTime(), kQuarter);
    second->SetLyricText(3, u"旧");
    handle->SetLyricText({0, 0, 3, kQuarter, u"新"});
    EXPECT_EQ(Notices(), kChanged);
    ASSERT_TRUE(handle->CanUndo());
    Run();
    EXPECT_EQ(second->GetLyric(3)->GetText(), u"新");
    handle->Undo();
    Run();
    EXPECT_EQ(second->GetLyric(3)->GetText(), u"旧");
    handle->Redo();
    Run();
    EXPECT_EQ(second->GetLyric(3)->GetText(), u"新");
}

TEST_F(EditorLyricOpsTest, SyllableOfTheFirstOfTwoNotesStartingTogetherIsEdited)
{
    const auto first = BarAt(0, 1)->GetNotes().front();
    const auto twin = AddNoteTo(0, 1, first->GetStartTime());
    first->SetLyricText(0, u"一");
    twin->SetLyricText(0, u"二");
    handle->SetLyricText({0, 1, 0, first->GetStartTime(), u"三"});
    Run();
    EXPECT_EQ(first->GetLyric(0)->GetText(), u"三");
    EXPECT_EQ(twin->GetLyric(0)->GetText(), u"二");
}

TEST_F(EditorLyricOpsTest, SyllableWithoutNoteRecordsNothingButTellsTheView)
{
    struct Case {
        const char* name;
        LyricTextRecord record;
    };
    const Case cases[] = {
        {"no note at that time", {0, 0, 0, 7 * kQuarter + 1, u"字"}},
        {"no such bar", {0, 999, 0, 0, u"字"}},
        {"no such part", {9, 0, 0, 0, u"字"}},
        {"no such verse", {0, 0, 5, 0, u"字"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        handle->SetLyricText(c.record);
        EXPECT_EQ(Notices(), kViewOnly);
        EXPECT_FALSE(handle->CanUndo());
        Run();
    }
}

TEST_F(EditorLyricOpsTest, VerseSelectionAndInPlaceEditingRecordNothing)
{
    Editor().cursor.page = 0;
    Editor().cursor.line = 1;
    Editor().cursor.barInLine = 0;
    Editor().cursor.timeInBar = 0;
    handle->SetLyricVerse(0);
    EXPECT_EQ(Notices(), kViewOnly);
    Run();
    handle->BeginLyricEdit(0, 0, 0, 0);
    EXPECT_EQ(Notices(), kViewOnly);
    Run();
    handle->EndLyricEdit(0, 0, 0, 0);
    EXPECT_EQ(Notices(), kViewOnly);
    Run();
    EXPECT_FALSE(handle->CanUndo());
}

TEST_F(EditorLyricOpsTest, InPlaceEditingMovesToTheNextOrPreviousSyllableOfThePart)
{
    handle->Refresh();
    Run();
    Editor().history.Clear();
    struct Where {
        int bar;
        int time;
    };
    struct Case {
        bool next;
        int part, bar, verse, time;
        std::vector<Where> asked;  // the syllable that asks for editing, if any
    };
    const std::vector<Case> cases = {
        {true, 0, 0, 0, 0, {{0, kQuarter}}},  // the next note of the bar
        {true, 0, 0, 2, kQuarter, {{1, 0}}},  // on into the next bar, any verse
        {true, 0, 1, 0, 0, {}},               // the part's last note: nowhere to go
        {false, 0, 1, 0, 0, {{0, kQuarter}}}, // back into the bar before
        {false, 0, 0, 0, kQuarter, {{0, 0}}},
        {false, 0, 0, 0, 0, {}},              // the first note: nowhere to go
        {true, 1, 0, 0, 0, {}},               // the other part's only note
        {true, 0, 0, 5, 0, {}},               // no such verse
        {true, 7, 0, 0, 0, {}},               // no such part
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.next << " " << c.part << " " << c.bar << " "
                                        << c.verse << " " << c.time);
        listener.requests.clear();
        if (c.next)
            handle->BeginLyricEdit(c.part, c.bar, c.verse, c.time);
        else
            handle->EndLyricEdit(c.part, c.bar, c.verse, c.time);
        EXPECT_EQ(Notices(), kViewOnly);
        Run();
        ASSERT_EQ(listener.requests.size(), c.asked.size());
        for (std::size_t i = 0; i < c.asked.size(); ++i) {
            EXPECT_EQ(listener.requests[i].code, EditorNoticeCode::EditLyric);
            EXPECT_EQ(listener.requests[i].payload.barIndex, c.asked[i].bar);
            EXPECT_EQ(listener.requests[i].payload.time, c.asked[i].time);
            EXPECT_EQ(listener.requests[i].payload.verse, c.verse);
        }
        EXPECT_FALSE(handle->CanUndo());
    }
}

TEST(EditorLyricOps, GetLyricsGivesOneTextPerNoteOfTheFirstTrack)
{
    EditorHandle handle(create_quaverly_editor());
    auto& editor = *static_cast<ScoreEditor*>(handle.get());
    auto built = layout_test::MakeScore(2, 2);
    while (built->GetChildCount() > 0) {
        auto child = built->GetChild(0);
        built->RemoveChild(0);
        editor.score->AppendChild(child);
        child->SetParent(editor.score.get());
    }
    const auto sing = [](const std::shared_ptr<Note>& note, int verse, const std::u16string& text) {
        auto lyric = note->GetLyric(verse);
        ASSERT_NE(lyric, nullptr);
        lyric->SetText(text);
    };
    const auto a = layout_test::AddNote(*layout_test::BarOf(*editor.score, 0, 0), note_length::kHalf);
    layout_test::AddNote(*layout_test::BarOf(*editor.score, 0, 0), note_length::kHalf);
    const auto c = layout_test::AddNote(*layout_test::BarOf(*editor.score, 0, 1), note_length::kWhole);
    sing(a, 0, u"茉");
    sing(c, 0, u"花");
    sing(c, 2, u"三");

    EXPECT_EQ(handle->GetLyrics(0, 0), (std::vector<std::u16string>{u"茉", u"", u"花"}));
    EXPECT_EQ(handle->GetLyrics(0, 2), (std::vector<std::u16string>{u"", u"", u"三"}));
    EXPECT_TRUE(handle->GetLyrics(1, 0).empty());  // the second part has no notes
    for (const auto& [part, verse] : {std::pair{-1, 0}, {2, 0}, {0, -1}, {0, 5}})
        EXPECT_TRUE(handle->GetLyrics(part, verse).empty());
}

}  // namespace
}  // namespace quaverly
