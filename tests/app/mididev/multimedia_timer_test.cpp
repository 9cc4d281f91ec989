#include <gtest/gtest.h>

#include <atomic>
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

// The tick rules, one OnTimer call at a time as the timer thread makes them.
TEST(MultimediaTimerTick, CountsFromZeroAndHoldsWhilePaused)
{
    RecordingTarget target;
    MultimediaTimer timer(&target);
    timer.OnTimer();
    timer.OnTimer();
    timer.SetPaused(true);
    timer.OnTimer();
    timer.OnTimer();
    EXPECT_EQ(timer.GetCount(), 2);
    timer.SetPaused(false);
    timer.OnTimer();
    EXPECT_EQ(target.Ticks(), (std::vector<int>{0, 1, 2}));
}

TEST(MultimediaTimerTick, WithoutTargetTheCountStaysAtZero)
{
    MultimediaTimer timer;
    timer.OnTimer();
    timer.OnTimer();
    EXPECT_EQ(timer.GetCount(), 0);
    RecordingTarget target;
    timer.SetTarget(&target);
    timer.OnTimer();
    EXPECT_EQ(target.Ticks(), (std::vector<int>{0}));
}

TEST(MultimediaTimerTick, TickArrivingDuringATickIsDropped)
{
    RecordingTarget target;
    MultimediaTimer timer(&target);
    target.action = [&](int elapsed) {
        if (elapsed == 0)
            timer.OnTimer();  // the next period came while this one was still busy
    };
    timer.OnTimer();
    timer.OnTimer();
    EXPECT_EQ(target.Ticks(), (std::vector<int>{0, 1}));
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
    // Never ahead of the wall clock (missed periods are dropped, not caught up), and on
    // a loaded machine still well over half of it.
    EXPECT_LE(count, elapsedMs + 2);
    EXPECT_GE(count, elapsedMs * 0.5);
    const std::vector<int> ticks = target.Ticks();
    for (std::size_t i = 0; i < ticks.size(); ++i)
        ASSERT_EQ(ticks[i], static_cast<int>(i));
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
    const std::vector<int> ticks = target.Ticks();
    for (std::size_t i = 0; i < ticks.size(); ++i)
        ASSERT_EQ(ticks[i], static_cast<int>(i));
}

TEST(MultimediaTimerThread, StartWhileRunningRestartsFromZeroUnpaused)
{
    RecordingTarget target;
    MultimediaTimer timer(&target);
    timer.Start();
    ASSERT_TRUE(target.WaitFor(10));
    timer.SetPaused(true);
    timer.Start();
    const int before = target.Count();
    ASSERT_TRUE(target.WaitFor(before + 5));
    timer.Stop();
    const std::vector<int> ticks = target.Ticks();
    ASSERT_GT(ticks.size(), static_cast<std::size_t>(before));
    EXPECT_EQ(ticks[static_cast<std::size_t>(before)], 0);
    EXPECT_EQ(ticks[static_cast<std::size_t>(before) + 1], 1);
}

TEST(MultimediaTimerThread, StopFromInsideATickReturnsAtOnceAndEndsTheTicks)
{
    RecordingTarget target;
    MultimediaTimer timer(&target);
    std::atomic<bool> stopReturned{false};
    target.action = [&](int elapsed) {
        if (elapsed == 5) {
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
    target.action = [&](int elapsed) {
        if (elapsed == 3) {
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
