// The whole program as a user meets it, offscreen, with the engine's editor, the real
// player and the shipped data (a copy): the wizard's other time signature, a document's
// own tempo, Record on the toolbar and in the menu, playing from the cursor and following
// the music onto the next page, the guide line while playing, two running copies and their
// autosave files, closing while the free-text tool holds typed text, and the lock-key lights.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QImage>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/dialogs/beat_dlg.h"
#include "app/dialogs/new_score_wizard.h"
#include "app/dialogs/wizard_key_tempo_page.h"
#include "app/shell/app_context.h"
#include "app/shell/command_ids.h"
#include "app/shell/document_loader.h"
#include "app/shell/mouse_tool.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/layout_root.h"
#include "engine/layout/system_node.h"
#include "engine/model/element_path.h"
#include "midi/meter_map.h"
#include "platform/command_manager.h"
#include "platform/lock_keys.h"
#include "program_fixture.h"
#include "score_documents.h"
#include "scoredata/score_data.h"
#include "tests/support/specimen_folder.h"

namespace {

namespace fs = std::filesystem;
using brindle::CBrindleView;
using shell_test::Pump;
using shell_test::PumpUntil;

class ProgramWiringTest : public shell_test::ProgramTest {
protected:
    platform::CommandManager& Commands() { return app_->GetMainWnd()->Commands(); }
    quaverly::ScoreEditor& Engine() { return *static_cast<quaverly::ScoreEditor*>(View()->Editor()); }

    // A saved score of one part with `bars` bars of quarter notes.
    fs::path WriteBars(int bars, int tempo = 96)
    {
        shell_test::ScoreDocument document;
        document.tempo = tempo;
        for (int i = 0; i < bars * 4; ++i)
            document.melody.push_back({1 + i % 7, 0});
        const fs::path file = folder_.Path() / ("bars" + std::to_string(bars) + "_" + std::to_string(tempo) + ".exl");
        EXPECT_TRUE(shell_test::WriteScoreDocument(file, document));
        return file;
    }

    // Where score bar `bar` lies: its page and the middle of its first staff, in score units.
    struct BarPlace {
        int page = -1;
        quaverly::Point middle{};
    };
    BarPlace PlaceOf(int bar)
    {
        quaverly::ScoreEditor& engine = Engine();
        for (int p = 0; p < engine.layout->GetChildCount(); ++p) {
            const auto page = engine.layout->GetChild(p);
            for (int l = 0; page && l < page->GetChildCount(); ++l) {
                const auto line = std::dynamic_pointer_cast<quaverly::SystemNode>(page->GetChild(l));
                if (!line || bar < line->GetBarRange().first || bar >= line->GetBarRange().end)
                    continue;
                const auto view = quaverly::GetElementAtPath4(*engine.layout, p, l, 0, bar - line->GetBarRange().first);
                if (!view)
                    return {};
                const quaverly::Rect r = view->GetRect().Moved(view->GetAbsolutePoint());
                return {p, {(r.left + r.right) / 2, (r.top + r.bottom) / 2}};
            }
        }
        return {};
    }

    // A click of the selection tool where a score point is shown.
    void ClickAt(quaverly::Point point)
    {
        const platform::Point at = View()->ScoreToWindow(point.x, point.y);
        QWidget* viewport = View()->viewport();
        const QPointF local(at.x, at.y);
        const QPointF global = viewport->mapToGlobal(local);
        QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &release);
    }

    // The tick at which a bar begins in the song the player plays.
    int TickOfBar(int bar, int timeInBar = 0)
    {
        const midi::MidiData* song = brindle::AppContext::Instance()->GetMidiData();
        midi::MeterMap meters;
        meters.Build(song->GetMeters(), song->GetDivision());
        return meters.BarPositionToTick(bar, timeInBar);
    }

    QString PositionShown() { return app_->GetMainWnd()->PositionDisplay()->text(); }

    void Paint() { (void)View()->viewport()->grab(); }
};

std::string ReadAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// ---- a new score in another metre ----------------------------------------------------

TEST_F(ProgramWiringTest, ANewScoreComesOutInTheTimeSignatureChosenWithI)
{
    struct Case {
        int beats;
        int beatType;
    };
    for (const Case c : {Case{5, 8}, Case{7, 4}}) {
        SCOPED_TRACE(testing::Message() << c.beats << "/" << c.beatType);
        dialogs_.AnswerModal([this, c](platform::DialogBase& dialog) {
            auto& wizard = static_cast<brindle::CNewScoreWizard&>(dialog);
            wizard.ClickButton(brindle::CNewScoreWizard::kIdNext);
            wizard.ClickButton(brindle::CNewScoreWizard::kIdNext);
            // "I" runs the time-signature dialog, which takes the next step.
            dialogs_.AnswerModal([c](platform::DialogBase& beat) {
                ASSERT_NE(dynamic_cast<brindle::CBeatDlg*>(&beat), nullptr);
                beat.SetDlgItemText(brindle::CBeatDlg::kIdBeatsBox, QString::number(c.beats).toStdU16String());
                beat.SetDlgItemText(brindle::CBeatDlg::kIdBeatTypeBox, QString::number(c.beatType).toStdU16String());
                beat.ClickButton(platform::kIdOk);
            });
            wizard.GetPage(2)->Control<QAbstractButton>(brindle::CWizardKeyTempoPage::kIdOtherBeat)->click();
            wizard.ClickButton(platform::kIdOk);
        });
        if (View()->IsModified())
            dialogs_.AnswerMessageBox(platform::kIdNo);  // the previous case's new score is not kept
        ASSERT_TRUE(Commands().Execute(brindle::cmd::kFileNew));
        EXPECT_EQ(dialogs_.PendingSteps(), 0u);
        Paint();
        const brindle::ScoreDataPtr score = brindle::ExportScore(*View()->Editor());
        ASSERT_TRUE(score);
        ASSERT_FALSE(score->GetMeters().empty());
        EXPECT_EQ(score->GetMeters().front().bar, 0);
        EXPECT_EQ(score->GetMeters().front().numerator, c.beats);
        EXPECT_EQ(score->GetMeters().front().denominator, c.beatType);
    }
}

// ---- tempo ---------------------------------------------------------------------------

// A tempo outside the slider's range is shown, played and saved as the document has it.
TEST_F(ProgramWiringTest, ADocumentsTempoIsShownAndSavedAsItIs)
{
    for (const int tempo : {30, 300, 120}) {
        SCOPED_TRACE(tempo);
        const fs::path file = WriteBars(2, tempo);
        ASSERT_TRUE(Open(file));
        ASSERT_TRUE(PumpUntil([&] { return app_->GetMainWnd()->TempoNumber()->text() == QString::number(tempo); }));
        Pump();
        EXPECT_EQ(View()->CurrentTempo(), tempo);
        EXPECT_FALSE(View()->IsModified());
        ASSERT_TRUE(View()->OnFileSave());
        EXPECT_NE(ReadAll(file).find("tempo=\"" + std::to_string(tempo) + "\""), std::string::npos);
        ASSERT_TRUE(Open(file));
        Pump();
        EXPECT_EQ(View()->CurrentTempo(), tempo);
    }
}

// ---- Record --------------------------------------------------------------------------

TEST_F(ProgramWiringTest, RecordIsOnThePlaybackToolbarAndInThePlayMenu)
{
    ASSERT_TRUE(Open(WriteBars(2)));
    brindle::CMainFrame* frame = app_->GetMainWnd();
    QAction* record = Commands().Action(brindle::cmd::kRecord);
    ASSERT_NE(record, nullptr);
    QToolBar* playback = frame->FindToolBar(0xE804);
    ASSERT_NE(playback, nullptr);
    EXPECT_TRUE(playback->actions().contains(record));
    QMenu* play = nullptr;
    for (QAction* item : frame->menuBar()->actions())
        if (item->text() == QStringLiteral("播放(&P)"))
            play = item->menu();
    ASSERT_NE(play, nullptr);
    EXPECT_TRUE(play->actions().contains(record));
    EXPECT_EQ(record->text(), QStringLiteral("录　音(&R)"));

    // Each way in starts recording; Stop ends it.
    for (QWidget* where : {static_cast<QWidget*>(playback), static_cast<QWidget*>(play)}) {
        SCOPED_TRACE(where->objectName().toStdString());
        Commands().Update(brindle::cmd::kRecord);  // as the idle update does
        ASSERT_TRUE(record->isEnabled());
        record->trigger();
        EXPECT_TRUE(View()->IsRecording());
        Commands().Update(brindle::cmd::kRecord);
        EXPECT_TRUE(record->isChecked());
        ASSERT_TRUE(Commands().Execute(brindle::cmd::kStop));
        EXPECT_FALSE(View()->IsRecording());
    }
}

// ---- playing from the cursor -----------------------------------------------------------

TEST_F(ProgramWiringTest, PlayStartsAtTheBarTheCursorWasPutOn)
{
    ASSERT_TRUE(Open(WriteBars(8)));
    Paint();
    // Played once from the start, so that the last stop has left its own position.
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kPlay));
    ASSERT_TRUE(View()->IsPlaying());
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kStop));
    Pump();

    const BarPlace fifth = PlaceOf(4);
    ASSERT_EQ(fifth.page, 0);
    ClickAt(fifth.middle);
    Pump();
    ASSERT_EQ(View()->Editor()->GetCursorBarIndex(), 4);
    // The click put the cursor inside the bar, past its first note: playback starts there,
    // not at the bar line.
    const int time = View()->Editor()->GetCursorTimeInBar();
    EXPECT_GT(time, 0);
    EXPECT_TRUE(PositionShown().startsWith(QStringLiteral("5:"))) << PositionShown().toStdString();
    EXPECT_NE(PositionShown(), QStringLiteral("5:1"));
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kPlay));
    EXPECT_TRUE(View()->IsPlaying());
    EXPECT_EQ(View()->PlayStartTick(), TickOfBar(4, time));
    EXPECT_GT(View()->PlayStartTick(), TickOfBar(4));
    EXPECT_LT(View()->PlayStartTick(), TickOfBar(5));
    // Stopped later in that bar, the same click starts it again from the same place.
    PumpUntil([] { return false; }, 400);
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kStop));
    Pump();
    ClickAt(fifth.middle);
    Pump();
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kPlay));
    EXPECT_EQ(View()->PlayStartTick(), TickOfBar(4, time));
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kStop));
    Pump();

    // A cursor key that takes the cursor to another bar moves the start with it.
    const int before = View()->Editor()->GetCursorBarIndex();
    for (int i = 0; i < 12 && View()->Editor()->GetCursorBarIndex() == before; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(View(), &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(View(), &release);
        Paint();
        Pump();
    }
    const int moved = View()->Editor()->GetCursorBarIndex();
    ASSERT_NE(moved, before);
    EXPECT_EQ(PositionShown(), QStringLiteral("%1:1").arg(moved + 1));
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kPlay));
    EXPECT_EQ(View()->PlayStartTick(), TickOfBar(moved));
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kStop));
}

// The real player at the highest speed the slider gives, started on the last bar of the
// first page: the view turns to the second page while the music plays.
TEST_F(ProgramWiringTest, WhilePlayingTheViewFollowsTheMusicOntoTheNextPage)
{
    ASSERT_TRUE(Open(WriteBars(60)));
    Paint();
    ASSERT_GE(View()->Editor()->GetLastPageIndex(), 2);
    int last = 0;
    while (PlaceOf(last + 1).page == 0)
        ++last;
    ClickAt(PlaceOf(last).middle);
    Pump();
    app_->GetMainWnd()->TempoSlider()->setValue(250);
    Pump();
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kPlay));
    ASSERT_TRUE(View()->IsPlaying());
    EXPECT_EQ(View()->CurrentPage(), 0);
    ASSERT_TRUE(PumpUntil([&] { return View()->CurrentPage() == 1; }, 8000));
    EXPECT_TRUE(View()->IsPlaying());
    EXPECT_EQ(View()->Editor()->GetCurrentPage(), 1);
    EXPECT_EQ(View()->ScrollY(), 0);
    // The window as the user sees it while the second page plays.
    View()->resize(900, 700);
    Pump();
    (void)View()->viewport()->grab();
    const QImage shown = View()->viewport()->grab().toImage();
    EXPECT_TRUE(shown.save(QString::fromStdString((test_support::SpecimenFolder() / "playing_second_page.png").string())));
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kStop));
    EXPECT_EQ(View()->CurrentPage(), 1);
}

// While playing a score with sung words, the guide line that follows the music stands in
// the line being played and stops above the next line's notes.
TEST_F(ProgramWiringTest, WhilePlayingTheGuideLineStaysInTheLineBeingPlayed)
{
    ASSERT_TRUE(Open(WriteBars(8)));
    View()->resize(900, 1000);
    Paint();
    std::vector<std::u16string> words;
    for (int i = 0; i < 32; ++i)
        words.push_back(i % 2 == 0 ? u"一" : u"闪");
    View()->Editor()->SetLyrics(0, 0, words);
    Paint();
    Pump();
    ASSERT_EQ(View()->Editor()->GetLyrics(0, 0), words);

    // The first line on the page and the row of the line after it.
    quaverly::ScoreEditor& engine = Engine();
    const auto page = engine.layout->GetChild(0);
    ASSERT_NE(page, nullptr);
    int first = -1;
    for (int l = 0; l < page->GetChildCount() && first < 0; ++l) {
        const auto line = std::dynamic_pointer_cast<quaverly::SystemNode>(page->GetChild(l));
        if (line && line->GetBarRange().first == 0 && line->GetBarRange().end > 0)
            first = l;
    }
    ASSERT_GE(first, 0);
    const auto firstRow = quaverly::GetElementAtPath3(*engine.layout, 0, first, 0);
    const auto nextRow = quaverly::GetElementAtPath3(*engine.layout, 0, first + 1, 0);
    ASSERT_NE(firstRow, nullptr);
    ASSERT_NE(nextRow, nullptr);

    app_->GetMainWnd()->TempoSlider()->setValue(40);
    Pump();
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kPlay));
    ASSERT_TRUE(View()->IsPlaying());
    Pump();
    Paint();
    const QImage playing = View()->viewport()->grab().toImage();
    ASSERT_TRUE(View()->IsPlaying());
    const int scrollY = View()->ScrollY();
    ASSERT_TRUE(Commands().Execute(brindle::cmd::kStop));

    // The guide line is the column with the longest blue run in the window: from the
    // first line's row down, and above the next line's row.
    const int firstTop = View()->ScoreToWindow(0, firstRow->GetChildOrigin().y).y - scrollY;
    const int nextTop = View()->ScoreToWindow(0, nextRow->GetChildOrigin().y).y - scrollY;
    const auto blue = [&](int x, int y) {
        const QRgb c = playing.pixel(x, y);
        return qBlue(c) > qRed(c) + 60 && qBlue(c) > qGreen(c) + 60;
    };
    int highest = -1;
    int lowest = -1;
    for (int x = 0; x < playing.width(); ++x) {
        int start = -1;
        for (int y = 0; y <= playing.height(); ++y) {
            const bool ink = y < playing.height() && blue(x, y);
            if (ink && start < 0)
                start = y;
            if (!ink && start >= 0) {
                if (y - 1 - start > lowest - highest) {
                    highest = start;
                    lowest = y - 1;
                }
                start = -1;
            }
        }
    }
    ASSERT_GE(lowest, 0) << "no guide line was drawn";
    EXPECT_GE(highest, firstTop - 2);
    EXPECT_GT(lowest - highest, 10) << "the line is missing its row's notes";
    EXPECT_LT(lowest, nextTop);
}

// ---- two running copies ----------------------------------------------------------------

// A second copy of the program, started while this one runs on the same data folder:
// a view of its own over an editor of its own.
struct SecondCopy {
    explicit SecondCopy(const fs::path& data)
    {
        view.UseEditor(editor);
        view.SetDataFolder(brindle::PathText(data));
        view.resize(800, 600);
        view.Create();
        view.InitialUpdate();
        Pump();
    }
    ~SecondCopy()
    {
        view.WaitForDocumentWorker();
        view.UseEditor(nullptr);
        quaverly::api::DestroyEditor(editor);
    }
    quaverly::api::ScoreEditor* editor = create_quaverly_editor();
    CBrindleView view;
};

TEST_F(ProgramWiringTest, TwoRunningCopiesKeepToTheirOwnAutosaveFiles)
{
    ASSERT_TRUE(Open(WriteBars(2)));
    const fs::path first = View()->AutosavePath();
    EXPECT_EQ(first, data_ / "~autosave.exl");
    View()->SendMessage(brindle::msg::kAutosave);
    ASSERT_TRUE(fs::exists(first));
    const std::size_t questions = dialogs_.MessageBoxes().size();
    {
        // Its start-up offers nothing: the first copy's file is live.
        SecondCopy second(data_);
        EXPECT_EQ(dialogs_.MessageBoxes().size(), questions);
        const fs::path own = second.view.AutosavePath();
        EXPECT_NE(own, first);
        EXPECT_EQ(own.parent_path(), data_);
        // The lock names the process that holds it.
        EXPECT_EQ(ReadAll(data_ / "~autosave.lock"), std::to_string(::getpid()) + "\n");
        // Ending normally removes its own file only.
        ASSERT_TRUE(second.view.OpenScoreFile(brindle::PathText(WriteBars(3))));
        ASSERT_TRUE(PumpUntil([&] { return second.view.HasScore() && !second.view.m_bLoading; }, 15000));
        second.view.SendMessage(brindle::msg::kAutosave);
        EXPECT_TRUE(fs::exists(own));
        second.view.SendMessage(platform::kWmClose);
        EXPECT_FALSE(fs::exists(own));
        EXPECT_TRUE(fs::exists(first));
    }
    // The first copy ends without closing (as if killed): the next copy to start takes
    // its place and offers its file back.
    app_->ExitInstance();
    app_.reset();
    ASSERT_TRUE(fs::exists(first));
    dialogs_.AnswerMessageBox(platform::kIdNo);
    SecondCopy next(data_);
    ASSERT_EQ(dialogs_.MessageBoxes().size(), questions + 1);
    EXPECT_EQ(dialogs_.MessageBoxes().back().text, u"上一次程序非正常退出，是否需要打开程序为你自动保存的文件");
    EXPECT_EQ(next.view.AutosavePath(), first);
}

// ---- closing with typed free text --------------------------------------------------------

TEST_F(ProgramWiringTest, ClosingWhileTheFreeTextToolHoldsTextLeavesNothingModified)
{
    const fs::path file = WriteBars(2);
    struct Case {
        const char* what;
        int answer;  // to the question about the typed text
        int command;
    };
    for (const Case c : {Case{"close, not saved", platform::kIdNo, brindle::cmd::kFileClose},
                         Case{"new score in its place", platform::kIdNo, brindle::cmd::kFileNew},
                         Case{"close, saved", platform::kIdYes, brindle::cmd::kFileClose}}) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Open(file));
        Paint();
        ASSERT_FALSE(View()->IsModified());
        ASSERT_TRUE(Commands().Execute(brindle::cmd::kFreeTextTool));
        ASSERT_EQ(View()->CurrentToolKey(), brindle::kFreeTextTool);
        // A frame drawn on the page and text typed into it.
        const platform::Rect content = View()->ContentRect();
        QWidget* viewport = View()->viewport();
        const QPointF from(content.left + 40, content.top + 300);
        const QPointF to(content.left + 240, content.top + 360);
        QMouseEvent press(QEvent::MouseButtonPress, from, viewport->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &press);
        QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, to, viewport->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(viewport, &release);
        View()->FreeTextEdit()->setPlainText(QStringLiteral("献给母亲"));
        Pump();

        // The typed text counts: the user is asked about it.
        const std::size_t before = dialogs_.MessageBoxes().size();
        dialogs_.AnswerMessageBox(c.answer);
        if (c.command == brindle::cmd::kFileNew)
            dialogs_.AnswerModal([](platform::DialogBase& wizard) { wizard.ClickButton(platform::kIdOk); });
        ASSERT_TRUE(Commands().Execute(c.command));
        ASSERT_EQ(dialogs_.MessageBoxes().size(), before + 1);
        Pump();
        Paint();
        Pump();
        EXPECT_TRUE(View()->FreeTextEdit()->toPlainText().isEmpty());
        // Saved, the text is in the file; not saved, the file is as it was.
        EXPECT_EQ(ReadAll(file).find("page-any-text") != std::string::npos, c.answer == platform::kIdYes);
        if (c.command == brindle::cmd::kFileClose) {
            // Nothing left to save: a new score asks nothing.
            EXPECT_FALSE(View()->IsModified());
            dialogs_.AnswerModal([](platform::DialogBase& wizard) { wizard.ClickButton(platform::kIdCancel); });
            ASSERT_TRUE(Commands().Execute(brindle::cmd::kFileNew));
            EXPECT_EQ(dialogs_.MessageBoxes().size(), before + 1);
        } else {
            EXPECT_TRUE(View()->HasScore());
            EXPECT_EQ(View()->CurrentToolKey(), brindle::kSelectTool);
        }
        EXPECT_EQ(dialogs_.PendingSteps(), 0u);
    }
}

// ---- the lock-key lights -------------------------------------------------------------------

TEST_F(ProgramWiringTest, TheStatusBarLightsFollowTheLockKeys)
{
    QStatusBar* bar = app_->GetMainWnd()->statusBar();
    struct Case {
        Qt::Key key;
        const char* pane;
    };
    for (const Case c : {Case{Qt::Key_CapsLock, "pane59137"}, Case{Qt::Key_NumLock, "pane59138"},
                         Case{Qt::Key_ScrollLock, "pane59139"}}) {
        SCOPED_TRACE(c.pane);
        QLabel* pane = bar->findChild<QLabel*>(QString::fromLatin1(c.pane));
        ASSERT_NE(pane, nullptr);
        const bool was = pane->isEnabled();
        for (const bool on : {!was, was}) {
            QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
            QApplication::sendEvent(View(), &press);
            QKeyEvent release(QEvent::KeyRelease, c.key, Qt::NoModifier);
            QApplication::sendEvent(View(), &release);
            EXPECT_EQ(pane->isEnabled(), on);
        }
    }
}

}  // namespace
