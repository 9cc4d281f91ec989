#include "app/mididev/playback_controller.h"

#include <algorithm>
#include <cstdint>

#include "midi/meter_map.h"

namespace brindle {

namespace {

constexpr std::int64_t kMicrosecondsPerMinute = 60000000;

}  // namespace

PlaybackController::PlaybackController(midi::MidiData& song, midi::MidiPlayer& player,
                                       MetronomeControl& metronome, midi::MidiOutSink* output,
                                       PlaybackHost& host)
    : song_(song), player_(player), metronome_(metronome), output_(output), host_(host)
{
}

int PlaybackController::ComputeSpeed(int viewTempo, const std::vector<midi::MidiTempoRecord>& tempos)
{
    std::int64_t scoreTempo = kTempoWithoutRecord;
    if (!tempos.empty() && tempos.front().microsecondsPerQuarter > 0)
        scoreTempo = std::max<std::int64_t>(1, kMicrosecondsPerMinute / tempos.front().microsecondsPerQuarter);
    const std::int64_t speed = static_cast<std::int64_t>(viewTempo) * 100 / scoreTempo;
    return static_cast<int>(std::clamp<std::int64_t>(speed, 1, kMaxSpeed));
}

void PlaybackController::OnPlay()
{
    if (recording_)
        return;
    if (!playing_.load()) {
        playing_ = true;
        StartPlayback();
        StartMetronome();
    } else {
        playing_ = false;
        StopPlayback();
        StopMetronome();
    }
}

void PlaybackController::OnRecord()
{
    if (playing_.load())
        return;
    recording_ = !recording_;
    if (recording_) {
        StartRecording();
        StartMetronome();
    } else {
        StopRecording();
        StopMetronome();
    }
}

void PlaybackController::OnStop()
{
    StopMetronome();
    if (playing_.load()) {
        playing_ = false;
        StopPlayback();
    }
    if (recording_) {
        recording_ = false;
        StopRecording();
    }
}

void PlaybackController::Shutdown()
{
    player_.Reset();
    playing_ = false;
    StopMetronome();
    if (recording_) {
        recording_ = false;
        host_.StopInput();
    }
}

void PlaybackController::OnMetronome()
{
    metronomeOn_ = !metronomeOn_;
    metronome_.SetOutput(metronomeOn_ ? output_ : nullptr);
}

void PlaybackController::OnSpaceKey(bool loading)
{
    if (!playing_.load() && !recording_ && !loading)
        OnPlay();
    else
        OnStop();
}

void PlaybackController::StartNewScore(int viewTempo)
{
    OnStop();
    stale_ = true;
    cursorBar_ = 0;
    cursorOffset_ = 0;
    startTick_ = 0;
    if (viewTempo > 0)
        viewTempo_ = viewTempo;
}

void PlaybackController::OnPlaybackChanged()
{
    stale_ = true;
    RebuildIfStale();
}

void PlaybackController::OnTempoChanged(int beatsPerMinute)
{
    if (beatsPerMinute <= 0)
        return;
    viewTempo_ = beatsPerMinute;
    ApplyTempoFactor();
}

void PlaybackController::SetCursorPosition(int bar, int offset)
{
    cursorBar_ = bar;
    cursorOffset_ = offset;
    // While the player reads the song its meters are those of the song being played;
    // otherwise the start tick is taken afresh when playback starts.
    UpdateStartTick();
}

void PlaybackController::OnPlayerEvent(const midi::PlayerEvent& event)
{
    if (event.code != midi::kPlayerReset)
        return;
    playing_ = false;
    StopMetronome();
    host_.RedrawView();
}

bool PlaybackController::RebuildIfStale()
{
    // The player, not the Play flag, tells whether the song is being read: the flag is
    // set before playback starts and cleared by the reset notice after the player let go.
    if (!stale_ || player_.IsPlaying())
        return false;
    Build();
    return true;
}

void PlaybackController::Build()
{
    host_.BuildSong(song_);
    stale_ = false;
}

void PlaybackController::UpdateStartTick()
{
    midi::MeterMap map;
    map.Build(song_.GetMeters(), song_.GetDivision());
    startTick_ = std::max(0, map.BarPositionToTick(std::max(cursorBar_, 0), cursorOffset_));
}

void PlaybackController::PrepareSong()
{
    RebuildIfStale();
    ApplyTempoFactor();
    UpdateStartTick();
}

void PlaybackController::StartPlayback()
{
    PrepareSong();
    player_.SetStartPosition(startTick_);
    player_.Start();
}

void PlaybackController::StopPlayback()
{
    player_.Reset();
    host_.RedrawView();
    RebuildIfStale();
}

void PlaybackController::StartRecording()
{
    PrepareSong();
    host_.StartInput();
}

void PlaybackController::StopRecording()
{
    host_.StopInput();
    host_.RedrawView();
}

void PlaybackController::StartMetronome()
{
    metronome_.SetDivision(song_.GetDivision());
    metronome_.SetMeters(song_.GetMeters());
    const std::vector<midi::MidiTempoRecord>& tempos = song_.GetTempos();
    if (tempos.empty())
        metronome_.SetTempo(kMetronomeTempoWithoutRecord);
    else
        metronome_.SetTempos(tempos);
    metronome_.SetStartTick(startTick_);
    metronome_.Start();
}

void PlaybackController::StopMetronome() { metronome_.Stop(); }

void PlaybackController::ApplyTempoFactor()
{
    speed_ = ComputeSpeed(viewTempo_, song_.GetTempos());
    player_.SetSpeed(speed_);
    metronome_.SetSpeed(speed_);
}

}  // namespace brindle
