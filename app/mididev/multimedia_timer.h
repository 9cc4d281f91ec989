// The program's clock for music: a thread of its own that wakes every millisecond on
// absolute deadlines and hands each tick the milliseconds of unpaused running time since
// the first tick after the last Start, read from a monotonic clock. The running time is
// counted from the deadline of that first tick, not from the moment the thread woke for
// it, so a later tick that wakes sooner after its own deadline never reports a
// millisecond less than has passed. A tick that comes late, or one that was skipped
// because the target was still busy, does not hold the music back: the next tick
// reports the time that has really passed, so lateness stays within one period plus the
// scheduling delay.
//
// Threads: the target's OnTick runs on the timer's thread. Start, Stop, SetPaused and
// SetTarget may be called from any thread; Stop from another thread returns only after
// the tick in progress (if any) has finished and the thread has ended, Stop from inside
// a tick returns at once and no further tick follows. The destructor stops and joins; a
// timer is never destroyed from inside its own tick.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "midi/clock_target.h"
#include "midi/player_clock.h"

namespace brindle {

class MultimediaTimer final : public midi::PlayerClock {
public:
    // Nanoseconds of a clock that never goes back; the system's monotonic clock unless
    // another is given.
    using TimeSource = std::function<std::int64_t()>;

    explicit MultimediaTimer(midi::ClockTarget* target = nullptr, TimeSource now = {});
    ~MultimediaTimer();
    MultimediaTimer(const MultimediaTimer&) = delete;
    MultimediaTimer& operator=(const MultimediaTimer&) = delete;

    // Restarts the count from 0 with the pause flag cleared; a running timer is stopped
    // first. When the thread cannot be made the timer stays stopped and says nothing.
    void Start() override;
    // While paused the ticks go on but none is delivered and the count stands still;
    // the time spent paused never counts.
    void SetPaused(bool paused) override;
    // No further tick. A stopped timer is left as it is.
    void Stop() override;
    void SetTarget(midi::ClockTarget* target) override;

    // One tick, as the timer's thread delivers it: dropped when the previous tick is
    // still being delivered; otherwise, unless paused or without a target, the target
    // gets the running milliseconds (0 at the first tick) and the count moves past them.
    void OnTimer();
    // The same tick for the period that ended at `deadline` (nanoseconds of the time
    // source): the running time of the first tick is counted from its deadline.
    void OnTimerDue(std::int64_t deadline);

    bool IsRunning() const { return running_.load(); }
    // One more than the milliseconds last delivered; 0 before the first tick.
    int GetCount() const { return counter_.load(); }

    static constexpr int kPeriodMicroseconds = 1000;

    // The system's monotonic clock in nanoseconds.
    static std::int64_t MonotonicNanoseconds();

private:
    void Run();
    // Ends the thread; the caller holds controlMutex_ and is not the timer's thread.
    void StopAndJoin();
    bool KeepRunning() const;
    // Forgets the running time: the next delivered tick is 0 again.
    void ResetRunningTime();
    // The tick at `now`; `deadline` is the end of its period, or -1 when not known.
    void Tick(std::int64_t now, std::int64_t deadline);
    // The running milliseconds at `now`, with the time paused so far left out; the
    // first tick's time is its deadline when known.
    int RunningMilliseconds(std::int64_t now, std::int64_t deadline);

    TimeSource now_;
    // The time source is the system's monotonic clock, on which the thread sleeps.
    bool systemClock_ = true;
    std::mutex controlMutex_;  // serialises Start and Stop from other threads
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> stopRequested_{false};
    std::atomic<int> counter_{0};
    std::atomic<bool> paused_{false};
    std::atomic<bool> busy_{false};
    std::atomic<midi::ClockTarget*> target_;
    // The running time, kept by the ticks alone (on the timer's thread, or by Start and
    // the owner's own OnTimer calls while no thread runs).
    bool hasOrigin_ = false;
    std::int64_t origin_ = 0;         // time of the tick that delivered 0
    std::int64_t pausedTotal_ = 0;    // nanoseconds paused since the origin
    bool inPause_ = false;
    std::int64_t pauseBegan_ = 0;
    int lastDelivered_ = -1;
};

}  // namespace brindle
