// The view's listeners and input queue with a recording editor: notices and MIDI input
// arrive as posted copies on the window's thread, typed notes and chords go into the
// editor one at a time, and nothing reaches the editor while a document loads.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include <filesystem>
#include <thread>

#include "../../platform/temp_folder.h"
#include "app/dialogs/score_text_edit.h"
#include "app/painter/editable_text_item.h"
#include "platform/private_profile.h"
#include "platform/text_encoding.h"
#include "view_input_fixture.h"

namespace view_input_test {
namespace {

using brindle::DeferredNoteInput;
using brindle::kMidiInData;
using brindle::MidiInMessage;

std::uint32_t NoteOn(int key, int velocity, int channel = 0)
{
    return static_cast<std::uint32_t>(0x90 | channel) | static_cast<std::uint32_t>(key << 8) |
           static_cast<std::uint32_t>(velocity << 16);
}

std::uint32_t NoteOff(int key, int channel = 0)
{
    return static_cast<std::uint32_t>(0x80 | channel) | static_cast<std::uint32_t>(key << 8) | (64u << 16);
}

void Play(brindle::ViewMidiInListener& listener, std::uint32_t message)
{
    const MidiInMessage record{kMidiInData, message, 0};
    listener.OnMidiIn(&record);
}

TEST_F(ViewInputTest, SetUpRegistersTheEditorListenerAndTeardownRemovesIt)
{
    ASSERT_NE(view_->EditorListenerAdapter(), nullptr);
    EXPECT_EQ(editor_.listener, view_->EditorListenerAdapter());
    view_.reset();
    EXPECT_EQ(editor_.listener, nullptr);
}

TEST_F(ViewInputTest, TypedNotesGoInOneAtATimeEachAfterTheLastOnesCommandsRan)
{
    ShowScore();
    // Three notes typed before the window gets to do anything.
    for (int degree : {2, 3, 4}) {
        view_->OnCommand(degree == 2 ? 146 : degree == 3 ? 150 : 154);
        view_->QueueNoteInput();
    }
    EXPECT_EQ(view_->QueuedInputCount(), 3u);
    EXPECT_TRUE(editor_.calls.empty());
    Settle();
    const std::vector<std::string> expected = {"InputNote 2 0 161280 0 0 0 0", "Run", "InputNote 3 0 161280 0 0 0 0",
                                               "Run", "InputNote 4 0 161280 0 0 0 0", "Run"};
    std::vector<std::string> seen;
    for (const auto& c : editor_.calls)
        if (c == "Run" || c.rfind("InputNote", 0) == 0)
            seen.push_back(c);
    // Runs without input between may come from other repaints; no two notes meet.
    std::vector<std::string> compact;
    for (const auto& c : seen)
        if (!(c == "Run" && !compact.empty() && compact.back() == "Run"))
            compact.push_back(c);
    EXPECT_EQ(compact, expected);
    EXPECT_EQ(view_->QueuedInputCount(), 0u);
}

TEST_F(ViewInputTest, AnInputThatAsksForNoRenderStillLetsTheNextOneIn)
{
    ShowScore();
    editor_.reportInput = false;
    view_->QueueNoteInput();
    view_->QueueNoteInput();
    Settle();
    EXPECT_EQ(editor_.Calls("InputNote").size(), 2u);
    EXPECT_EQ(view_->QueuedInputCount(), 0u);
    EXPECT_FALSE(view_->IsEditorBusy());
}

TEST_F(ViewInputTest, OnlyARunAfterTheHandOffReleasesTheQueue)
{
    ShowScore();
    // A run reported before the note went in (a paint for something else) is still on
    // its way when the note is handed over: it must not let the second note in.
    editor_.Send(code::PendingCommandsRun);
    view_->hide();  // no paint runs the note's commands meanwhile
    view_->QueueInput(std::make_shared<DeferredNoteInput>(2, 0, 161280, 0, 0, 0, 0));
    view_->QueueInput(std::make_shared<DeferredNoteInput>(3, 0, 161280, 0, 0, 0, 0));
    view_->RunNextQueuedInput();
    ASSERT_TRUE(view_->IsEditorBusy());
    shell_test::Pump();  // the old run's copy, then the second 0x60A
    EXPECT_TRUE(view_->IsEditorBusy());
    EXPECT_EQ(editor_.Calls("InputNote").size(), 1u);
    view_->show();
    Settle();
    EXPECT_EQ(editor_.Calls("InputNote").size(), 2u);
}

TEST_F(ViewInputTest, QueueDoesNothingWhileBusyEmptyWithoutScoreOrLoading)
{
    view_->QueueNoteInput();  // no score yet
    EXPECT_EQ(view_->QueuedInputCount(), 0u);
    ShowScore();
    view_->RunNextQueuedInput();  // empty queue
    EXPECT_TRUE(editor_.calls.empty());

    view_->m_bLoading = true;
    view_->QueueNoteInput();
    EXPECT_EQ(view_->QueuedInputCount(), 0u);
    view_->m_bLoading = false;

    view_->QueueNoteInput();
    view_->m_bLoading = true;
    shell_test::Pump();
    EXPECT_TRUE(editor_.Calls("InputNote").empty());
    view_->m_bLoading = false;
    view_->hide();
    view_->RunNextQueuedInput();
    EXPECT_EQ(editor_.Calls("InputNote").size(), 1u);
    view_->QueueNoteInput();
    shell_test::Pump();  // busy until a paint runs the first note's commands
    EXPECT_EQ(editor_.Calls("InputNote").size(), 1u);
    view_->show();
    Settle();
    EXPECT_EQ(editor_.Calls("InputNote").size(), 2u);
}

TEST_F(ViewInputTest, NoticesFromAnotherThreadArriveAsCopiesOnTheWindowThread)
{
    ShowScore();
    const int before = view_->PendingRenders();
    quaverly::NoticePosition page{1, 0, 0, 4, 0};
    std::thread worker([&] {
        editor_.listener->Notify(quaverly::EditorNotice{code::ContentChanged});
        editor_.listener->Notify(quaverly::EditorNotice{code::PageChanged, nullptr, nullptr, &page});
    });
    worker.join();
    // Nothing of the view ran on the worker: the copies wait for the window's thread.
    EXPECT_EQ(view_->PendingRenders(), before);
    EXPECT_EQ(view_->CurrentPage(), 0);
    shell_test::Pump();
    EXPECT_GT(view_->PendingRenders(), before);
    EXPECT_EQ(view_->CurrentPage(), 1);
    EXPECT_EQ(editor_.Calls("SetCurrentPage"), std::vector<std::string>{"SetCurrentPage 1"});
}

TEST_F(ViewInputTest, PageNoticeForThePageShownChangesNothingButThePlayStart)
{
    ShowScore();
    quaverly::NoticePosition same{0, 1, 0, 2, 0};
    editor_.listener->Notify(quaverly::EditorNotice{code::PageChanged, nullptr, nullptr, &same});
    shell_test::Pump();
    EXPECT_TRUE(editor_.Calls("SetCurrentPage").empty());
}

TEST_F(ViewInputTest, CursorNoticeShowsBarAndBeatCountedFromOne)
{
    ShowScore();
    // Bar 3 (index 2) at the second beat of 4/4.
    quaverly::NoticePosition at{0, 1, 0, 2, 161280};
    editor_.listener->Notify(quaverly::EditorNotice{code::CursorPositionChanged, nullptr, nullptr, &at});
    shell_test::Pump();
    ASSERT_FALSE(posted_.empty());
    EXPECT_EQ(posted_.back().id, brindle::msg::kShowPosition);
    EXPECT_EQ(posted_.back().w, 3);
    EXPECT_EQ(posted_.back().l, 2);
}

TEST_F(ViewInputTest, CaretBelowTheWindowScrollsItIntoView)
{
    ShowScore();
    ASSERT_TRUE(view_->IsScrollBarShown(platform::kSbVert));
    EXPECT_EQ(view_->ScrollY(), 0);
    // A caret near the bottom of the A4 page, far below a 600-pixel window.
    quaverly::Rect caret{1000, 24000, 1000, 24500};
    editor_.listener->Notify(quaverly::EditorNotice{code::CaretMoved, nullptr, &caret, nullptr});
    shell_test::Pump();
    EXPECT_LT(view_->ScrollY(), 0);
    const platform::Point top = view_->ScoreToWindow(caret.left, caret.top);
    EXPECT_GE(top.y, 0);
    EXPECT_LT(top.y, view_->GetClientRect().bottom);
}

TEST_F(ViewInputTest, TitleNoticeOpensTheTextBoxAndEnterEndsTheEdit)
{
    ShowScore();
    quaverly::NotificationPayload request;
    request.rect = {2000, 1000, 8000, 1800};
    quaverly::EditorNotice notice{code::EditTitle, &request};
    editor_.listener->Notify(notice);
    shell_test::Pump();
    brindle::CScoreTextEdit* box = view_->TextEdit();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), QStringLiteral("标题"));
    const platform::Point corner = view_->ScoreToWindow(2000, 1000);
    EXPECT_EQ(box->geometry().topLeft(), QPoint(corner.x - 3, corner.y - 1));

    // A blank belongs to a title; Enter stores the text and closes the box.
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(box, &space);
    EXPECT_TRUE(box->isVisible());
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &enter);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(editor_.Calls("SetTitle").size(), 1u);
}

TEST_F(ViewInputTest, ClosingTheViewWithTheTextBoxOpenLeavesTheEditorAlone)
{
    ShowScore();
    quaverly::NotificationPayload request;
    request.rect = {2000, 1000, 8000, 1800};
    editor_.listener->Notify(quaverly::EditorNotice{code::EditTitle, &request});
    shell_test::Pump();
    ASSERT_TRUE(view_->TextEdit()->isVisible());
    editor_.calls.clear();
    view_.reset();
    EXPECT_TRUE(editor_.Calls("SetTitle").empty());
    EXPECT_EQ(editor_.listener, nullptr);
}

TEST_F(ViewInputTest, ABlankEndsALyricSyllableAndMovesToTheNext)
{
    ShowScore();
    quaverly::NotificationPayload request;
    request.trackIndex = 1;
    request.barIndex = 4;
    request.verse = 2;
    request.time = 80640;
    request.rect = {3000, 5000, 3600, 5600};
    request.text = u"啊";
    editor_.listener->Notify(quaverly::EditorNotice{code::EditLyric, &request});
    shell_test::Pump();
    brindle::CScoreTextEdit* box = view_->TextEdit();
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), QStringLiteral("啊"));
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(box, &space);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(editor_.Calls("SetLyricText"), std::vector<std::string>{"SetLyricText 1 4 2 80640"});
    EXPECT_EQ(editor_.Calls("BeginLyricEdit"), std::vector<std::string>{"BeginLyricEdit 1 4 2 80640"});
}

TEST_F(ViewInputTest, EscapeEndsAnEditKeepingTheTextAndOpensNoNextItem)
{
    struct Case {
        const char* name;
        int notice;
        const char* store;
    };
    for (const Case& c : {Case{"title", code::EditTitle, "SetTitle"}, Case{"lyric", code::EditLyric, "SetLyricText"}}) {
        SCOPED_TRACE(c.name);
        ShowScore();
        editor_.calls.clear();
        quaverly::NotificationPayload request;
        request.rect = {2000, 1000, 8000, 1800};
        request.text = u"啊";
        editor_.listener->Notify(quaverly::EditorNotice{c.notice, &request});
        shell_test::Pump();
        brindle::CScoreTextEdit* box = view_->TextEdit();
        ASSERT_TRUE(box->isVisible());
        box->insert(QStringLiteral("呀"));
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &escape);
        EXPECT_FALSE(box->isVisible());
        EXPECT_EQ(editor_.Calls(c.store).size(), 1u);
        EXPECT_EQ(editor_.storedText, c.notice == code::EditTitle ? u"标题呀" : u"啊呀");
        EXPECT_TRUE(editor_.Calls("BeginLyricEdit").empty());
        EXPECT_TRUE(view_->hasFocus() || !view_->isActiveWindow());
    }
}

TEST_F(ViewInputTest, TheFirstTextEditAfterAStartStandsOnTheStoredPaperAndEndsOnEnter)
{
    // A copy of the program's data whose option file names a paper picture.
    namespace fs = std::filesystem;
    TempFolder data;
    fs::copy(fs::path(BRINDLE_SOURCE_DIR) / "data", data.Path(), fs::copy_options::recursive);
    ASSERT_TRUE(platform::WriteProfileString(data / "settings" / "Option.ini", u"TEXTURE INFO", u"Foreground File",
                                             u"白纸.bmp"));
    StartView(platform::PathToUtf16(data.Path()));
    // No edit has run since the start: the title below is the box's first use.
    ASSERT_EQ(view_->viewport()->findChild<brindle::CScoreTextEdit*>(), nullptr);
    ShowScore();
    quaverly::NotificationPayload request;
    request.rect = {2000, 1000, 8000, 1800};
    editor_.listener->Notify(quaverly::EditorNotice{code::EditTitle, &request});
    shell_test::Pump();
    brindle::CScoreTextEdit* box = view_->viewport()->findChild<brindle::CScoreTextEdit*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box, view_->TextEdit());
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), QStringLiteral("标题"));
    EXPECT_EQ(box->BackgroundBrush().style(), Qt::TexturePattern);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &enter);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(editor_.Calls("SetTitle").size(), 1u);
    EXPECT_EQ(editor_.storedText, u"标题");
}

// ---- MIDI input --------------------------------------------------------------------------

TEST_F(ViewInputTest, MidiSequencesMakeTheExpectedChords)
{
    ShowScore();
    struct Case {
        const char* name;
        std::vector<std::uint32_t> messages;
        std::vector<std::string> chords;
    };
    const std::vector<Case> cases = {
        {"three keys together make one chord in the order they went down",
         {NoteOn(60, 90), NoteOn(64, 90), NoteOn(67, 90), NoteOff(64), NoteOff(60), NoteOff(67)},
         {"InputChord 60 64 67 161280 0 0 0"}},
        {"velocity 0 ends a chord like a note off",
         {NoteOn(62, 80), NoteOn(65, 80), NoteOn(62, 0), NoteOn(65, 0)},
         {"InputChord 62 65 161280 0 0 0"}},
        {"a key pressed after one was let go starts a new chord",
         {NoteOn(60, 90), NoteOn(64, 90), NoteOn(67, 90), NoteOff(60), NoteOn(72, 90), NoteOff(72)},
         {"InputChord 60 64 67 161280 0 0 0", "InputChord 72 161280 0 0 0"}},
        {"other messages make no chord", {0x00407BB0u, 0x00002AC0u, NoteOff(50)}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        editor_.calls.clear();
        for (std::uint32_t m : c.messages)
            Play(*view_->MidiInListenerAdapter(), m);
        Settle();
        EXPECT_EQ(editor_.Calls("InputChord"), c.chords);
        EXPECT_TRUE(view_->ChordKeys().empty());
    }
}

TEST_F(ViewInputTest, ChordTakesTheDotsOnceAndTheHeldModifiers)
{
    ShowScore();
    view_->OnCommand(174);    // eighth
    view_->OnCommand(32784);  // dot
    Play(*view_->MidiInListenerAdapter(), NoteOn(60, 100));
    {
        platform::ScopedModifierState shift(platform::kModShift);
        Play(*view_->MidiInListenerAdapter(), NoteOff(60));
        shell_test::Pump();
    }
    Play(*view_->MidiInListenerAdapter(), NoteOn(62, 100));
    Play(*view_->MidiInListenerAdapter(), NoteOff(62));
    Settle();
    EXPECT_EQ(editor_.Calls("InputChord"),
              (std::vector<std::string>{"InputChord 60 80640 1 0 2", "InputChord 62 80640 0 0 0"}));
}

TEST_F(ViewInputTest, RecordingEchoesOnTheViewChannelButMakesNoChord)
{
    ShowScore();
    view_->SetMidiChannel(5);
    view_->m_bRecording = true;
    Play(*view_->MidiInListenerAdapter(), NoteOn(60, 100, 2));
    Play(*view_->MidiInListenerAdapter(), NoteOff(60, 2));
    Play(*view_->MidiInListenerAdapter(), 0x000000F8u);  // clock: a system message, sent as it came
    Settle();
    EXPECT_TRUE(editor_.Calls("InputChord").empty());
    EXPECT_EQ(echo_.shortMessages, (std::vector<std::uint32_t>{NoteOn(60, 100, 5), NoteOff(60, 5), 0x000000F8u}));
}

TEST_F(ViewInputTest, MidiInputFromTheDeviceThreadIsEchoedAtOnceAndChordedOnTheWindowThread)
{
    ShowScore();
    std::thread device([&] {
        Play(*view_->MidiInListenerAdapter(), NoteOn(60, 100));
        Play(*view_->MidiInListenerAdapter(), NoteOn(67, 100));
        Play(*view_->MidiInListenerAdapter(), NoteOff(60));
    });
    device.join();
    EXPECT_EQ(echo_.shortMessages.size(), 3u);
    EXPECT_TRUE(view_->ChordKeys().empty());  // nothing of the view touched off its thread
    Settle();
    EXPECT_EQ(editor_.Calls("InputChord"), std::vector<std::string>{"InputChord 60 67 161280 0 0 0"});
}

TEST_F(ViewInputTest, WhileLoadingNoEditorOperationRunsFromKeysPointerOrCommands)
{
    ShowScore();
    view_->LoadKeyCommands(u"");
    view_->m_bLoading = true;
    view_->Key('A');
    view_->Press(300, 300);
    view_->Move(310, 310);
    view_->Release(310, 310);
    view_->DoubleClick(300, 300);
    for (int id : {174, 32784, 32840, 178, 32789, 108, 32846, 32847, 32843})
        view_->OnCommand(id);
    quaverly::NoticePosition page{2, 0, 0, 0, 0};
    editor_.listener->Notify(quaverly::EditorNotice{code::PageChanged, nullptr, nullptr, &page});
    shell_test::Pump();
    // (Painting while loading is the loading's own business.)
    std::erase(editor_.calls, "Run");
    EXPECT_EQ(editor_.calls, std::vector<std::string>{});
    view_->m_bLoading = false;
}

}  // namespace
}  // namespace view_input_test
