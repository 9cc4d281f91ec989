// The MidiPlayer of the library (internal).
//
// Threads: Tick runs on the clock's thread, everything else on the owner's. One mutex
// guards the playing state; it is never held while the clock is started, paused or
// stopped (stopping may wait for a tick in progress) nor while the listener is called
// (reports made under the lock are queued and delivered after it is released). Flags the
// two threads exchange without the lock are atomics.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "midi/beat_tracker.h"
#include "midi/midi_player.h"
#include "midi/sysex_cursor.h"
#include "midi/tempo_map.h"
#include "midi/track_cursor.h"

namespace midi {

class MidiPlayerImpl final : public MidiPlayer {
public:
    static constexpr int kChannels = 16;
    static constexpr int kDefaultSubdivisions = 4;
    // Speeds are kept within 0 % (standing still) and this.
    static constexpr int kMaxSpeed = 100000;

    MidiPlayerImpl();
    ~MidiPlayerImpl() = default;

    void OnTick(int milliseconds) override;
    void SetClock(PlayerClock* clock) override;
    void SetOutput(MidiOutSink* output) override;
    void SetMidiData(MidiData* song) override;
    void SetListener(PlayerListener* listener) override;
    void Start() override;
    void Pause(bool paused) override;
    void Reset() override;
    bool IsPlaying() const override;
    void SetStartPosition(int tick) override;
    void SetTrackOptions(int trackId, const TrackOptions* options) override;
    void SetBeatSubdivisions(int subdivisions) override;
    void SetSpeed(int percent) override;
    void SetVolume(int percent) override;
    void Release() override;

private:
    class PositionReporter;
    using Reports = std::vector<PlayerEvent>;

    // All of these run with the mutex held.
    void Prepare(MidiData& song);
    void SendShort(std::uint32_t message);
    void SendExpression();
    void OnTrackEvent(int trackId, const MidiEvent& event);
    void Queue(PlayerEvent event);
    // The queued reports; the queue goes on in the buffer of an earlier delivery, so that
    // the clock's ticks queue their reports without allocating.
    Reports TakeReports();

    // Without the mutex.
    void Deliver(const Reports& reports);
    // Keeps the buffer of delivered reports for the queue to use again.
    void Recycle(Reports&& delivered);
    void Report(PlayerEvent event);

    mutable std::mutex mutex_;
    std::atomic<PlayerClock*> clock_{nullptr};
    std::atomic<MidiOutSink*> output_{nullptr};
    std::atomic<MidiData*> song_{nullptr};
    std::atomic<PlayerListener*> listener_{nullptr};
    std::atomic<bool> playing_{false};
    std::atomic<int> pendingSpeed_{100};
    std::atomic<bool> speedChangePending_{false};

    int startPosition_ = 0;
    int beatSubdivisions_ = kDefaultSubdivisions;
    TempoMap tempoMap_;
    BeatTracker beatTracker_;
    std::vector<std::shared_ptr<TrackCursor>> trackCursors_;
    std::shared_ptr<SysExCursor> sysExCursor_;
    std::map<int, TrackOptions> trackOptions_;
    // Playing time is scaled by the speed since the last re-basing: at elapsed clock time
    // anchorElapsed_ the song stood at song time anchorSongTime_ (both microseconds).
    std::int64_t anchorElapsed_ = 0;
    std::int64_t anchorSongTime_ = 0;
    int speed_ = 100;
    int volume_ = 100;
    std::array<int, kChannels> expression_{};
    Reports reports_;  // queued under the lock, delivered after it
    Reports spare_;    // an empty buffer with room, for the queue after the next taking
};

}  // namespace midi
