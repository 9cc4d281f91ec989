// The program's clock for music: a thread of its own that wakes every millisecond on
// absolute deadlines and hands each tick, as a running count, to one ClockTarget (the
// player or the metronome). The count is the number of ticks delivered since the last
// Start, so it is the target's notion of milliseconds of unpaused running time.
//
// Threads: the target's OnTick runs on the timer's thread. Start, Stop, SetPaused and
// SetTarget may be called from any thread; Stop from another thread returns only after
// the tick in progress (if any) has finished and the thread has ended, Stop from inside
// a tick returns at once and no further tick follows. The destructor stops and joins; a
// timer is never destroyed from inside its own tick.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>

#include "midi/clock_target.h"
#include "midi/player_clock.h"

namespace brindle {

class MultimediaTimer final : public midi::PlayerClock {
public:
    explicit MultimediaTimer(midi::ClockTarget* target = nullptr);
    ~MultimediaTimer();
    MultimediaTimer(const MultimediaTimer&) = delete;
    MultimediaTimer& operator=(const MultimediaTimer&) = delete;

    // Restarts the count from 0 with the pause flag cleared; a running timer is stopped
    // first. When the thread cannot be made the timer stays stopped and says nothing.
    void Start() override;
    // While paused the ticks go on but none is delivered and the count stands still.
    void SetPaused(bool paused) override;
    // No further tick. A stopped timer is left as it is.
    void Stop() override;
    void SetTarget(midi::ClockTarget* target) override;

    // One tick, as the timer's thread delivers it: dropped when the previous tick is
    // still being delivered; otherwise, unless paused or without a target, the target
    // gets the count and the count moves on by one.
    void OnTimer();

    bool IsRunning() const { return running_.load(); }
    int GetCount() const { return counter_.load(); }

    static constexpr int kPeriodMicroseconds = 1000;

private:
    void Run();
    // Ends the thread; the caller holds controlMutex_ and is not the timer's thread.
    void StopAndJoin();
    bool KeepRunning() const;

    std::mutex controlMutex_;  // serialises Start and Stop from other threads
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> stopRequested_{false};
    std::atomic<int> counter_{0};
    std::atomic<bool> paused_{false};
    std::atomic<bool> busy_{false};
    std::atomic<midi::ClockTarget*> target_;
};

}  // namespace brindle
