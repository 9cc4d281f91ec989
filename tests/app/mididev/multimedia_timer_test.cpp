#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "app/mididev/multimedia_timer.h"

namespace {

using brindle::MultimediaTimer;
using namespace std::chrono_literals;

// Records every tick it gets; an optional action runs inside the tick.
class RecordingTarget final : public midi::ClockTarget {
public:
    void OnTick(int elapsed) override
    {
        {
            std::lock_guard lock(mutex_);
            ticks_.push_back(elapsed);
        }
        if (action)
            action(elapsed);
        count_ = count_ + 1;
    }
    std::vector<int> Ticks() const
    {
        std::lock_guard lock(mutex_);
        return ticks_;
    }
    int Count() const { return count_.load(); }
    bool WaitFor(int count, std::chrono::milliseconds limit = 5s) const
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (Count() < count) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(1ms);
        }
        return true;
    }

    std::function<void(int)> action;

private:
    mutable std::mutex mutex_;
    std::vector<int> ticks_;
    std::atomic<int> count_{0};
};

// A clock the test moves by hand, in milliseconds.
class FakeClock {
public:
    MultimediaTimer::TimeSource Source()
    {
        return [this] { return nanoseconds_; };
    }
    void Advance(double milliseconds)
    {
        nanoseconds_ += static_cast<std::int64_t>(milliseconds * 1000000.0);
    }

private:
    std::int64_t nanoseconds_ = 5'000'000'000;
};

// The tick rules, one OnTimer call at a time as the timer thread makes them, each a
// millisecond after the one before unless the case says otherwise.
TEST(MultimediaTimerTick, CountsFromZeroAndHoldsWhilePaused)
{
    FakeClock clock;
    RecordingTarget target;
    MultimediaTimer timer(&target, clock.Source());
    const auto tick = [&] {
        timer.OnTimer();
        clock.Advance(1);
    };
    tick();
    tick();
    timer.SetPaused(true);
    tick();
    tick();
    EXPECT_EQ(timer.GetCount(), 2);
    timer.SetPaused(false);
    tick();
    EXPECT_EQ(target.Ticks(), (std::vector<int>{0, 1, 2}));
}

TEST(MultimediaTimerTick, WithoutTargetTheCountStaysAtZero)
{
    FakeClock clock;
    MultimediaTimer timer(nullptr, clock.Source());
    timer.OnTimer();
    clock.Advance(1);
    timer.OnTimer();
    clock.Advance(1);
    EXPECT_EQ(timer.GetCount(), 0);
    RecordingTarget target;
    timer.SetTarget(&target);
    timer.OnTimer();
    EXPECT_EQ(target.Ticks(), (std::vector<int>{0}));
}

TEST(MultimediaTimerTick, TickArrivingDuringATickIsDroppedAndItsTimeMadeUp)
{
    FakeClock clock;
    RecordingTarget target;
    MultimediaTimer timer(&target, clock.Source());
    target.action = [&](int elapsed) {
        if (elapsed == 0) {
            clock.Advance(1);
            timer.OnTimer();  // the next period came while this one was still busy
            clock.Advance(1);
        }
    };
    timer.OnTimer();
    timer.OnTimer();
    EXPECT_EQ(target.Ticks(), (std::vector<int>{0, 2}));
}

// The count follows the clock: late ticks report the time that has really passed, time
// spent paused is left out, and a restart counts from its first tick again.
TEST(MultimediaTimerTick, ElapsedTimeFollowsTheClock)
{
    struct Step {
        double advanceMs;  // before the tick
        bool paused;       // during the tick
        bool restart;      // Start before the tick (no thread: the test ticks by hand)
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"on time", {{0, false, false}, {1, false, false}, {1, false, false}}, {0, 1, 2}},
        {"a late tick catches up at once",
         {{0, false, false}, {1, false, false}, {7.5, false, false}, {0.5, false, false}},
         {0, 1, 8, 9}},
        {"a tick just short of the next millisecond stays on the last one",
         {{0, false, false}, {0.999, false, false}, {0.001, false, false}},
         {0, 0, 1}},
        {"the time paused is left out",
         {{0, false, false}, {1, false, false}, {1, true, false}, {40, true, false},
          {1, false, false}, {1, false, false}},
         {0, 1, 2, 3}},
        {"the first tick after a restart is 0",
         {{0, false, false}, {3, false, false}, {100, false, true}, {1, false, false}},
         {0, 3, 0, 1}},
        {"a pause before the first tick changes nothing",
         {{0, true, false}, {10, true, false}, {1, false, false}, {1, false, false}},
         {0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        RecordingTarget target;
        MultimediaTimer timer(&target, clock.Source());
        for (const Step& step : c.steps) {
            clock.Advance(step.advanceMs);
            if (step.restart) {
                // The thread is not wanted: the test ticks by hand. Whatever the thread
                // ticks before it is stopped (a slow machine lets some in) reaches no
                // target, so it neither counts nor starts the running time.
                timer.SetTarget(nullptr);
                timer.Start();
                timer.Stop();
                timer.SetTarget(&target);
            }
            timer.SetPaused(step.paused);
            timer.OnTimer();
        }
        EXPECT_EQ(target.Ticks(), c.expected);
    }
}

// The thread wakes somewhat after each deadline, by a different delay each time: the
// count runs from the first tick's deadline, so a tick that woke sooner after its own
// deadline than the first one did still reports every millisecond that has passed.
TEST(MultimediaTimerTick, WakeUpDelaysDoNotHoldTheCountBack)
{
    struct Wake {
        double deadlineMs;  // the end of the tick's period
        double wokeMs;      // when the thread woke for it
    };
    struct Case {
        const char* name;
        std::vector<Wake> ticks;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"on the deadlines", {{0, 0}, {1, 1}, {2, 2}}, {0, 1, 2}},
        {"the first tick woke late, the others sooner",
         {{0, 0.4}, {1, 1.05}, {2, 2.02}, {3, 3.3}}, {0, 1, 2, 3}},
        {"a tick woke more than a period late; the next period starts then",
         {{0, 0.1}, {1, 2.6}, {3.6, 3.7}}, {0, 2, 3}},
        {"the first tick woke more than a period late: it is still 0",
         {{0, 1.5}, {2.5, 2.6}, {3.5, 3.55}}, {0, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        RecordingTarget target;
        MultimediaTimer timer(&target, clock.Source());
        const std::int64_t start = clock.Source()();
        double nowMs = 0;
        for (const Wake& wake : c.ticks) {
            clock.Advance(wake.wokeMs - nowMs);
            nowMs = wake.wokeMs;
            timer.OnTimerDue(start + static_cast<std::int64_t>(wake.deadlineMs * 1000000.0));
        }
        EXPECT_EQ(target.Ticks(), c.expected);
    }
}

// Hours of running time stay exact to the millisecond.
TEST(MultimediaTimerTick, LongRunsKeepTheirMilliseconds)
{
    FakeClock clock;
    RecordingTarget target;
    MultimediaTimer timer(&target, clock.Source());
    timer.OnTimer();
    clock.Advance(3.0 * 3600 * 1000 + 0.25);
    timer.OnTimer();
    EXPECT_EQ(target.Ticks(), (std::vector<int>{0, 3 * 3600 * 1000}));
}

// The thread.
TEST(MultimediaTimerThread, DeliversAboutAThousandTicksASecond)
{
    RecordingTarget target;
    MultimediaTimer timer(&target);
    const auto begin = std::chrono::steady_clock::now();
    timer.Start();
    std::this_thread::sleep_for(500ms);
    timer.Stop();
    const double elapsedMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    const int count = target.Count();
    // On a loaded machine some periods are missed, but never more than there were.
    EXPECT_LE(count, elapsedMs + 2);
    EXPECT_GE(count, elapsedMs * 0.5);
    // The count runs with the clock, never ahead of it, from 0 and never back.
    const std::vector<int> ticks = target.Ticks();
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks.front(), 0);
    EXPECT_TRUE(std::is_sorted(ticks.begin(), ticks.end()));
    EXPECT_LE(ticks.back(), elapsedMs);
    EXPECT_GE(ticks.back(), elapsedMs - 100);
}

TEST(MultimediaTimerThread, PauseHoldsTheCountAndReleaseGoesOnWithoutGap)
{
    RecordingTarget target;
    MultimediaTimer timer(&target);
    timer.Start();
    ASSERT_TRUE(target.WaitFor(20));
    timer.SetPaused(true);
    std::this_thread::sleep_for(5ms);  // a tick already past the flag may still land
    const int held = target.Count();
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(target.Count(), held);
    timer.SetPaused(false);
    ASSERT_TRUE(target.WaitFor(held + 20));
    timer.Stop();
    // The 30 ms paused never count: the first tick after the release follows the last
    // one before it within a period or two.
    const std::vector<int> ticks = target.Ticks();
    ASSERT_GT(ticks.size(), static_cast<std::size_t>(held));
    EXPECT_TRUE(std::is_sorted(ticks.begin(), ticks.end()));
    const auto held_at = static_cast<std::size_t>(held);
    EXPECT_LT(ticks[held_at] - ticks[held_at - 1], 20);
}

TEST(MultimediaTimerThread, StartWhileRunningRestartsFromZeroUnpaused)
{
    RecordingTarget target;
    MultimediaTimer timer(&target);
    timer.Start();
    ASSERT_TRUE(target.WaitFor(10));
    timer.SetPaused(true);
    timer.Start();
    // The new thread may have ticked already when Start returns: the restart is found
    // in the ticks, where the count first goes back.
    ASSERT_TRUE(target.WaitFor(target.Count() + 5));
    timer.Stop();
    const std::vector<int> ticks = target.Ticks();
    std::size_t restart = 1;
    while (restart < ticks.size() && ticks[restart] >= ticks[restart - 1])
        ++restart;
    ASSERT_LT(restart + 1, ticks.size());
    EXPECT_EQ(ticks[restart], 0);
    // Unpaused, it goes on at once (a tenth of a second even on a loaded machine).
    EXPECT_LT(ticks[restart + 1], 100);
}

TEST(MultimediaTimerThread, StopFromInsideATickReturnsAtOnceAndEndsTheTicks)
{
    RecordingTarget target;
    MultimediaTimer timer(&target);
    std::atomic<bool> stopReturned{false};
    // The count the target has seen so far: 0 inside the first tick.
    target.action = [&](int) {
        if (target.Count() == 5) {
            timer.Stop();
            stopReturned = true;
        }
    };
    timer.Start();
    ASSERT_TRUE(target.WaitFor(6));
    std::this_thread::sleep_for(30ms);
    EXPECT_TRUE(stopReturned);
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_EQ(target.Count(), 6);

    // The ended thread does not stand in the way of the next start.
    target.action = nullptr;
    timer.Start();
    ASSERT_TRUE(target.WaitFor(12));
    timer.Stop();
}

TEST(MultimediaTimerThread, StopFromAnotherThreadWaitsForTheTickInProgress)
{
    RecordingTarget target;
    MultimediaTimer timer(&target);
    std::atomic<bool> inTick{false};
    std::atomic<bool> tickDone{false};
    target.action = [&](int) {
        if (target.Count() == 3) {
            inTick = true;
            std::this_thread::sleep_for(30ms);
            tickDone = true;
        }
    };
    timer.Start();
    while (!inTick)
        std::this_thread::sleep_for(1ms);
    timer.Stop();
    EXPECT_TRUE(tickDone);
    const int count = target.Count();
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(target.Count(), count);
}

TEST(MultimediaTimerThread, DestructorStopsAndJoins)
{
    RecordingTarget target;
    {
        MultimediaTimer timer(&target);
        timer.Start();
        ASSERT_TRUE(target.WaitFor(3));
    }
    const int count = target.Count();
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(target.Count(), count);
}

TEST(MultimediaTimerThread, StopOfAStoppedTimerDoesNothing)
{
    RecordingTarget target;
    MultimediaTimer timer(&target);
    timer.Stop();
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_EQ(target.Count(), 0);
}

}  // namespace
