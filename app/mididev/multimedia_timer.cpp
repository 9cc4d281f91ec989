#include "app/mididev/multimedia_timer.h"

#include <cerrno>
#include <climits>
#include <ctime>
#include <system_error>

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

MultimediaTimer::MultimediaTimer(midi::ClockTarget* target) : target_(target) {}

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
        running_ = true;
        return;
    }
    std::lock_guard lock(controlMutex_);
    StopAndJoin();
    counter_ = 0;
    paused_ = false;
    busy_ = false;
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

void MultimediaTimer::OnTimer()
{
    if (busy_.exchange(true))
        return;
    midi::ClockTarget* target = target_.load();
    if (!paused_.load() && target != nullptr) {
        const int n = counter_.load();
        // A count that would pass the int range stays at its end.
        if (n < INT_MAX)
            counter_ = n + 1;
        const MultimediaTimer* outer = tickingTimer;
        tickingTimer = this;
        target->OnTick(n);
        tickingTimer = outer;
    }
    busy_ = false;
}

void MultimediaTimer::Run()
{
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    while (KeepRunning()) {
        AddNanoseconds(deadline, kPeriodMicroseconds * 1000L);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
        }
        if (!KeepRunning())
            break;
        OnTimer();
        // Deadlines missed while the target was busy are dropped, not made up in a burst:
        // under load the count falls behind the wall clock.
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        timespec next = deadline;
        AddNanoseconds(next, kPeriodMicroseconds * 1000L);
        if (Before(next, now))
            deadline = now;
    }
}

}  // namespace brindle
