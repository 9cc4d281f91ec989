#include "app/mididev/multimedia_timer.h"

#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>
#include <system_error>
#include <utility>

namespace brindle {

namespace {

// The timer whose tick this thread is delivering, so that Stop and Start called from
// inside a tick know not to wait for their own thread.
thread_local const MultimediaTimer* tickingTimer = nullptr;

constexpr long kNanosecondsPerSecond = 1000000000L;

void AddNanoseconds(timespec& time, long nanoseconds)
{
    time.tv_nsec += nanoseconds;
    while (time.tv_nsec >= kNanosecondsPerSecond) {
        time.tv_nsec -= kNanosecondsPerSecond;
        ++time.tv_sec;
    }
}

bool Before(const timespec& a, const timespec& b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

}  // namespace

std::int64_t MultimediaTimer::MonotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

MultimediaTimer::MultimediaTimer(midi::ClockTarget* target, TimeSource now)
    : now_(now ? std::move(now) : TimeSource(&MultimediaTimer::MonotonicNanoseconds)),
      systemClock_(!now),
      target_(target)
{
}

MultimediaTimer::~MultimediaTimer()
{
    std::lock_guard lock(controlMutex_);
    StopAndJoin();
}

void MultimediaTimer::Start()
{
    if (tickingTimer == this) {
        // A restart from inside a tick: the thread goes on, counting from 0 again
        // (unless another thread is stopping it at this moment).
        counter_ = 0;
        paused_ = false;
        ResetRunningTime();
        running_ = true;
        return;
    }
    std::lock_guard lock(controlMutex_);
    StopAndJoin();
    counter_ = 0;
    paused_ = false;
    busy_ = false;
    ResetRunningTime();
    stopRequested_ = false;
    running_ = true;
    try {
        thread_ = std::thread(&MultimediaTimer::Run, this);
    } catch (const std::system_error&) {
        running_ = false;
    }
}

void MultimediaTimer::SetPaused(bool paused)
{
    paused_ = paused;
}

void MultimediaTimer::Stop()
{
    if (tickingTimer == this) {
        // The thread sees the cleared flag when the tick returns and ends; a later Start
        // or the destructor joins it.
        running_ = false;
        return;
    }
    std::lock_guard lock(controlMutex_);
    StopAndJoin();
}

void MultimediaTimer::SetTarget(midi::ClockTarget* target)
{
    target_ = target;
}

void MultimediaTimer::StopAndJoin()
{
    // A separate request: a restart from inside a tick in progress cannot undo it.
    stopRequested_ = true;
    running_ = false;
    if (thread_.joinable())
        thread_.join();
}

bool MultimediaTimer::KeepRunning() const
{
    return running_.load() && !stopRequested_.load();
}

void MultimediaTimer::ResetRunningTime()
{
    hasOrigin_ = false;
    origin_ = 0;
    pausedTotal_ = 0;
    inPause_ = false;
    pauseBegan_ = 0;
    lastDelivered_ = -1;
}

int MultimediaTimer::RunningMilliseconds(std::int64_t now, std::int64_t deadline)
{
    if (!hasOrigin_) {
        hasOrigin_ = true;
        // The thread wakes a little after each deadline, some ticks sooner than others:
        // counted from the wake-up of the first tick, a later tick that woke sooner would
        // fall a whole millisecond short and hold its notes back by it. A first tick that
        // woke a whole period late still delivers 0.
        constexpr std::int64_t kMillisecond = 1000000;
        origin_ = deadline >= 0 ? std::clamp(deadline, now - (kMillisecond - 1), now) : now;
        pausedTotal_ = 0;
    }
    if (inPause_) {
        pausedTotal_ += now - pauseBegan_;
        inPause_ = false;
    }
    const std::int64_t running = (now - origin_ - pausedTotal_) / 1000000;
    // A count that would pass the int range stays at its end; it never goes back.
    const int milliseconds =
        static_cast<int>(std::clamp<std::int64_t>(running, 0, INT_MAX - 1));
    return std::max(milliseconds, lastDelivered_);
}

void MultimediaTimer::OnTimer()
{
    Tick(now_(), -1);
}

void MultimediaTimer::OnTimerDue(std::int64_t deadline)
{
    Tick(now_(), deadline);
}

void MultimediaTimer::Tick(std::int64_t now, std::int64_t deadline)
{
    if (busy_.exchange(true))
        return;
    midi::ClockTarget* target = target_.load();
    if (paused_.load() || target == nullptr) {
        // Time without a delivered tick is held out of the count.
        if (hasOrigin_ && !inPause_) {
            inPause_ = true;
            pauseBegan_ = now;
        }
    } else {
        const int elapsed = RunningMilliseconds(now, deadline);
        lastDelivered_ = elapsed;
        counter_ = elapsed + 1;
        const MultimediaTimer* outer = tickingTimer;
        tickingTimer = this;
        target->OnTick(elapsed);
        tickingTimer = outer;
    }
    busy_ = false;
}

void MultimediaTimer::Run()
{
    // Music waits for nothing else: where the system allows it, the clock's thread runs
    // ahead of ordinary threads (a real-time priority at the low end of its range), and
    // its sleeps end on time. Where it is refused the thread runs as any other.
    sched_param priority{};
    priority.sched_priority = sched_get_priority_min(SCHED_FIFO) + 9;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority);
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);

    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    while (KeepRunning()) {
        AddNanoseconds(deadline, kPeriodMicroseconds * 1000L);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
        }
        if (!KeepRunning())
            break;
        // The deadline is on the system's clock; another time source has its own.
        if (systemClock_)
            OnTimerDue(static_cast<std::int64_t>(deadline.tv_sec) * kNanosecondsPerSecond + deadline.tv_nsec);
        else
            OnTimer();
        // Deadlines missed while the target was busy are not made up in a burst of ticks:
        // the next tick reads the clock and reports the time that has passed.
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        timespec next = deadline;
        AddNanoseconds(next, kPeriodMicroseconds * 1000L);
        if (Before(next, now))
            deadline = now;
    }
}

}  // namespace brindle
