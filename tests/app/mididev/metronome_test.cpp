#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "app/mididev/metronome.h"
#include "app/mididev/multimedia_timer.h"
#include "tests/midi/player_fakes.h"

namespace {

using brindle::Metronome;
using midi::MidiMeterRecord;
using midi::MidiTempoRecord;
using midi::testing::FakeClock;
using midi::testing::Journal;
using namespace std::chrono_literals;

constexpr std::uint32_t kDownbeat = 0x642299;  // note 34, velocity 100, channel 10
constexpr std::uint32_t kBeat = 0x502199;      // note 33, velocity 80

// Writes down at which elapsed millisecond each message was sent.
class TimedSink final : public midi::MidiOutSink {
public:
    void Reset() override {}
    void SendShortMessage(std::uint32_t message) override
    {
        std::lock_guard lock(mutex_);
        sent_.emplace_back(now, message);
    }
    void SendLongMessage(const std::uint8_t*, std::uint32_t) override {}
    std::vector<std::pair<int, std::uint32_t>> Sent() const
    {
        std::lock_guard lock(mutex_);
        return sent_;
    }
    std::vector<int> Times() const
    {
        std::vector<int> times;
        for (const auto& [time, message] : Sent())
            times.push_back(time);
        return times;
    }

    int now = 0;

private:
    mutable std::mutex mutex_;
    std::vector<std::pair<int, std::uint32_t>> sent_;
};

// The metronome as the application sets it up, on a clock the test drives by hand.
struct MetronomeFixture : ::testing::Test {
    MetronomeFixture() : clock(journal)
    {
        metronome.SetTimer(&clock);
        metronome.SetOutput(&sink);
        metronome.SetDownbeatSound(34, 100);
        metronome.SetBeatSound(33, 80);
        metronome.SetDivision(120);
    }
    void Run(int from, int to)
    {
        for (int ms = from; ms <= to; ++ms) {
            sink.now = ms;
            metronome.OnTick(ms);
        }
    }
    static MidiMeterRecord Meter(int tick, int numerator, int denominator)
    {
        return {tick, numerator, denominator, 24, 8};
    }

    Journal journal;
    FakeClock clock;
    TimedSink sink;
    Metronome metronome;
};

TEST_F(MetronomeFixture, ClicksEveryBeatOfThreeFourAtTempo120)
{
    metronome.SetMeters({Meter(0, 3, 4)});
    metronome.SetTempo(120);
    metronome.SetStartTick(0);
    metronome.Start();
    EXPECT_TRUE(clock.running);
    Run(0, 1600);
    EXPECT_EQ(sink.Sent(), (std::vector<std::pair<int, std::uint32_t>>{
                               {0, kDownbeat}, {500, kBeat}, {1000, kBeat}, {1500, kDownbeat}}));
    metronome.Stop();
    EXPECT_FALSE(clock.running);
}

TEST_F(MetronomeFixture, FollowsTheSongsTempoChanges)
{
    // Quarter = 120, then from bar 1 quarter = 60.
    metronome.SetTempos({{0, 500000}, {480, 1000000}});
    metronome.Start();
    Run(0, 4100);
    EXPECT_EQ(sink.Times(), (std::vector<int>{0, 500, 1000, 1500, 2000, 3000, 4000}));
    EXPECT_EQ(sink.Sent()[4].second, kDownbeat);
}

TEST_F(MetronomeFixture, StartsAtTheStartTickUnderTheTempoInForceThere)
{
    metronome.SetMeters({Meter(0, 3, 4)});
    metronome.SetTempos({{0, 500000}, {360, 1000000}});
    metronome.SetStartTick(360);  // bar 1, where the tempo halves
    metronome.Start();
    Run(0, 2100);
    EXPECT_EQ(sink.Sent(), (std::vector<std::pair<int, std::uint32_t>>{
                               {0, kDownbeat}, {1000, kBeat}, {2000, kBeat}}));
}

TEST_F(MetronomeFixture, KeepsTimePastThirtyFiveMinutes)
{
    // 2^31 microseconds is a little under 35 minutes 48 seconds: the run crosses it.
    metronome.SetTempo(120);
    metronome.Start();
    Run(2146000, 2149000);
    const std::vector<int> times = sink.Times();
    ASSERT_GE(times.size(), 6u);
    for (std::size_t i = 1; i < times.size(); ++i) {
        EXPECT_GE(times[i] - times[i - 1], 499);
        EXPECT_LE(times[i] - times[i - 1], 501);
    }
}

TEST_F(MetronomeFixture, SpeedChangeScalesWhatFollowsWithoutAJump)
{
    metronome.SetTempo(120);
    metronome.Start();
    Run(0, 999);
    metronome.SetSpeed(200);
    Run(1000, 2100);
    EXPECT_EQ(sink.Times(), (std::vector<int>{0, 500, 1000, 1250, 1500, 1750, 2000}));

    // The speed stays for the next run, which begins at the start tick again.
    metronome.Stop();
    metronome.Start();
    Run(0, 300);
    EXPECT_EQ(sink.Times().back(), 250);
}

TEST_F(MetronomeFixture, WithoutOutputItRunsSilentlyAndResumesOnTheNextBeat)
{
    metronome.SetTempo(120);
    metronome.SetOutput(nullptr);
    metronome.Start();
    Run(0, 700);
    EXPECT_TRUE(sink.Sent().empty());
    metronome.SetOutput(&sink);
    Run(701, 1100);
    EXPECT_EQ(sink.Times(), (std::vector<int>{1000}));
}

TEST_F(MetronomeFixture, RestartAtThePositionLastReportedDoesNotClickAgain)
{
    metronome.SetTempo(120);
    metronome.Start();
    Run(0, 50);  // still in the first quarter of beat 0
    metronome.Stop();
    metronome.Start();
    Run(0, 600);
    EXPECT_EQ(sink.Times(), (std::vector<int>{0, 500}));
}

TEST_F(MetronomeFixture, OnlyTheFirstSubdivisionOfABeatClicks)
{
    metronome.OnBeat(0, 0, 1, 30);
    metronome.OnBeat(0, 0, 2, 60);
    metronome.OnBeat(0, 0, 3, 90);
    metronome.OnBeat(0, 1, 0, 120);
    metronome.OnBeat(1, 0, 0, 480);
    EXPECT_EQ(sink.Sent(), (std::vector<std::pair<int, std::uint32_t>>{{0, kBeat}, {0, kDownbeat}}));
}

TEST_F(MetronomeFixture, SoundsOutsideTheDataRangeAreClamped)
{
    metronome.SetDownbeatSound(200, -5);
    metronome.OnBeat(0, 0, 0, 0);
    EXPECT_EQ(sink.Sent(), (std::vector<std::pair<int, std::uint32_t>>{{0, 0x007F99u}}));
}

TEST_F(MetronomeFixture, InvalidDivisionAndTempoFallBackInsteadOfDividingByZero)
{
    metronome.SetDivision(0);
    metronome.SetTempo(0);  // passed over: 100 beats per minute stays
    metronome.SetMeters({Meter(0, 0, 0)});
    metronome.Start();
    Run(0, 700);
    EXPECT_EQ(sink.Times(), (std::vector<int>{0, 600}));
}

// With the real timer: clicks arrive on time from the timer's thread, and Stop from
// the window's thread ends them.
TEST(MetronomeWithTimer, ClicksFromTheTimerThread)
{
    TimedSink sink;
    Metronome metronome;
    brindle::MultimediaTimer timer(&metronome);
    metronome.SetTimer(&timer);
    metronome.SetOutput(&sink);
    metronome.SetTempo(240);  // a beat every 250 ms
    metronome.Start();
    std::this_thread::sleep_for(1100ms);
    metronome.Stop();
    const std::size_t clicks = sink.Sent().size();
    EXPECT_GE(clicks, 3u);
    EXPECT_LE(clicks, 6u);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(sink.Sent().size(), clicks);
}

// Starting a running metronome starts it afresh; stopping it from inside its own click
// (as a reset notice on the timer's thread may) returns and ends the ticks.
TEST(MetronomeWithTimer, RestartAndStopFromInsideAClick)
{
    class StoppingSink final : public midi::MidiOutSink {
    public:
        void Reset() override {}
        void SendShortMessage(std::uint32_t) override
        {
            if (++clicks == 3 && metronome != nullptr)
                metronome->Stop();
        }
        void SendLongMessage(const std::uint8_t*, std::uint32_t) override {}
        std::atomic<int> clicks{0};
        Metronome* metronome = nullptr;
    };
    StoppingSink sink;
    Metronome metronome;
    brindle::MultimediaTimer timer(&metronome);
    metronome.SetTimer(&timer);
    metronome.SetOutput(&sink);
    metronome.SetTempo(600);  // a beat every 100 ms
    metronome.Start();
    std::this_thread::sleep_for(30ms);
    sink.metronome = &metronome;
    metronome.Start();  // clicks beat 0 again: the run counts from its start tick
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (timer.IsRunning() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(timer.IsRunning());
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(sink.clicks.load(), 3);
}

}  // namespace
