// Clicks on every beat of the song while playback or recording runs: driven by a timer
// of its own (its ClockTarget), it follows the song's tempo changes and meters from a
// start tick and sends a note-on on channel 10 through its output, the downbeat sound on
// the first beat of a bar, the beat sound on the others. Without an output it runs
// silently, so switching the clicks on and off never disturbs the timing.
//
// Threads: OnTick and the clicks run on the timer's thread; everything else on any
// other thread. Start and Stop stop the timer (waiting for a tick in progress) before
// they touch what the ticks read. The timer is stopped or destroyed before the
// metronome is destroyed.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "midi/beat_tracker.h"
#include "midi/clock_target.h"
#include "midi/midi_out_sink.h"
#include "midi/midi_records.h"
#include "midi/player_clock.h"
#include "midi/tempo_map.h"

namespace brindle {

class Metronome final : public midi::ClockTarget {
public:
    static constexpr int kBeatSubdivisions = 4;
    static constexpr int kMaxSpeed = 100000;  // percent, as the player keeps it

    Metronome();
    virtual ~Metronome();
    Metronome(const Metronome&) = delete;
    Metronome& operator=(const Metronome&) = delete;

    // One tick of the timer: elapsed milliseconds of playing time since Start.
    void OnTick(int elapsed) override;
    // Playing speed in percent (0 stands still), applied from the next tick without a
    // jump.
    virtual void SetSpeed(int percent);

    // Where the next Start begins, in song ticks.
    void SetStartTick(int tick);
    // One tempo for the whole song, in beats per minute (a tempo of zero or less is
    // passed over).
    void SetTempo(int beatsPerMinute);
    // The song's tempo records, so that the clicks follow its tempo changes.
    void SetTempos(const std::vector<midi::MidiTempoRecord>& tempos);
    void SetDivision(int division);
    void SetMeters(const std::vector<midi::MidiMeterRecord>& meters);
    // Null silences the clicks; may change between ticks.
    void SetOutput(midi::MidiOutSink* output);
    void SetTimer(midi::PlayerClock* timer);
    void SetDownbeatSound(int note, int velocity);
    void SetBeatSound(int note, int velocity);

    // Builds the maps from the values last set and starts the timer from the start
    // tick; a running metronome starts afresh.
    void Start();
    // Stops the timer; the speed stays for the next run.
    void Stop();

    // A click on subdivision 0 of every beat.
    void OnBeat(int bar, int beat, int subdivision, int tick);

private:
    class BeatForwarder;
    struct Sound {
        int note = 42;
        int velocity = 127;
    };

    // Stops the timer and waits for the tick in progress; the caller holds controlMutex_
    // unless it is on the timer's thread.
    void StopTimer();

    std::mutex controlMutex_;  // serialises Start, Stop and the setters
    int startTick_ = 0;
    int division_ = midi::TempoMap::kDefaultDivision;
    std::vector<midi::MidiTempoRecord> tempos_;
    std::vector<midi::MidiMeterRecord> meters_;
    std::atomic<int> downbeatNote_{42};
    std::atomic<int> downbeatVelocity_{127};
    std::atomic<int> beatNote_{42};
    std::atomic<int> beatVelocity_{100};
    std::atomic<midi::PlayerClock*> timer_{nullptr};
    std::atomic<midi::MidiOutSink*> output_{nullptr};

    // Read by the ticks; written only while the timer is stopped.
    std::unique_ptr<midi::TempoMap> tempoMap_;
    std::unique_ptr<midi::BeatTracker> beatTracker_;
    // Playing time scaled by the speed since the last change: at elapsed clock time
    // anchorElapsed_ the song stood at anchorSongTime_ (both microseconds, 64-bit so
    // that long runs stay exact).
    std::int64_t anchorElapsed_ = 0;
    std::int64_t anchorSongTime_ = 0;
    int speed_ = 100;
    std::atomic<int> pendingSpeed_{100};
    std::atomic<bool> speedPending_{false};
};

}  // namespace brindle
