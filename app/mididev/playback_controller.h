// The user's side of playback, without the window: Play, Record, Stop and the metronome
// switch with their flags, the speed that makes the score's first tempo sound at the
// tempo of the slider, the rebuilding of the song when the score changed, the start
// tick from the cursor, and the player's reset notice.
//
// The song is never rebuilt while the player reads it: a rebuild asked for during
// playback waits until the player has been reset, and is done by the next command that
// needs the song. The start tick is taken from the cursor's bar and offset after any
// rebuild, in the meters of the song that is played.
//
// Threads: everything runs on the user-interface thread except OnPlayerEvent, which
// the player calls on its clock's thread.
#pragma once

#include <atomic>
#include <vector>

#include "app/mididev/metronome_control.h"
#include "app/mididev/playback_host.h"
#include "midi/midi_data.h"
#include "midi/midi_out_sink.h"
#include "midi/midi_player.h"
#include "midi/player_listener.h"

namespace brindle {

class PlaybackController {
public:
    static constexpr int kDefaultViewTempo = 120;
    // The score tempo a song without tempo records is taken to have, and the metronome's
    // tempo then.
    static constexpr int kTempoWithoutRecord = 120;
    static constexpr int kMetronomeTempoWithoutRecord = 100;
    static constexpr int kMaxSpeed = Metronome::kMaxSpeed;

    // None is owned; all must outlive the controller. The output is what the metronome
    // clicks through while its switch is on.
    PlaybackController(midi::MidiData& song, midi::MidiPlayer& player, MetronomeControl& metronome,
                       midi::MidiOutSink* output, PlaybackHost& host);

    // The commands. Play is ignored while recording, Record while playing.
    void OnPlay();
    void OnRecord();
    void OnStop();
    void OnMetronome();
    // Space: Play when idle and no document is being loaded, else Stop.
    void OnSpaceKey(bool loading);

    // A score was created or opened: idle, the song out of date, the cursor at the
    // start, the view tempo the score's. The metronome switch keeps its state.
    void StartNewScore(int viewTempo);
    // The editor recorded a change of the document.
    void OnDocumentModified() { stale_ = true; }
    // The editor says what is played changed: rebuilt at once, or once the player is
    // reset.
    void OnPlaybackChanged();
    // The tempo slider, in beats per minute; zero or less is refused.
    void OnTempoChanged(int beatsPerMinute);
    // The cursor moved.
    void SetCursorPosition(int bar, int offset);

    // Before what the commands reach goes: the player is reset whatever the flags say
    // (which stops its clock and waits for a notice in progress: at the end of the song
    // the clock's thread clears Play before it stops the clicks and redraws), then the
    // clicks and the input stop. Nothing is redrawn.
    void Shutdown();

    // The player's reports (its listener forwards them): the reset, also at the end of
    // the song, clears Play and stops the clicks.
    void OnPlayerEvent(const midi::PlayerEvent& event);

    // Rebuilds the song when the score changed since the last build and the player is
    // not reading it; true when it rebuilt.
    bool RebuildIfStale();

    bool IsPlaying() const { return playing_.load(); }
    bool IsRecording() const { return recording_; }
    bool IsMetronomeOn() const { return metronomeOn_; }
    // Stop is enabled while playing or recording.
    bool CanStop() const { return IsPlaying() || recording_; }
    bool IsStale() const { return stale_; }
    int GetViewTempo() const { return viewTempo_; }
    int GetStartTick() const { return startTick_; }
    int GetSpeed() const { return speed_; }

    // The speed in percent that plays the first of the tempos at the view tempo: view
    // tempo x 100 / score tempo (120 without a tempo record), held between 1 and
    // kMaxSpeed so that playback never stands still.
    static int ComputeSpeed(int viewTempo, const std::vector<midi::MidiTempoRecord>& tempos);

private:
    // Rebuild if out of date, apply the speed, take the start tick.
    void PrepareSong();
    void StartPlayback();
    void StopPlayback();
    void StartRecording();
    void StopRecording();
    void StartMetronome();
    void StopMetronome();
    void ApplyTempoFactor();
    void Build();
    void UpdateStartTick();

    midi::MidiData& song_;
    midi::MidiPlayer& player_;
    MetronomeControl& metronome_;
    midi::MidiOutSink* output_;
    PlaybackHost& host_;

    std::atomic<bool> playing_{false};
    bool recording_ = false;
    bool metronomeOn_ = false;
    bool stale_ = true;  // no song built yet
    int viewTempo_ = kDefaultViewTempo;
    int cursorBar_ = 0;
    int cursorOffset_ = 0;
    int startTick_ = 0;
    int speed_ = 100;
};

}  // namespace brindle
