// The score view's playback commands with fakes in the application context: a player that
// keeps its state, MIDI ports of a fake back end, the real metronome (its clicks land on
// the fake output port) and an editor that exports a chosen score record. Commands run
// as the command manager runs them: only while their update handler enables them.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/dialogs/midi_device_dlg.h"
#include "app/dialogs/midi_notice_dlg.h"
#include "app/mididev/metronome.h"
#include "app/mididev/midi_in_device.h"
#include "app/mididev/midi_out_device.h"
#include "app/settings/profile_file.h"
#include "app/shell/app_context.h"
#include "app/shell/brindle_view.h"
#include "app/shell/command_ids.h"
#include "engine/editor/new_score_settings.h"
#include "midi/meter_map.h"
#include "midi/player_clock.h"
#include "platform/frame_window_base.h"
#include "platform/scripted_dialog_service.h"
#include "shell_fakes.h"
#include "stub_editor.h"
#include "tests/app/mididev/fake_midi_backend.h"
#include "tests/app/mididev/playback_fixtures.h"
#include "tests/platform/temp_folder.h"

namespace {

using brindle::AppContext;
using brindle::CBrindleView;
using platform::DialogBase;
using platform::kIdCancel;
using platform::kIdOk;
using shell_test::Pump;
using shell_test::PumpUntil;
namespace cmd = brindle::cmd;
namespace msg = brindle::msg;

constexpr int kQuarter = tabulon::kUnitsPerQuarter;
constexpr std::uint8_t kClick = 0x99;  // note-on, channel 10

// Exports a score of `bars` bars of four quarters in the given meter, with a tempo record
// unless the tempo is 0, and counts the exports.
class SongEditor final : public view_test::StubEditor {
public:
    int tempo = 120;
    int beats = 4;
    int bars = 2;
    int exports = 0;
    std::vector<quaverly::PlaybackPosition> shown;

    void ExportScoreData(tabulon::ScoreData* score) override
    {
        ++exports;
        score->SetBarCount(bars);
        score->AddMeter({0, beats, 4, 0});
        if (tempo > 0)
            score->AddTempo({0, tempo, kQuarter});
        tabulon::StaffData* staff = mididev_test::AddStaff(*score, 1, 1);
        for (int bar = 0; bar < bars; ++bar)
            for (int beat = 0; beat < beats; ++beat)
                staff->AddNote(mididev_test::Note(60 + beat, bar, beat * kQuarter));
    }
    int ShowPlaybackPosition(const quaverly::PlaybackPosition& position) override
    {
        shown.push_back(position);
        return 0;
    }
};

// The view with its option file in the test's folder.
class PlaybackView final : public CBrindleView {
public:
    std::u16string optionFile;

protected:
    std::u16string OptionFilePath() const override { return optionFile; }
};

class ViewPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        backend_.inputs = {u"Keys"};
        backend_.outputs = {u"Port A"};
        brindle::AppContextFactories factories;
        factories.createPlayer = [this] { return &player_; };
        factories.midiBackend = &backend_;
        ASSERT_TRUE(AppContext::Create()->Init(factories));
        context_ = AppContext::Instance();

        frame_ = std::make_unique<platform::FrameWindowBase>();
        frame_->MapMessage(msg::kShowPosition, [this](platform::WParam w, platform::LParam l) {
            positions_.emplace_back(static_cast<int>(w), static_cast<int>(l));
            return platform::LResult{0};
        });
        view_ = std::make_unique<PlaybackView>();
        view_->optionFile = (folder_ / "Option.ini").u16string();
        view_->UseEditor(&editor_);
        view_->SetFrame(frame_.get());
        view_->m_bScoreReady = true;
    }

    void TearDown() override
    {
        // The view lets go of the player and the metronome before the context goes.
        view_.reset();
        AppContext::Destroy();
    }

    // As the command manager decides: the update handler, else whether there is a handler.
    bool Enabled(int id)
    {
        platform::CommandUI ui(id);
        if (view_->OnUpdateCommand(ui))
            return ui.Enabled().value_or(true);
        return view_->HasCommand(id);
    }
    bool Checked(int id)
    {
        platform::CommandUI ui(id);
        view_->OnUpdateCommand(ui);
        return ui.Checked().value_or(false);
    }
    // As the command manager runs a command: only when it is enabled.
    void Run(int id)
    {
        if (Enabled(id))
            view_->OnCommand(id);
    }

    brindle::Metronome& Metronome() { return *context_->GetMetronome(); }
    // Clicks that reached the output port.
    int Clicks()
    {
        int clicks = 0;
        for (const auto& bytes : backend_.Sent())
            if (!bytes.empty() && bytes[0] == kClick)
                ++clicks;
        return clicks;
    }

    mididev_test::FakeMidiBackend backend_;
    shell_test::RecordingPlayer player_;
    AppContext* context_ = nullptr;
    SongEditor editor_;
    TempFolder folder_;
    std::unique_ptr<platform::FrameWindowBase> frame_;
    std::unique_ptr<PlaybackView> view_;
    std::vector<std::pair<int, int>> positions_;
};

TEST_F(ViewPlaybackTest, SpeedMakesTheScoresFirstTempoSoundAtTheSliderTempo)
{
    struct Case {
        const char* what;
        int scoreTempo;  // 0: no tempo mark in the score
        int viewTempo;
        int speed;
        int beatMs;  // the second beat's click, in clock milliseconds
    };
    const Case cases[] = {
        {"120 at 90", 120, 90, 75, 667},
        {"no tempo mark: the song's own 120", 0, 90, 75, 667},
        {"60 at 120", 60, 120, 200, 500},
    };
    ASSERT_TRUE(context_->GetMidiOut()->Open(0));
    Run(cmd::kMetronome);
    ASSERT_TRUE(Checked(cmd::kMetronome));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        editor_.tempo = c.scoreTempo;
        view_->MarkChanged();
        // The slider's message, as the main frame posts it.
        view_->PostMessage(msg::kTempoChanged, static_cast<platform::WParam>(c.viewTempo));
        Pump();
        EXPECT_EQ(view_->CurrentTempo(), c.viewTempo);
        Run(cmd::kPlay);
        ASSERT_TRUE(Checked(cmd::kPlay));
        EXPECT_EQ(player_.speed.load(), c.speed);

        // The metronome's own clock stopped, its ticks given by hand: the second beat's
        // click comes when the speed says.
        Metronome().Stop();
        Metronome().OnTick(0);
        backend_.ClearSent();
        Metronome().OnTick(c.beatMs - 20);
        EXPECT_EQ(Clicks(), 0);
        Metronome().OnTick(c.beatMs + 20);
        EXPECT_EQ(Clicks(), 1);
        Run(cmd::kStop);
        EXPECT_FALSE(Checked(cmd::kPlay));
    }
}

TEST_F(ViewPlaybackTest, TheSliderChangesTheSpeedDuringPlayback)
{
    Run(cmd::kPlay);
    ASSERT_EQ(player_.speed.load(), 100);
    view_->PostMessage(msg::kTempoChanged, 180);
    view_->PostMessage(msg::kTempoChanged, 0);  // refused
    Pump();
    EXPECT_EQ(player_.speed.load(), 150);
    EXPECT_EQ(player_.starts.load(), 1) << "playback goes on";
    EXPECT_EQ(view_->CurrentTempo(), 180);
}

TEST_F(ViewPlaybackTest, SongsEndClearsPlayAndStopsTheClicks)
{
    ASSERT_TRUE(context_->GetMidiOut()->Open(0));
    Run(cmd::kMetronome);
    Run(cmd::kPlay);
    ASSERT_TRUE(view_->m_bPlaying);
    EXPECT_FALSE(view_->IsIdle());
    ASSERT_TRUE(PumpUntil([this] { return Clicks() > 0; })) << "the metronome clicks with the music";
    const int rendersBefore = view_->PendingRenders();

    // The last events played: the player resets itself on its clock's thread.
    std::thread clock([this] { player_.EndSong(); });
    clock.join();
    EXPECT_FALSE(Checked(cmd::kPlay));
    EXPECT_FALSE(Enabled(cmd::kStop));
    Pump();
    EXPECT_FALSE(view_->m_bPlaying);
    EXPECT_TRUE(view_->IsIdle());
    EXPECT_GT(view_->PendingRenders(), rendersBefore) << "the page is drawn again without the position mark";

    // At 120 a beat is 500 ms: no click follows.
    const int clicks = Clicks();
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    EXPECT_EQ(Clicks(), clicks);
    EXPECT_TRUE(Checked(cmd::kMetronome)) << "the switch keeps its state";
}

TEST_F(ViewPlaybackTest, PlayAndRecordExcludeEachOther)
{
    ASSERT_TRUE(context_->GetMidiIn()->Open(0));
    EXPECT_FALSE(Enabled(cmd::kStop));

    Run(cmd::kPlay);
    Run(cmd::kRecord);
    EXPECT_TRUE(Checked(cmd::kPlay));
    EXPECT_FALSE(Checked(cmd::kRecord));
    EXPECT_FALSE(context_->GetMidiIn()->IsStarted());
    EXPECT_TRUE(Enabled(cmd::kStop));
    Run(cmd::kStop);
    EXPECT_FALSE(Checked(cmd::kPlay));
    EXPECT_EQ(player_.resets.load(), 1);

    Run(cmd::kRecord);
    EXPECT_TRUE(Checked(cmd::kRecord));
    EXPECT_TRUE(view_->m_bRecording);
    EXPECT_TRUE(context_->GetMidiIn()->IsStarted());
    Run(cmd::kPlay);
    EXPECT_FALSE(Checked(cmd::kPlay));
    EXPECT_EQ(player_.starts.load(), 1);
    EXPECT_EQ(player_.speed.load(), 100) << "recording applies the speed too";

    Run(cmd::kRecord);  // a second Record ends recording
    EXPECT_FALSE(Checked(cmd::kRecord));
    EXPECT_FALSE(context_->GetMidiIn()->IsStarted());
    EXPECT_TRUE(view_->IsIdle());
}

TEST_F(ViewPlaybackTest, WithoutAScoreTheCommandsAreGreyedAndUnchecked)
{
    Run(cmd::kMetronome);
    Run(cmd::kPlay);
    view_->m_bScoreReady = false;
    for (const int id : {cmd::kPlay, cmd::kRecord, cmd::kMetronome, cmd::kStop}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(Enabled(id));
        EXPECT_FALSE(Checked(id));
    }
    EXPECT_FALSE(Enabled(cmd::kAllNotesOff)) << "an item without an action";
    EXPECT_TRUE(Enabled(cmd::kMidiDevices));
}

TEST_F(ViewPlaybackTest, SpaceStartsWhenIdleAndStopsOtherwise)
{
    struct Case {
        const char* what;
        std::function<void()> before;
        bool playingAfter;
        bool recordingAfter;
    };
    const Case cases[] = {
        {"idle: plays", [] {}, true, false},
        {"playing: stops", [this] { Run(cmd::kPlay); }, false, false},
        {"recording: stops", [this] { Run(cmd::kRecord); }, false, false},
        {"loading: does not play", [this] { view_->m_bLoading = true; }, false, false},
        {"no score: nothing", [this] { view_->m_bScoreReady = false; }, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.before();
        const int starts = player_.starts.load();
        view_->OnPlayKey();
        EXPECT_EQ(view_->IsPlaying(), c.playingAfter);
        EXPECT_EQ(view_->IsRecording(), c.recordingAfter);
        EXPECT_EQ(player_.starts.load(), starts + (c.playingAfter ? 1 : 0));
        view_->OnStop();
        view_->m_bLoading = false;
        view_->m_bScoreReady = true;
    }
}

TEST_F(ViewPlaybackTest, PlayRebuildsTheSongOnlyAfterAChange)
{
    Run(cmd::kPlay);
    EXPECT_EQ(editor_.exports, 1);
    EXPECT_EQ(player_.notesAtStart.load(), 8u);
    Run(cmd::kStop);
    Run(cmd::kPlay);
    EXPECT_EQ(editor_.exports, 1) << "nothing changed";
    Run(cmd::kStop);

    // The editor's change notice marks the document changed: the next Play rebuilds, even
    // within the millisecond of the last build.
    editor_.bars = 3;
    view_->MarkChanged();
    Run(cmd::kPlay);
    EXPECT_EQ(editor_.exports, 2);
    EXPECT_EQ(player_.notesAtStart.load(), 12u);

    // What is played changed while playing: the song is rebuilt once the player let go.
    editor_.bars = 1;
    view_->BuildPlaybackData();
    EXPECT_EQ(editor_.exports, 2);
    Run(cmd::kStop);
    EXPECT_EQ(editor_.exports, 3);
    view_->BuildPlaybackData();
    EXPECT_EQ(editor_.exports, 4) << "idle: at once";
}

TEST_F(ViewPlaybackTest, PlaybackStartsAtTheCursorInTheMetersOfTheRebuiltSong)
{
    // The cursor moved to bar 2 before any song was built; the score is in 3/4.
    editor_.beats = 3;
    editor_.bars = 4;
    view_->SetPlaybackCursor(2, kQuarter);
    Run(cmd::kPlay);
    const int division = context_->GetMidiData()->GetDivision();
    EXPECT_EQ(player_.startPosition.load(), 2 * 3 * division + division);
    EXPECT_EQ(view_->PlayStartTick(), 2 * 3 * division + division);
}

TEST_F(ViewPlaybackTest, PositionReportsMoveTheEditorsMarkAndTheBeatDisplay)
{
    Run(cmd::kPlay);
    const int division = context_->GetMidiData()->GetDivision();
    const int tick = 1 * 4 * division + 2 * division;  // bar 1, beat 2
    // Reported on the clock's thread: the view gets a posted copy.
    std::thread clock([&] {
        player_.Report({midi::kPlayerPosition, (1 << 16) | (2 << 8) | 0, tick});
        player_.Report({midi::kPlayerPosition, (1 << 16) | (2 << 8) | 1, tick + division / 4});
        player_.Report({midi::kPlayerNoteEcho, 0x403C90, tick});
    });
    clock.join();
    EXPECT_TRUE(editor_.shown.empty());
    Pump();
    ASSERT_EQ(editor_.shown.size(), 2u);
    EXPECT_EQ(editor_.shown[0].kind, 20);
    EXPECT_EQ(editor_.shown[0].bar, 1);
    EXPECT_EQ(editor_.shown[0].time, 2 * kQuarter);
    EXPECT_EQ(editor_.shown[1].time, 2 * kQuarter + kQuarter / 4);
    // Only the first subdivision of a beat is shown, as bar:beat from 1.
    EXPECT_EQ(positions_, (std::vector<std::pair<int, int>>{{2, 3}}));
}

TEST_F(ViewPlaybackTest, AGoingViewStopsPlaybackAndLeavesThePlayer)
{
    ASSERT_TRUE(context_->GetMidiOut()->Open(0));
    Run(cmd::kMetronome);
    Run(cmd::kPlay);
    ASSERT_TRUE(PumpUntil([this] { return Clicks() > 0; }));
    view_.reset();
    EXPECT_FALSE(player_.playing.load());
    EXPECT_EQ(player_.listener.load(), nullptr);
    const int clicks = Clicks();
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_EQ(Clicks(), clicks);
}

// ---- the end of a song -------------------------------------------------------------

// The metronome's clock, standing in for its timer: a Stop on any thread but the test's
// is held until the test lets it go (or a second has passed), so the player clock's
// notice at the end of a song can be caught halfway.
class HeldClock final : public midi::PlayerClock {
public:
    explicit HeldClock(std::thread::id test) : test_(test) {}

    void Start() override {}
    void SetPaused(bool) override {}
    void SetTarget(midi::ClockTarget*) override {}
    void Stop() override
    {
        if (std::this_thread::get_id() == test_)
            return;
        std::unique_lock lock(mutex_);
        if (held_)
            return;
        held_ = true;
        changed_.notify_all();
        changed_.wait_for(lock, std::chrono::seconds(1), [this] { return released_; });
        returned_ = true;
    }

    bool WaitUntilHeld()
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [this] { return held_; });
    }
    void Release()
    {
        std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }
    bool Returned()
    {
        std::lock_guard lock(mutex_);
        return returned_;
    }

private:
    const std::thread::id test_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    bool released_ = false;
    bool returned_ = false;
};

// The program's own player on its own clock, playing a song of one short note.
class SongEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        backend_.outputs = {u"Port A"};
        brindle::AppContextFactories factories;
        factories.midiBackend = &backend_;
        ASSERT_TRUE(AppContext::Create()->Init(factories));
        AppContext::Instance()->GetMetronome()->SetTimer(&metronomeClock_);
        editor_.bars = 1;
        editor_.beats = 1;
        view_ = std::make_unique<PlaybackView>();
        view_->optionFile = (folder_ / "Option.ini").u16string();
        view_->UseEditor(&editor_);
        view_->m_bScoreReady = true;
    }
    void TearDown() override
    {
        metronomeClock_.Release();
        view_.reset();
        AppContext::Destroy();
    }

    mididev_test::FakeMidiBackend backend_;
    HeldClock metronomeClock_{std::this_thread::get_id()};
    SongEditor editor_;
    TempFolder folder_;
    std::unique_ptr<PlaybackView> view_;
};

TEST_F(SongEndTest, AViewGoingAsTheSongEndsWaitsForThePlayersLastNotice)
{
    ASSERT_TRUE(AppContext::Instance()->GetMidiOut()->Open(0));
    // A quarter at 120 played ten times as fast: the song ends after 50 ms.
    view_->PostMessage(msg::kTempoChanged, 1200);
    Pump();
    view_->OnCommand(cmd::kPlay);
    ASSERT_TRUE(view_->IsPlaying());
    // The clock's thread has cleared Play and is stopping the clicks; its redraw is to come.
    ASSERT_TRUE(metronomeClock_.WaitUntilHeld());
    EXPECT_FALSE(view_->IsPlaying());

    std::thread release([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        metronomeClock_.Release();
    });
    view_.reset();
    // The view went only after the notice had finished with it.
    EXPECT_TRUE(metronomeClock_.Returned());
    release.join();
    EXPECT_FALSE(AppContext::Instance()->GetPlayer()->IsPlaying());
}

// ---- the devices -----------------------------------------------------------------

// The option file's device keys and reminders as text; empty: not written.
struct Stored {
    std::u16string in, out, showIn, showOut;
    friend bool operator==(const Stored&, const Stored&) = default;
    friend void PrintTo(const Stored& s, std::ostream* os)
    {
        for (const std::u16string* text : {&s.in, &s.out, &s.showIn, &s.showOut})
            *os << "\"" << QString::fromStdU16String(*text).toStdString() << "\" ";
    }
};

class ViewDevicesTest : public ViewPlaybackTest {
protected:
    std::u16string Read(const char16_t* section, const char16_t* key) const
    {
        return brindle::ProfileFile((folder_ / "Option.ini").u16string()).ReadString(section, key, u"");
    }
    // The start-up tasks, up to the outcome of the output's opening dealt with.
    void StartUp()
    {
        view_->PostMessage(msg::kStartUp);
        Pump();
        ASSERT_TRUE(PumpUntil([this] { return !view_->IsCheckingMidiOut(); }));
    }
    Stored ReadStored() const
    {
        return {Read(u"MIDI DEVICE", u"Midi In Device"), Read(u"MIDI DEVICE", u"Midi Out Device"),
                Read(u"NO MIDI NOTIFY", u"Show In Notify"), Read(u"NO MIDI NOTIFY", u"Show Out Notify")};
    }
    // The start-up tasks run while the output's opening is held: they return with the
    // output still opening.
    void StartUpWhileTheOutputOpens(const char* optionFile)
    {
        TempFolder::Write(folder_ / "Option.ini", optionFile);
        backend_.HoldOutputOpens();
        view_->PostMessage(msg::kStartUp);
        Pump();
        // Had the tasks opened the output themselves, they would have waited at the gate
        // until it gave way, and nothing would be waiting there now.
        EXPECT_TRUE(backend_.WaitUntilOpenHeld()) << "the start-up tasks waited for the output";
        EXPECT_TRUE(view_->IsCheckingMidiOut());
    }

    platform::ScriptedDialogService script_;
    platform::ScopedDialogService inForce_{script_};
};

TEST_F(ViewDevicesTest, StartUpCheckWithScriptedAnswersWritesTheOptionFile)
{
    using Step = platform::ScriptedDialogService::ModalStep;
    const auto answer = [](int templateId, int button, int box = 0) -> Step {
        return [=](DialogBase& d) {
            EXPECT_EQ(d.TemplateId(), templateId);
            if (box != 0)
                d.Control<QCheckBox>(box)->setChecked(true);
            d.ClickButton(button);
        };
    };
    const auto choose = [](int input, int output) -> Step {
        return [=](DialogBase& d) {
            EXPECT_EQ(d.TemplateId(), brindle::CMidiDeviceDlg::kTemplateId);
            d.Control<QListWidget>(brindle::CMidiDeviceDlg::kIdInputList)->setCurrentRow(input);
            d.Control<QListWidget>(brindle::CMidiDeviceDlg::kIdOutputList)->setCurrentRow(output);
            d.ClickButton(kIdOk);
        };
    };
    struct Case {
        const char* what;
        const char* optionFile;
        std::vector<Step> steps;
        Stored stored;
        bool inputStarted;
        bool outputOpen;
    };
    const Case cases[] = {
        {"the defaults: no input chosen, declined for good; the output opens",
         "[MIDI DEVICE]\nMidi Out Device=0\n",
         {answer(240, kIdOk, 1114)},
         {u"", u"0", u"FALSE", u""},
         false,
         true},
        {"no input: chosen in the device dialog; the output fails and is declined for now",
         "",
         {answer(240, kIdCancel), choose(0, -1), answer(197, kIdOk), answer(239, kIdOk)},
         {u"0", u"-1", u"TRUE", u"TRUE"},
         true,
         false},
        {"output reminder: the box ticked, then the device dialog cancelled",
         "[MIDI DEVICE]\nMidi In Device=0\nMidi Out Device=5\n",
         {answer(239, kIdCancel, 1115), answer(196, kIdCancel)},
         {u"0", u"5", u"", u"FALSE"},
         true,
         false},
        {"reminders off: nothing is shown",
         "[NO MIDI NOTIFY]\nShow In Notify=FALSE\nShow Out Notify=FALSE\n",
         {},
         {u"", u"", u"FALSE", u"FALSE"},
         false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        context_->GetMidiIn()->Close();
        context_->GetMidiOut()->Close();
        TempFolder::Write(folder_ / "Option.ini", c.optionFile);
        for (const Step& step : c.steps)
            script_.AnswerModal(step);
        const int shownBefore = script_.ModalCount();
        StartUp();
        EXPECT_EQ(script_.ModalCount() - shownBefore, static_cast<int>(c.steps.size()));
        EXPECT_EQ(script_.PendingSteps(), 0u);
        EXPECT_EQ(ReadStored(), c.stored);
        EXPECT_EQ(context_->GetMidiIn()->IsStarted(), c.inputStarted);
        EXPECT_EQ(context_->GetMidiOut()->IsOpen(), c.outputOpen);
    }
    EXPECT_EQ(script_.UnfinishedDialogs(), 0);
}

// The output opens on a worker: the window's thread goes on with its messages meanwhile,
// and the outcome comes back to it, with the reminder when the output did not open.
TEST_F(ViewDevicesTest, TheWindowGoesOnWhileTheOutputOpensAndGetsItsOutcome)
{
    struct Case {
        const char* what;
        int output;           // the stored output
        int outputNoticeBox;  // 0: no notice expected; else the box ticked on it
        Stored stored;
        bool outputOpen;
    };
    const Case cases[] = {
        {"the stored port opens: nothing to say", 0, 0, {u"", u"0", u"FALSE", u""}, true},
        {"the stored port is gone: the reminder, declined for good", 5, 1115, {u"", u"5", u"FALSE", u"FALSE"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        context_->GetMidiOut()->Close();
        backend_.outputOpens.clear();
        const int shownBefore = script_.ModalCount();
        if (c.outputNoticeBox != 0) {
            script_.AnswerModal([box = c.outputNoticeBox](DialogBase& d) {
                EXPECT_EQ(d.TemplateId(), 239);
                d.Control<QCheckBox>(box)->setChecked(true);
                d.ClickButton(kIdOk);
            });
        }
        const std::string optionFile =
            "[NO MIDI NOTIFY]\nShow In Notify=FALSE\n[MIDI DEVICE]\nMidi Out Device=" + std::to_string(c.output) + "\n";
        StartUpWhileTheOutputOpens(optionFile.c_str());
        view_->PostMessage(msg::kTempoChanged, 90);
        Pump();
        EXPECT_EQ(view_->CurrentTempo(), 90);
        EXPECT_EQ(script_.ModalCount(), shownBefore);

        backend_.ReleaseOutputOpens();
        ASSERT_TRUE(PumpUntil([this] { return !view_->IsCheckingMidiOut(); }));
        EXPECT_EQ(script_.ModalCount() - shownBefore, c.outputNoticeBox != 0 ? 1 : 0);
        EXPECT_EQ(script_.PendingSteps(), 0u);
        EXPECT_EQ(ReadStored(), c.stored);
        EXPECT_EQ(backend_.outputOpens, std::vector<int>{c.output});
        EXPECT_EQ(context_->GetMidiOut()->IsOpen(), c.outputOpen);
    }
}

// Playing as soon as the window is up: the first click waits for the output still being
// opened and sounds on it.
TEST_F(ViewDevicesTest, PlayingWhileTheOutputOpensSoundsOnIt)
{
    StartUpWhileTheOutputOpens("[NO MIDI NOTIFY]\nShow In Notify=FALSE\n[MIDI DEVICE]\nMidi Out Device=0\n");
    std::thread release([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        backend_.ReleaseOutputOpens();
    });
    Run(cmd::kMetronome);
    Run(cmd::kPlay);
    Metronome().Stop();
    Metronome().OnTick(0);
    release.join();
    EXPECT_TRUE(Checked(cmd::kPlay));
    EXPECT_GE(Clicks(), 1);
    ASSERT_TRUE(PumpUntil([this] { return !view_->IsCheckingMidiOut(); }));
    EXPECT_EQ(backend_.outputOpens, std::vector<int>{0});
    EXPECT_EQ(script_.ModalCount(), 0);
    Run(cmd::kStop);
}

// The window closes while the output is still opening: it waits for the opening, and
// the outcome (here a reminder) is not shown to a window that is gone.
TEST_F(ViewDevicesTest, ClosingWhileTheOutputOpensEndsCleanly)
{
    StartUpWhileTheOutputOpens("[NO MIDI NOTIFY]\nShow In Notify=FALSE\n[MIDI DEVICE]\nMidi Out Device=5\n");
    std::thread release([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        backend_.ReleaseOutputOpens();
    });
    view_.reset();
    release.join();
    Pump();
    EXPECT_EQ(script_.ModalCount(), 0);
    EXPECT_EQ(backend_.outputOpens, std::vector<int>{5});
    EXPECT_EQ(Read(u"NO MIDI NOTIFY", u"Show Out Notify"), u"");
}

// With the output's reminder off the start-up opens no output; the stored one is there
// when playing begins.
TEST_F(ViewDevicesTest, WithoutTheOutputReminderTheOutputOpensWhenPlayingBegins)
{
    TempFolder::Write(folder_ / "Option.ini",
                      "[NO MIDI NOTIFY]\nShow In Notify=FALSE\nShow Out Notify=FALSE\n"
                      "[MIDI DEVICE]\nMidi In Device=0\nMidi Out Device=0\n");
    StartUp();
    EXPECT_EQ(script_.ModalCount(), 0);
    EXPECT_TRUE(context_->GetMidiIn()->IsStarted());
    EXPECT_TRUE(backend_.outputOpens.empty());

    Run(cmd::kMetronome);
    Run(cmd::kPlay);
    ASSERT_TRUE(Checked(cmd::kPlay));
    Metronome().Stop();
    Metronome().OnTick(0);
    EXPECT_EQ(backend_.outputOpens, std::vector<int>{0});
    EXPECT_GE(Clicks(), 1);
    Run(cmd::kStop);
}

TEST_F(ViewDevicesTest, DeviceCommandOpensTheDialogOnTheStoredChoices)
{
    TempFolder::Write(folder_ / "Option.ini", "[MIDI DEVICE]\nMidi In Device=0\nMidi Out Device=0\n");
    script_.AnswerModal([](DialogBase& d) {
        EXPECT_EQ(d.TemplateId(), brindle::CMidiDeviceDlg::kTemplateId);
        EXPECT_EQ(d.Control<QListWidget>(brindle::CMidiDeviceDlg::kIdInputList)->currentRow(), 0);
        EXPECT_EQ(d.Control<QListWidget>(brindle::CMidiDeviceDlg::kIdOutputList)->currentRow(), 0);
        d.ClickButton(kIdOk);
    });
    Run(cmd::kMidiDevices);
    EXPECT_EQ(script_.ModalCount(), 1);
    EXPECT_TRUE(context_->GetMidiIn()->IsStarted());
    EXPECT_TRUE(context_->GetMidiOut()->IsOpen());
}

// A score the engine's editor made, played at the slider's tempo.
TEST(ViewPlaybackWithTheEditor, NewScoreAtQuarter120PlaysAtSpeed75AtTheSliderAt90)
{
    shell_test::RecordingPlayer player;
    mididev_test::FakeMidiBackend backend;
    brindle::AppContextFactories factories;
    factories.createPlayer = [&] { return &player; };
    factories.midiBackend = &backend;
    ASSERT_TRUE(AppContext::Create()->Init(factories));
    {
        CBrindleView view;
        view.resize(400, 300);
        view.show();
        quaverly::NewScoreSettings settings;
        settings.staves.push_back({});
        view.Editor()->NewDocument(settings);
        view.ApplyPageInfo();
        view.ShowScore();
        (void)view.viewport()->grab();  // the paint runs the editor's queued commands
        view.PostMessage(msg::kTempoChanged, 90);
        Pump();
        view.OnCommand(cmd::kPlay);
        EXPECT_TRUE(view.IsPlaying());
        EXPECT_EQ(player.speed.load(), 75);
        ASSERT_FALSE(AppContext::Instance()->GetMidiData()->GetTempos().empty());
        EXPECT_EQ(AppContext::Instance()->GetMidiData()->GetTempos().front().microsecondsPerQuarter, 500000);
    }
    AppContext::Destroy();
}

}  // namespace
