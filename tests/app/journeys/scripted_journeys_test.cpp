// Journeys a user takes through the whole program, each step followed by what must hold
// after any step: the modified mark, and the page shown against the document saved and
// opened again; at the end undoing and redoing everything, a press on every drawn
// element, and playback and the MIDI export against the score.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/dialogs/bar_count_dlg.h"
#include "app/dialogs/bars_per_line_dlg.h"
#include "app/dialogs/lines_per_page_dlg.h"
#include "app/dialogs/lyric_edit_dlg.h"
#include "app/dialogs/page_setup_dlg.h"
#include "app/shell/command_ids.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/line_mark_geometry.h"
#include "engine/layout/line_mark_view.h"
#include "engine/model/bar.h"
#include "engine/model/line_mark.h"
#include "engine/model/note.h"
#include "engine/model/score.h"
#include "engine/model/time_signature.h"
#include "journey_driver.h"
#include "../shell/page_targets.h"

namespace {

namespace cmd = brindle::cmd;
using journeys::JourneyDriver;

// Commands of the palettes, by the ids their buttons run.
constexpr int kMf = 32902;
constexpr int kSlur = 32915;
constexpr int kCrescendo = 32818;
constexpr int kDecrescendo = 32819;
constexpr int kEndRepeat = 32868;

std::u16string Number(int n)
{
    const std::string text = std::to_string(n);
    return std::u16string(text.begin(), text.end());
}

class ScriptedJourneyTest : public ::testing::Test {
protected:
    // One step of a journey, then what must hold after every step.
    void Step(const std::string& what, const std::function<void()>& action)
    {
        SCOPED_TRACE(what);
        action();
        EXPECT_TRUE(d.ModifiedMarkIsRight()) << "after: " << what;
        Screen(d.ScreenMatchesReopened(), what);
    }
    // A check that compares the screen with the reopened document.
    void Screen(const testing::AssertionResult& result, const std::string& what)
    {
        if (!result)
            ADD_FAILURE() << result.message() << "\nafter: " << what;
    }
    // What holds at the end of a journey that began with the document `start`: undoing
    // and redoing it all, a press on everything drawn, the MIDI export and playback from
    // the second bar.
    void EndOfJourney(const std::string& start)
    {
        EXPECT_TRUE(d.UndoAllAndRedoAll(start, d.SavedBytes()));
        EXPECT_TRUE(d.DrawnElementsTakePresses());
        EXPECT_TRUE(d.MidiExportHoldsTheScore());
        EXPECT_TRUE(d.PlayStartsAtTheCursor(1));
        EXPECT_TRUE(d.PlaybackFollowsTheScore(1));
    }
    // The lyrics dialog answered with the syllables of one verse (0-based).
    void Lyrics(int verse, const std::u16string& text)
    {
        d.AnswerDialog([verse, text](platform::DialogBase& dialog) {
            dialog.SetDlgItemText(brindle::CLyricEditDlg::kIdVerse, std::u16string(1, static_cast<char16_t>(u'1' + verse)));
            dialog.SetDlgItemText(brindle::CLyricEditDlg::kIdText, text);
            dialog.ClickButton(platform::kIdOk);
        });
        d.Command(cmd::kEditLyrics);
    }

    JourneyDriver d;
};

TEST_F(ScriptedJourneyTest, ATwoLineSongWithEveryKindOfMark)
{
    d.NewScore({u"小曲", 1});
    const std::string start = d.SavedBytes();
    Step("type the first bar", [&] { d.Type("1 2 3 4"); });
    Step("a high do, eighths, a dotted quarter", [&] { d.Type("F4 1 F4 kp4 5 5 kp5 . 6 kp4 5 kp5"); });
    Step("a rest and accidentals", [&] { d.Type("0 S 4 S B 7 B 5"); });
    Step("low notes", [&] { d.Type("5 6 kp4 F6 7 F6 6 kp5 5"); });
    Step("the second line", [&] { d.Type("kp4 5 6 7 kp5 1 1 2 2 kp6 1"); });
    Step("a line break before bar 4", [&] {
        ASSERT_TRUE(d.ClickBar(3));
        d.Command(cmd::kLineBreak);
    });
    Step("tie across the line break", [&] {
        ASSERT_TRUE(d.ClickNote(2, -1));
        d.Type("L");
    });
    Step("tie across the bar line", [&] {
        ASSERT_TRUE(d.ClickNote(3, -1));
        d.Type("L");
    });
    Step("a triplet", [&] {
        ASSERT_TRUE(d.SelectNotes(4, 0, 2));
        d.Type("T");
    });
    Step("two verses", [&] {
        Lyrics(0, u"一 闪 一 闪 亮 晶 晶");
        Lyrics(1, u"满 天 都 是 小 星 星");
    });
    Step("mf", [&] {
        ASSERT_TRUE(d.ClickNote(0, 0));
        d.Command(kMf);
    });
    Step("a slur", [&] {
        ASSERT_TRUE(d.SelectNotes(0, 0, 3));
        d.Command(kSlur);
    });
    Step("a crescendo", [&] {
        ASSERT_TRUE(d.ClickNote(1, 0));
        d.Command(kCrescendo);
    });
    Step("an end repeat", [&] {
        ASSERT_TRUE(d.ClickBar(2));
        d.Command(kEndRepeat);
    });
    EndOfJourney(start);
}

TEST_F(ScriptedJourneyTest, ANewScoreInFiveEightWithThreeInstruments)
{
    d.NewScore({u"五八拍", 3, 5, 8});
    const bool metreAsked = d.UnansweredSteps() == 0;
    EXPECT_EQ(d.Editor().GetPartCount(), 3);
    const std::string start = d.SavedBytes();
    Step("five eighths in the first part", [&] { d.Type("kp4 1 2 3 4 5"); });
    Step("the next bar", [&] { d.Type("6 5 4 3 2"); });
    Step("the second part", [&] {
        ASSERT_TRUE(d.ClickBar(0));
        d.Type("Down");
        d.Type("kp4 5 5 5 5 5");
    });
    Screen(d.UndoAllAndRedoAll(start, d.SavedBytes()), "undo and redo of everything");
    EXPECT_TRUE(d.DrawnElementsTakePresses(false));
    EXPECT_TRUE(d.MidiExportHoldsTheScore());
    if (!metreAsked)
        GTEST_SKIP() << "the wizard's other time signature (\"I\") opens no dialog yet";
    const auto metre = d.Editor().score->FindTimeSignature(0);
    ASSERT_TRUE(metre.has_value());
    EXPECT_EQ(metre->beats, 5);
    EXPECT_EQ(metre->beatType, 8);
}

TEST_F(ScriptedJourneyTest, ASongLaidOutByHandIsSavedAndReopenedAsLaidOut)
{
    d.NewScore({u"手排", 1});
    Step("twelve bars", [&] {
        for (int bar = 0; bar < 12; ++bar)
            d.Type("1 2 3 4");
    });
    Step("three bars a line on every line", [&] {
        d.AnswerDialog([](platform::DialogBase& dialog) {
            dialog.SetDlgItemText(brindle::CBarsPerLineDlg::kIdBarsPerLine, u"3");
            dialog.CheckDlgButton(brindle::CBarsPerLineDlg::kIdCurrentLine, 0);
            dialog.CheckDlgButton(brindle::CBarsPerLineDlg::kIdAllLines, 1);
            dialog.ClickButton(platform::kIdOk);
        });
        d.Dialogs().AnswerMessageBox(platform::kIdYes);
        d.Command(cmd::kBarsPerLine);
    });
    Step("a line break after bar 2", [&] {
        ASSERT_TRUE(d.ClickBar(1));
        d.Command(cmd::kLineBreak);
    });
    Step("two lines a page", [&] {
        d.AnswerDialog([](platform::DialogBase& dialog) {
            JourneyDriver::FillAndOk(dialog, {{brindle::CLinesPerPageDlg::kIdLineCount, u"2"}});
        });
        d.Dialogs().AnswerMessageBox(platform::kIdYes);
        d.Command(cmd::kLinesOnPage);
    });
    Step("a bar made wider by its handle", [&] {
        d.Command(cmd::kShowBarWidthMarks);
        const auto bar = d.ShowBar(0);
        ASSERT_TRUE(bar);
        const quaverly::Rect r = shell_test::Placed(*bar);
        const QPoint handle = d.PagePixel({r.right, (r.top + r.bottom) / 2});
        d.DragPage(handle, handle + QPoint(60, 0));
        d.Command(cmd::kShowBarWidthMarks);
    });
    Step("a row moved down", [&] {
        d.Command(cmd::kShowLinePositionMarks);
        ASSERT_TRUE(d.ClickNote(3, 0));
        d.Type("Ctrl+Down Ctrl+Down");
        d.Command(cmd::kShowLinePositionMarks);
    });
    const auto file = d.Folder() / "手排.exl";
    Step("saved", [&] { ASSERT_TRUE(d.Save(file)); });
    const QImage before = d.ShownPage();
    const int page = d.View().CurrentPage();
    const std::string saved = d.SavedBytes();
    Step("opened again", [&] { ASSERT_TRUE(d.Open(file)); });
    EXPECT_TRUE(d.PageShownAsBefore(page, before)) << "the reopened document is not shown as it was saved";
    EXPECT_EQ(d.SavedBytes(), saved) << "saving after opening changes the file";
}

// The degrees of a bar's notes, and how many chord notes they carry in all.
std::pair<std::string, std::size_t> Degrees(JourneyDriver& d, int bar)
{
    std::string degrees;
    std::size_t chords = 0;
    if (const auto laidOut = d.ShowBar(bar))
        for (const auto& note : laidOut->GetNotes()) {
            degrees += std::to_string(note->GetPitchCode() - 1);
            chords += note->GetChordMembers().size();
        }
    return {degrees, chords};
}

TEST_F(ScriptedJourneyTest, TwoBarsWithChordsAndGraceNotesCopiedAndPasted)
{
    d.NewScore({u"复制", 1});
    const std::string start = d.SavedBytes();
    Step("a bar with grace notes", [&] { d.Type("G kp4 5 G 1 2 3 kp6 4"); });
    Step("a bar with chords", [&] { d.Type("1 Ctrl+3 Ctrl+5 2 Ctrl+4 kp6 3 Ctrl+5"); });
    Step("two empty bars", [&] { d.Type("0 0 0 0 0 0 0 0"); });
    Step("the two bars copied and pasted over the empty ones", [&] {
        ASSERT_TRUE(d.SelectBars(0, 1));
        d.Command(cmd::kEditCopy);
        ASSERT_TRUE(d.ClickBar(2));
        d.Command(cmd::kEditPaste);
    });
    EXPECT_EQ(Degrees(d, 2), Degrees(d, 0));
    EXPECT_EQ(Degrees(d, 3), Degrees(d, 1));
    EndOfJourney(start);
}

TEST_F(ScriptedJourneyTest, ANoteTypedBetweenTheTwoNotesOfATieAcrossALineBreak)
{
    d.NewScore({u"连音", 1});
    const std::string start = d.SavedBytes();
    Step("an eighth in the first bar", [&] { d.Type("kp4 1"); });
    Step("the same pitch in the second bar", [&] {
        ASSERT_TRUE(d.ClickBar(1));
        d.Type("kp5 1");
    });
    Step("a line break before the second bar", [&] {
        ASSERT_TRUE(d.ClickBar(1));
        d.Command(cmd::kLineBreak);
    });
    Step("the two tied", [&] {
        ASSERT_TRUE(d.ClickNote(0, 0));
        d.Type("L");
    });
    Step("a note typed after the first", [&] {
        ASSERT_TRUE(d.ClickNote(0, 0));
        d.Type("Right kp4 5");
    });
    Step("the page of the second bar", [&] { ASSERT_TRUE(d.ShowBar(1)); });
    EndOfJourney(start);
}

TEST_F(ScriptedJourneyTest, TypingWithABarSelectedChangesItsNotesAndEntersNone)
{
    d.NewScore({u"选小节", 1});
    const std::string start = d.SavedBytes();
    const int bars = d.Editor().GetBarCount();
    using Bar = std::pair<std::string, std::size_t>;
    Step("two bars", [&] { d.Type("1 2 3 4 5 6 7 1"); });
    Step("the first bar selected and 5 typed", [&] {
        ASSERT_TRUE(d.DoubleClickBar(0));
        d.Type("5");
    });
    EXPECT_EQ(Degrees(d, 0), (Bar{"5555", 0}));
    EXPECT_EQ(Degrees(d, 1), (Bar{"5671", 0}));
    Step("the block widened to the second bar and 6 typed", [&] {
        ASSERT_TRUE(d.ClickBar(1, Qt::ControlModifier));
        d.Type("6");
    });
    EXPECT_EQ(Degrees(d, 0), (Bar{"6666", 0}));
    EXPECT_EQ(Degrees(d, 1), (Bar{"6666", 0}));
    Step("the second bar alone selected by a double click and 3 typed", [&] {
        ASSERT_TRUE(d.DoubleClickBar(1));
        d.Type("3");
    });
    EXPECT_EQ(Degrees(d, 0), (Bar{"6666", 0}));
    EXPECT_EQ(Degrees(d, 1), (Bar{"3333", 0}));
    EXPECT_EQ(d.Editor().GetBarCount(), bars);
    // A press on a bar's space selects no note: it puts the cursor there, and a degree
    // typed where a note starts joins it as a chord note, once.
    Step("a note in the third bar", [&] {
        ASSERT_TRUE(d.ClickBar(2));
        d.Type("5");
    });
    Step("the cursor on it, its own degree typed twice and then 1", [&] {
        ASSERT_TRUE(d.ClickBar(2));
        ASSERT_EQ(d.Editor().cursor.timeInBar, 0);
        d.Type("5 5 1");
    });
    EXPECT_EQ(Degrees(d, 2), (Bar{"1", 1}));
    EndOfJourney(start);
}

TEST_F(ScriptedJourneyTest, EachKindOfElementDeletedAndUndone)
{
    d.NewScore({u"删除", 1});
    d.Type("1 2 3 4 kp4 5 6 7 1 kp5 2 3");
    ASSERT_TRUE(d.ClickNote(0, 0));
    d.Command(kMf);
    ASSERT_TRUE(d.ClickNote(0, 1));
    d.Command(32925);  // accent
    ASSERT_TRUE(d.ClickNote(0, 2));
    d.Command(kCrescendo);
    ASSERT_TRUE(d.SelectNotes(1, 0, 3));
    d.Command(kSlur);
    Lyrics(0, u"啊 啊 啊 啊 啊 啊 啊 啊");
    ASSERT_TRUE(d.ClickBar(1));
    d.Command(kEndRepeat);
    ASSERT_TRUE(d.Save(d.Folder() / "删除.exl"));
    const std::string full = d.SavedBytes();
    ASSERT_TRUE(d.ModifiedMarkIsRight());

    // Every element drawn on the page, one at a time: pressed, Delete, Undo.
    (void)d.ShownPage();
    const auto count = [&] { return shell_test::PageTargets(d.Editor(), true).size(); };
    const std::size_t elements = count();
    for (std::size_t i = 0; i < elements; ++i) {
        const auto targets = shell_test::PageTargets(d.Editor(), true);
        ASSERT_EQ(targets.size(), elements);
        const auto& target = targets[i];
        SCOPED_TRACE(target.name);
        const auto at = d.InkMiddle(JourneyDriver::DrawnBox(target));
        if (!at || target.name.rfind("bar", 0) == 0)
            continue;
        d.ClickPage(*at);
        const std::size_t before = d.UndoCount();
        d.Type("Del");
        EXPECT_TRUE(d.ModifiedMarkIsRight());
        EXPECT_TRUE(d.ScreenMatchesReopened());
        if (d.UndoCount() == before)
            continue;  // not deleted by the key (the title, a lyric)
        d.Undo();
        EXPECT_EQ(d.SavedBytes(), full) << "undo after deleting " << target.name;
        EXPECT_TRUE(d.ScreenMatchesReopened());
        d.Redo();
        EXPECT_TRUE(d.ScreenMatchesReopened());
        d.Undo();
    }
}

TEST_F(ScriptedJourneyTest, BarsAndPartsAddedAndDeletedAroundTiesTupletsAndLineMarks)
{
    d.NewScore({u"增删", 1});
    d.Type("1 2 3 5 5 kp4 1 2 3 kp5 4 5");
    ASSERT_TRUE(d.ClickNote(0, 3));
    d.Type("L");
    ASSERT_TRUE(d.SelectNotes(1, 1, 3));
    d.Type("T");
    ASSERT_TRUE(d.ClickNote(0, 1));
    d.Command(kCrescendo);
    const auto bars = [&](int position, int count) {
        d.AnswerDialog([position, count](platform::DialogBase& dialog) {
            JourneyDriver::FillAndOk(dialog, {{brindle::CBarCountDlg::kIdPosition, Number(position)},
                                              {brindle::CBarCountDlg::kIdCount, Number(count)}});
        });
    };
    Step("two bars added before bar 2", [&] {
        bars(2, 2);
        d.Command(cmd::kAddBars);
    });
    Step("a bar added at the start", [&] {
        bars(1, 1);
        d.Command(cmd::kAddBars);
    });
    Step("the added bars deleted", [&] {
        bars(1, 1);
        d.Command(cmd::kDeleteBars);
        bars(2, 2);
        d.Command(cmd::kDeleteBars);
    });
    // Adding and deleting bars cannot be undone: the history is empty after them.
    EXPECT_FALSE(d.Editor().CanUndo());
    const int parts = d.Editor().GetPartCount();
    Step("a part added", [&] {
        d.AnswerDialog([](platform::DialogBase& dialog) { dialog.ClickButton(platform::kIdOk); });
        d.Dialogs().AnswerMessageBox(platform::kIdYes);
        d.Command(cmd::kAddVoice);
    });
    EXPECT_EQ(d.Editor().GetPartCount(), parts + 1);
    Step("the part deleted", [&] {
        d.AnswerDialog([](platform::DialogBase& dialog) { dialog.ClickButton(platform::kIdOk); });
        d.Dialogs().AnswerMessageBox(platform::kIdYes);
        d.Command(cmd::kDeleteVoice);
    });
    EXPECT_EQ(d.Editor().GetPartCount(), parts);
    EXPECT_TRUE(d.DrawnElementsTakePresses());
    EXPECT_TRUE(d.MidiExportHoldsTheScore());
    EXPECT_TRUE(d.PlayStartsAtTheCursor(1));
    EXPECT_TRUE(d.PlaybackFollowsTheScore(1));
}

TEST_F(ScriptedJourneyTest, PageSetupAndZoomWhileEditing)
{
    d.NewScore({u"页面", 2});
    const std::string start = d.SavedBytes();
    Step("notes", [&] { d.Type("1 2 3 4 5 6 7 1"); });
    for (int zoom : {0, 5, 8, 3}) {
        Step("zoom " + std::to_string(zoom), [&] { d.SetZoomIndex(zoom); });
        Step("a note at zoom " + std::to_string(zoom), [&] {
            ASSERT_TRUE(d.ClickNote(1, -1));
            d.Type("Right kp4 3");
        });
    }
    Step("landscape with wide margins", [&] {
        d.AnswerDialog([](platform::DialogBase& dialog) {
            dialog.CheckDlgButton(brindle::CPageSetupDlg::kIdPortrait, 0);
            dialog.CheckDlgButton(brindle::CPageSetupDlg::kIdLandscape, 1);
            JourneyDriver::FillAndOk(dialog, {{brindle::CPageSetupDlg::kIdLeft, u"30"}, {brindle::CPageSetupDlg::kIdTop, u"30"}});
        });
        d.Command(cmd::kPageSetup);
    });
    Step("more notes", [&] { d.Type("End 5 5 6 6 5"); });
    Step("zoomed out", [&] { d.SetZoomIndex(1); });
    Screen(d.UndoAllAndRedoAll(start, d.SavedBytes()), "undo and redo of everything");
    EXPECT_TRUE(d.DrawnElementsTakePresses());
}

}  // namespace

TEST_F(ScriptedJourneyTest, BarsPastedOverTheLastBarAndRestsTypedAfter)
{
    d.NewScore({u"粘贴", 1});
    const std::string start = d.SavedBytes();
    const int bars = d.Editor().GetBarCount();
    Step("two bars of notes", [&] { d.Type("kp4 1 2 3 4 5 6 7 1 kp5 2 3 4 5"); });
    // Over the last bar the block runs past the end: one bar is added for it.
    for (const int at : {bars - 1, 3, 0}) {
        const std::string where = " at bar " + std::to_string(at);
        const auto first = Degrees(d, 0);
        const auto second = Degrees(d, 1);
        Step("the first two bars pasted" + where, [&] {
            ASSERT_TRUE(d.SelectBars(0, 1));
            d.Command(cmd::kEditCopy);
            ASSERT_TRUE(d.ClickBar(at));
            d.Command(cmd::kEditPaste);
        });
        EXPECT_EQ(Degrees(d, at), first) << where;
        EXPECT_EQ(Degrees(d, at + 1), second) << where;
        Step("a rest typed after the paste" + where, [&] { d.Type("0"); });
        Step("a half rest typed" + where, [&] { d.Type("kp6 0"); });
    }
    EXPECT_EQ(d.Editor().GetBarCount(), bars + 1);
    EndOfJourney(start);
}

namespace {

// The line-mark pieces drawn on the shown page.
std::vector<shell_test::Target> LineMarks(JourneyDriver& d)
{
    (void)d.ShownPage();
    std::vector<shell_test::Target> marks;
    const auto page = d.Editor().layout->GetChild(d.Editor().GetCurrentPage());
    for (int s = 0; page && s < page->GetChildCount(); ++s) {
        const auto line = page->GetChild(s);
        for (int t = 0; line && t < line->GetChildCount(); ++t)
            if (const auto row = std::dynamic_pointer_cast<quaverly::TrackNode>(line->GetChild(t)))
                for (const auto& view : row->GetLineMarkViews())
                    marks.push_back({"line mark", view, shell_test::Placed(*view)});
    }
    return marks;
}

TEST_F(ScriptedJourneyTest, AShortCrescendoIsSelectedByAPressOnItsInk)
{
    d.NewScore({u"渐强", 1});
    const std::string start = d.SavedBytes();
    Step("a note", [&] { d.Type("kp4 5"); });
    Step("a crescendo", [&] { d.Command(kCrescendo); });
    const auto marks = LineMarks(d);
    ASSERT_EQ(marks.size(), 1u);
    const auto at = d.InkMiddle(JourneyDriver::DrawnBox(marks.front()));
    ASSERT_TRUE(at);
    d.ClickPage(*at);
    const auto after = LineMarks(d);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after.front().element->GetState(), quaverly::element_state::kSelected);
    // Every element, the crescendo too, is taken by a press on its ink and drawn selected.
    EXPECT_TRUE(d.DrawnElementsTakePresses());
    EXPECT_TRUE(d.UndoAllAndRedoAll(start, d.SavedBytes()));
}

TEST_F(ScriptedJourneyTest, ACrescendoAboveLyricsDeletedAndUndone)
{
    d.NewScore({u"渐强歌词", 1});
    const std::string start = d.SavedBytes();
    Step("four notes", [&] { d.Type("1 2 3 4"); });
    Step("their lyrics", [&] { Lyrics(0, u"一 二 三 四"); });
    Step("a crescendo", [&] {
        ASSERT_TRUE(d.ClickNote(0, 1));
        d.Command(kCrescendo);
    });
    // The lyrics make room for the wedge; without it they move up again.
    Step("the crescendo pressed and deleted", [&] {
        const auto marks = LineMarks(d);
        ASSERT_EQ(marks.size(), 1u);
        const auto at = d.InkMiddle(JourneyDriver::DrawnBox(marks.front()));
        ASSERT_TRUE(at);
        d.ClickPage(*at);
        d.Type("Del");
        EXPECT_TRUE(LineMarks(d).empty());
    });
    Step("undo", [&] { d.Undo(); });
    Step("redo", [&] { d.Redo(); });
    EXPECT_TRUE(d.UndoAllAndRedoAll(start, d.SavedBytes()));
}

TEST_F(ScriptedJourneyTest, ACrescendoDraggedFromOverTheLyricsOfOneLineToTheNext)
{
    d.NewScore({u"渐强换行", 1});
    const std::string start = d.SavedBytes();
    Step("two bars on each of two lines", [&] {
        d.Type("1 2 3 4 5 6 7 1 1 2 3 4 5 6 7 1");
        ASSERT_TRUE(d.ClickBar(2));
        d.Command(cmd::kLineBreak);
    });
    Step("their lyrics", [&] { Lyrics(0, u"一 二 三 四 五 六 七 八 一 二 三 四 五 六 七 八"); });
    Step("a crescendo on the first line", [&] {
        ASSERT_TRUE(d.ClickNote(0, 1));
        d.Command(kCrescendo);
    });
    // The lyrics of a line make room for a wedge over them and move up again when it
    // leaves; the drag runs past the end of the first line, which puts the start of the
    // crescendo at the start of the second.
    Step("the crescendo dragged onto the second line", [&] {
        const auto marks = LineMarks(d);
        ASSERT_EQ(marks.size(), 1u);
        const auto at = d.InkMiddle(JourneyDriver::DrawnBox(marks.front()));
        ASSERT_TRUE(at);
        const auto lastOfLine = d.ShowBar(1);
        ASSERT_TRUE(lastOfLine);
        const int lineEnd = d.PagePixel({shell_test::Placed(*lastOfLine).right, 0}).x();
        const std::size_t before = d.UndoCount();
        d.DragPage(*at, {lineEnd + 40, at->y()});
        EXPECT_EQ(d.UndoCount(), before + 1);
        // Its start now lies at the end of the line's last bar or later.
        const auto mark = std::dynamic_pointer_cast<quaverly::LineMarkView>(marks.front().element)->GetLineMark();
        ASSERT_TRUE(mark);
        const bool atLineEnd =
            mark->GetBar() == 1 && mark->GetTimePosition() >= quaverly::GetBarTimeLength(*lastOfLine);
        EXPECT_TRUE(mark->GetBar() >= 2 || atLineEnd) << "bar " << mark->GetBar() << " at " << mark->GetTimePosition();
    });
    Step("undo", [&] { d.Undo(); });
    Step("redo", [&] { d.Redo(); });
    EXPECT_TRUE(d.UndoAllAndRedoAll(start, d.SavedBytes()));
}

// Two line breaks, two bars pasted over bars of the last line and a decrescendo at the
// cursor the paste left there. Undoing the line breaks drops the last line and redoing
// them makes a new one: the decrescendo redone is drawn on that new line.
TEST_F(ScriptedJourneyTest, ADecrescendoAfterBarsPastedOnTheLastLineUndoneAndRedone)
{
    d.NewScore({u"渐弱", 1});
    const std::string start = d.SavedBytes();
    for (const int bar : {9, 2})
        Step("a line break at bar " + std::to_string(bar), [&] {
            ASSERT_TRUE(d.ClickBar(bar));
            d.Command(cmd::kLineBreak);
        });
    Step("bars 7-8 pasted at bar 12", [&] {
        ASSERT_TRUE(d.SelectBars(7, 8));
        d.Command(cmd::kEditCopy);
        ASSERT_TRUE(d.ClickBar(12));
        d.Command(cmd::kEditPaste);
    });
    Step("a decrescendo", [&] { d.Command(kDecrescendo); });
    EXPECT_TRUE(d.UndoAllAndRedoAll(start, d.SavedBytes()));
}

}  // namespace
