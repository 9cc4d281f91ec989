// The lyric editor: how its text box keeps one separator less than there are notes while
// the user types, where the caret lands, and what the dialog reads from and writes to the
// editor for each verse.
#include "app/dialogs/lyric_edit.h"
#include "app/dialogs/lyric_edit_dlg.h"
#include "app/dialogs/lyrics_editor.h"
#include "platform/dialog_service.h"
#include "tests/app/dialogs/dialog_test_util.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using brindle::CLyricEdit;
using brindle::CLyricEditDlg;
using Syllables = std::vector<std::u16string>;
using namespace brindle::test;

// An editor that keeps lyrics by voice and verse and records every call.
class FakeLyricsEditor final : public brindle::LyricsEditor {
public:
    void GetLyrics(int voice, int verse, Syllables& syllables) override
    {
        reads.emplace_back(voice, verse);
        const auto it = lyrics.find({voice, verse});
        syllables = it == lyrics.end() ? Syllables{} : it->second;
    }
    void SetLyrics(int voice, int verse, const Syllables& syllables) override
    {
        writes.push_back({voice, verse, syllables});
    }

    struct Write {
        int voice;
        int verse;
        Syllables syllables;
    };
    std::map<std::pair<int, int>, Syllables> lyrics;
    std::vector<std::pair<int, int>> reads;
    std::vector<Write> writes;
};

TEST(LyricEdit, NormalizeKeepsOneSeparatorPerSlotAndTheCaret)
{
    struct Case {
        const char* name;
        std::u16string text;
        int slotCount;
        int caret;  // no selection: anchor = position
        std::u16string shaped;
        int caretAfter;
    };
    const Case cases[] = {
        {"already in shape", u"a-b--d", 4, 3, u"a-b--d", 3},
        {"a blank typed after a cuts at the fourth separator", u"a -b--d", 4, 2, u"a--b-", 2},
        {"a deleted separator comes back at the end", u"ab--d", 4, 1, u"ab--d-", 1},
        {"a line break is a separator", u"a\nb", 2, 3, u"a-b", 3},
        {"CR LF is one separator and the caret moves back by the CR", u"a\r\nb", 2, 4, u"a-b", 3},
        {"a CR after the caret leaves it", u"ab\r\n", 2, 1, u"ab-", 1},
        {"an ideographic blank is replaced in place", u"词\u3000曲", 2, 3, u"词-曲", 3},
        {"no slots: nothing added", u"a b", 0, 3, u"a-b", 3},
        {"no slots: nothing cut", u"a-b-c-d", 0, 7, u"a-b-c-d", 7},
        {"one slot takes no separator", u"a-b", 1, 3, u"a", 1},
        {"empty text of three slots", u"", 3, 0, u"--", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int anchor = c.caret, position = c.caret;
        EXPECT_EQ(CLyricEdit::NormalizeText(c.text, c.slotCount, anchor, position), c.shaped);
        EXPECT_EQ(position, c.caretAfter);
        EXPECT_EQ(anchor, c.caretAfter);
    }
    // A selection keeps both ends; ends past what is cut fall back to the end.
    int anchor = 1, position = 7;
    EXPECT_EQ(CLyricEdit::NormalizeText(u"a-b-c-d", 2, anchor, position), u"a-b");
    EXPECT_EQ(anchor, 1);
    EXPECT_EQ(position, 3);
}

TEST(LyricEdit, SplitGivesOneSyllablePerPiece)
{
    EXPECT_EQ(CLyricEditDlg::SplitSyllables(u"a-b--d"), (Syllables{u"a", u"b", u"", u"d"}));
    EXPECT_EQ(CLyricEditDlg::SplitSyllables(u"---"), (Syllables{u"", u"", u"", u""}));
    EXPECT_EQ(CLyricEditDlg::SplitSyllables(u""), (Syllables{u""}));
}

class LyricEditDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor_.lyrics[{2, 0}] = {u"a", u"b", u"", u"d"};
        editor_.lyrics[{2, 1}] = {u"春", u"眠"};
        dialog_.SetVoice(2);
        ASSERT_TRUE(dialog_.BeginModal());
        ASSERT_TRUE(ShowActive(dialog_));
        box()->setFocus();
        ProcessEvents();
    }

    CLyricEdit* box() { return dialog_.TextBox(); }
    std::u16string text() { return box()->Text(); }
    int caret() { return box()->textCursor().position(); }
    void PutCaret(int at)
    {
        QTextCursor cursor = box()->textCursor();
        cursor.setPosition(at);
        box()->setTextCursor(cursor);
    }

    FakeLyricsEditor editor_;
    CLyricEditDlg dialog_{editor_};
};

TEST_F(LyricEditDlgTest, OpensOnTheFirstVerseOfTheVoice)
{
    EXPECT_EQ(editor_.reads, (std::vector<std::pair<int, int>>{{2, 0}}));
    EXPECT_EQ(text(), u"a-b--d");
    EXPECT_EQ(box()->SlotCount(), 4);
    auto* verses = dialog_.Control<QComboBox>(CLyricEditDlg::kIdVerse);
    ASSERT_EQ(verses->count(), 5);
    EXPECT_EQ(verses->itemText(0), QStringLiteral("1"));
    EXPECT_EQ(verses->itemText(4), QStringLiteral("5"));
    EXPECT_EQ(verses->currentIndex(), 0);
}

TEST_F(LyricEditDlgTest, TypingKeepsTheShape)
{
    PutCaret(1);
    Type(QStringLiteral(" "));
    EXPECT_EQ(text(), u"a--b-") << "the last syllable is lost";
    EXPECT_EQ(caret(), 2);

    box()->SetText(u"a-b--d");
    PutCaret(2);
    Type(QStringLiteral("\b"));
    EXPECT_EQ(text(), u"ab--d-") << "a deleted separator comes back at the end";
    EXPECT_EQ(caret(), 1);

    PutCaret(2);
    Type(QStringLiteral("x"));
    EXPECT_EQ(text(), u"abx--d-");
    EXPECT_EQ(caret(), 3);
}

TEST_F(LyricEditDlgTest, PastingTwoLinesJoinsThemWithASeparator)
{
    for (const QString& clip : {QStringLiteral("x\ny"), QStringLiteral("x\r\ny")}) {
        SCOPED_TRACE(clip.toStdString());
        box()->SetText(u"---");
        PutCaret(0);
        QGuiApplication::clipboard()->setText(clip);
        Chord(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(text(), u"x-y--");
        EXPECT_EQ(caret(), 3);
    }
}

TEST_F(LyricEditDlgTest, ChoosingAVerseLoadsIt)
{
    dialog_.Control<QComboBox>(CLyricEditDlg::kIdVerse)->setCurrentIndex(1);
    EXPECT_EQ(editor_.reads.back(), (std::pair<int, int>{2, 1}));
    EXPECT_EQ(text(), u"春-眠");
    EXPECT_EQ(box()->SlotCount(), 2);
}

TEST_F(LyricEditDlgTest, OkWritesTheChosenVerseAndCancelNothing)
{
    dialog_.Control<QComboBox>(CLyricEditDlg::kIdVerse)->setCurrentIndex(1);
    PutCaret(1);
    Type(QStringLiteral("晓"));
    dialog_.ClickButton(platform::kIdOk);
    EXPECT_EQ(dialog_.Result(), platform::kIdOk);
    ASSERT_EQ(editor_.writes.size(), 1u);
    EXPECT_EQ(editor_.writes[0].voice, 2);
    EXPECT_EQ(editor_.writes[0].verse, 1);
    EXPECT_EQ(editor_.writes[0].syllables, (Syllables{u"春晓", u"眠"}));

    CLyricEditDlg other(editor_);
    other.SetVoice(2);
    ASSERT_TRUE(other.BeginModal());
    other.ClickButton(platform::kIdCancel);
    EXPECT_EQ(other.Result(), platform::kIdCancel);
    EXPECT_EQ(editor_.writes.size(), 1u);
}

TEST(LyricEditDlgEdges, AVoiceWithoutNotesTakesTheTextAsTyped)
{
    FakeLyricsEditor editor;
    CLyricEditDlg dialog(editor);
    dialog.SetVoice(0);
    ASSERT_TRUE(dialog.BeginModal());
    EXPECT_EQ(dialog.TextBox()->SlotCount(), 0);
    EXPECT_EQ(dialog.TextBox()->Text(), u"");
    dialog.TextBox()->SetText(u"a b-c");
    EXPECT_EQ(dialog.TextBox()->Text(), u"a-b-c") << "blanks still become separators";
}

TEST(LyricEditDlgEdges, WithoutAVoiceNothingIsReadOrWritten)
{
    FakeLyricsEditor editor;
    CLyricEditDlg dialog(editor);
    ASSERT_TRUE(dialog.BeginModal());
    dialog.ClickButton(platform::kIdOk);
    EXPECT_TRUE(editor.reads.empty());
    EXPECT_TRUE(editor.writes.empty());
    EXPECT_EQ(dialog.Result(), platform::kIdOk);
}

}  // namespace
