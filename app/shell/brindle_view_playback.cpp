// The score view's playback side: Play, Stop, Record and the metronome switch with their
// update handlers, the Space key, the tempo from the main frame's slider, the player's
// reports, the position display, and the choice and opening of the MIDI devices.
//
// The commands themselves are the PlaybackController's; the view feeds it (the song
// built from the editor's score, the cursor, the tempo) and mirrors its state in its
// flags. The player reports on its clock's thread: there only the controller's atomic
// flag is cleared and the metronome stopped; everything that touches the window is
// posted to the view.
#include "app/shell/brindle_view.h"

#include <cstdint>

#include "app/dialogs/midi_device_dialogs.h"
#include "app/mididev/metronome_control.h"
#include "app/mididev/midi_in_device.h"
#include "app/mididev/midi_out_device.h"
#include "app/mididev/playback_builder.h"
#include "app/mididev/playback_controller.h"
#include "app/settings/system_info_section.h"
#include "app/shell/app_context.h"
#include "app/shell/app_directory.h"
#include "app/shell/command_ids.h"
#include "app/shell/document_loader.h"
#include "app/shell/view_player_listener.h"
#include "engine/editor/editor_interface.h"
#include "midi/meter_map.h"
#include "midi/player_listener.h"
#include "platform/command_ui.h"
#include "platform/frame_window_base.h"
#include "scoredata/score_data.h"

namespace brindle {

namespace {

// The kind of the editor's playback-position record.
constexpr int kPlaybackPositionKind = 20;

}  // namespace

// What the commands run on: the context's player, metronome, song and devices, the view
// as the builder of the song, and the view's listener on the player, registered for as
// long as this lives.
struct CBrindleView::PlaybackState final : PlaybackHost {
    PlaybackState(CBrindleView& owner, AppContext& context)
        : view(owner),
          player(*context.GetPlayer()),
          input(context.GetMidiIn()),
          metronome(*context.GetMetronome()),
          controller(*context.GetMidiData(), player, metronome, context.GetMidiOut(), *this),
          listener(&owner)
    {
        player.SetListener(&listener);
    }

    ~PlaybackState()
    {
        // Nothing may reach the view once it goes. The listener leaves first, so the
        // reset below reports to no one; the reset then stops the player's clock and
        // waits for a notice the clock's thread is still delivering (the end of the
        // song clears Play before that notice has stopped the clicks and posted its
        // redraw), whatever the flags say.
        player.SetListener(nullptr);
        controller.Shutdown();
    }

    PlaybackState(const PlaybackState&) = delete;
    PlaybackState& operator=(const PlaybackState&) = delete;

    void BuildSong(midi::MidiData& song) override
    {
        // Through the same gate as the input: while a document loads, its workers hold
        // the editor, and the song is built from the empty score the view shows.
        quaverly::api::ScoreEditor* editor = view.EditorForInput();
        if (const ScoreDataPtr score = editor ? ExportScore(*editor) : ScoreDataPtr(create_score_data())) {
            PlaybackBuilder builder;
            builder.SetMidiData(&song);
            builder.SetScoreData(score.get());
            builder.Build();
        } else {
            // Without a score record nothing of the old song may be played.
            const int division = song.GetDivision();
            song.Clear();
            song.SetDivision(division);
        }
    }

    bool StartInput() override { return input != nullptr && input->Start(); }

    void StopInput() override
    {
        if (input != nullptr)
            input->Stop();
    }

    // Also called on the player clock's thread: only posts.
    void RedrawView() override { view.PostMessage(msg::kPlaybackStopped); }

    CBrindleView& view;
    midi::MidiPlayer& player;
    MidiInDevice* input;
    MetronomeAdapter metronome;
    PlaybackController controller;
    ViewPlayerListener listener;
};

void CBrindleView::PlaybackStateDeleter::operator()(PlaybackState* state) const
{
    delete state;
}

void CBrindleView::MapPlaybackCommands()
{
    MapCommand(cmd::kPlay, [this] { OnPlay(); });
    MapCommand(cmd::kStop, [this] { OnStop(); });
    MapCommand(cmd::kRecord, [this] { OnRecord(); });
    MapCommand(cmd::kMetronome, [this] { OnMetronome(); });
    MapCommand(cmd::kMidiDevices, [this] { OnMidiDevices(); });

    // Without a score (or without a player) the three switches are greyed and unchecked.
    const auto mapSwitch = [this](int id, bool (CBrindleView::*on)() const) {
        MapUpdate(id, [this, on](platform::CommandUI& ui) {
            const bool ready = m_bScoreReady && Playback() != nullptr;
            ui.Enable(ready);
            ui.SetCheck(ready && (this->*on)() ? 1 : 0);
        });
    };
    mapSwitch(cmd::kPlay, &CBrindleView::IsPlaying);
    mapSwitch(cmd::kRecord, &CBrindleView::IsRecording);
    mapSwitch(cmd::kMetronome, &CBrindleView::IsMetronomeOn);
    MapUpdate(cmd::kStop, [this](platform::CommandUI& ui) {
        ui.Enable(m_bScoreReady && (IsPlaying() || IsRecording()));
    });

    MapMessage(msg::kPlayerPosition, [this](platform::WParam packed, platform::LParam tick) {
        OnPlayerPosition(packed, tick);
        return platform::LResult{0};
    });
    MapMessage(msg::kMidiOutOpened, [this](platform::WParam opened, platform::LParam) {
        OnMidiOutOpened(opened != 0);
        return platform::LResult{0};
    });
    MapMessage(msg::kPlaybackStopped, [this](platform::WParam, platform::LParam) {
        SyncPlaybackState();
        RequestPageRender();
        Invalidate();
        return platform::LResult{0};
    });
}

PlaybackController* CBrindleView::Playback()
{
    if (!m_pPlayback) {
        AppContext* context = AppContext::Instance();
        if (context != nullptr && context->GetPlayer() != nullptr && context->GetMidiData() != nullptr &&
            context->GetMetronome() != nullptr && context->GetMidiOut() != nullptr)
            m_pPlayback.reset(new PlaybackState(*this, *context));
    }
    return m_pPlayback ? &m_pPlayback->controller : nullptr;
}

bool CBrindleView::IsPlaying() const
{
    return m_pPlayback && m_pPlayback->controller.IsPlaying();
}

bool CBrindleView::IsRecording() const
{
    return m_pPlayback && m_pPlayback->controller.IsRecording();
}

void CBrindleView::SyncPlaybackState()
{
    if (!m_pPlayback)
        return;
    const PlaybackController& playback = m_pPlayback->controller;
    m_bPlaying = playback.IsPlaying();
    m_bRecording = playback.IsRecording();
    m_bMetronomeOn = playback.IsMetronomeOn();
    m_nPlayStartTick = playback.GetStartTick();
}

void CBrindleView::ResetPlayback()
{
    if (PlaybackController* playback = Playback()) {
        playback->StartNewScore(PlaybackController::kDefaultViewTempo);
        SyncPlaybackState();
    }
}

void CBrindleView::NotePlaybackStale()
{
    // Every change counts, however close to the last build: no clock decides it. A view
    // without commands yet builds its first song anyway.
    if (m_pPlayback)
        m_pPlayback->controller.OnDocumentModified();
}

// ---- commands ----------------------------------------------------------------------

void CBrindleView::RunPlaybackCommand(void (PlaybackController::*command)())
{
    if (PlaybackController* playback = Playback()) {
        // The view that plays hears the player, whichever view showed a score last.
        m_pPlayback->player.SetListener(&m_pPlayback->listener);
        (playback->*command)();
        SyncPlaybackState();
    }
}

void CBrindleView::OnPlay()
{
    // From the cursor, wherever it was put.
    FollowEditorCursor();
    RunPlaybackCommand(&PlaybackController::OnPlay);
}

void CBrindleView::OnRecord()
{
    FollowEditorCursor();
    RunPlaybackCommand(&PlaybackController::OnRecord);
}

void CBrindleView::OnStop() { RunPlaybackCommand(&PlaybackController::OnStop); }

void CBrindleView::OnMetronome() { RunPlaybackCommand(&PlaybackController::OnMetronome); }

void CBrindleView::OnPlayKey()
{
    if (!m_bScoreReady)
        return;
    if (IsPlaying() || IsRecording() || m_bLoading)
        OnStop();
    else
        OnPlay();
}

void CBrindleView::OnTempoChanged(int tempo)
{
    // A tempo of zero or less would stop the music: refused, as the speed is.
    if (tempo <= 0)
        return;
    m_nTempo = tempo;
    if (PlaybackController* playback = Playback())
        playback->OnTempoChanged(tempo);
}

void CBrindleView::BuildPlaybackData()
{
    PlaybackController* playback = Playback();
    if (!playback)
        return;
    // While a document loads, its workers hold the editor: the song waits until the
    // document is shown, and the next Play builds it.
    if (m_bLoading)
        playback->OnDocumentModified();
    else
        playback->OnPlaybackChanged();
}

void CBrindleView::SetPlaybackCursor(int bar, int offset)
{
    if (PlaybackController* playback = Playback()) {
        playback->SetCursorPosition(bar, offset);
        m_nPlayStartTick = playback->GetStartTick();
    }
}

// ---- the player's reports ----------------------------------------------------------

void CBrindleView::OnPlayerNotice(const midi::PlayerEvent& event)
{
    switch (event.code) {
    case midi::kPlayerReset:
        // Clears Play and stops the clicks; the redraw is posted.
        if (m_pPlayback)
            m_pPlayback->controller.OnPlayerEvent(event);
        break;
    case midi::kPlayerPosition:
        PostMessage(msg::kPlayerPosition, static_cast<platform::WParam>(static_cast<std::uint32_t>(event.param1)),
                    static_cast<platform::LParam>(event.param2));
        break;
    default:
        break;
    }
}

void CBrindleView::OnPlayerPosition(platform::WParam packed, platform::LParam tick)
{
    AppContext* context = AppContext::Instance();
    const midi::MidiData* song = context != nullptr ? context->GetMidiData() : nullptr;
    if (song == nullptr)
        return;
    midi::MeterMap meters;
    meters.Build(song->GetMeters(), song->GetDivision());
    int bar = 0;
    int offset = 0;
    meters.TickToBarPosition(static_cast<int>(tick), bar, offset);
    // A report still queued when a document began to load finds the editor taken.
    if (quaverly::api::ScoreEditor* editor = EditorForInput())
        editor->ShowPlaybackPosition({kPlaybackPositionKind, bar, offset});
    // The position display follows the beats, not their subdivisions.
    if ((packed & 0xFF) == 0 && m_pFrame != nullptr)
        m_pFrame->PostMessage(msg::kShowPosition, static_cast<platform::WParam>(bar + 1),
                              static_cast<platform::LParam>(((packed >> 8) & 0xFF) + 1));
    // A paint runs the editor's queued move of the position mark and shows the mark where
    // it went: the window is composed from the page picture, so the whole of it is cheap.
    Invalidate();
}

// ---- devices -----------------------------------------------------------------------

std::u16string CBrindleView::OptionFilePath() const
{
    // Empty when the settings name no option file.
    const DataFolder data = SettingsFolder();
    return data.PathOf(data.SystemInfo().GetOptionFileName());
}

void CBrindleView::OpenMidiDevices()
{
    AppContext* context = AppContext::Instance();
    if (context == nullptr || context->GetMidiIn() == nullptr || context->GetMidiOut() == nullptr)
        return;
    MidiOutDevice* output = context->GetMidiOut();
    MidiDeviceDialogs dialogs(*context->GetMidiIn(), *output, OptionFilePath(), this);
    if (!dialogs.OpenMidiDevices())
        return;
    // Opening the output may take a while (the synthesizer loads its SoundFont and starts
    // its sound output): it is done on a worker, so that the window paints and a document
    // loading meanwhile is laid out. Whatever is played before it is open waits for it.
    if (!m_pMidiOutOpening)
        m_pMidiOutOpening = std::make_unique<DocumentWorker>();
    m_pMidiOutOpening->Start([this, output] { PostMessage(msg::kMidiOutOpened, output->IsOpen() ? 1 : 0); });
}

void CBrindleView::OnMidiOutOpened(bool opened)
{
    EndMidiOutOpening();
    AppContext* context = AppContext::Instance();
    if (context == nullptr || context->GetMidiIn() == nullptr || context->GetMidiOut() == nullptr)
        return;
    MidiDeviceDialogs dialogs(*context->GetMidiIn(), *context->GetMidiOut(), OptionFilePath(), this);
    dialogs.OutputOpened(opened);
}

void CBrindleView::EndMidiOutOpening()
{
    if (m_pMidiOutOpening)
        m_pMidiOutOpening->Wait();
    m_pMidiOutOpening.reset();
}

void CBrindleView::OnMidiDevices()
{
    AppContext* context = AppContext::Instance();
    if (context == nullptr || context->GetMidiIn() == nullptr || context->GetMidiOut() == nullptr)
        return;
    // The dialog starts from a settled output: the start-up's opening, if still under
    // way, ends first (its outcome, still to come, is dealt with as usual).
    if (m_pMidiOutOpening)
        m_pMidiOutOpening->Wait();
    MidiDeviceDialogs dialogs(*context->GetMidiIn(), *context->GetMidiOut(), OptionFilePath(), this);
    dialogs.RunDeviceDialog();
}

}  // namespace brindle
