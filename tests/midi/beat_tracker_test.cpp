#include <memory>
#include <tuple>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "midi/beat_tracker.h"

namespace midi {
namespace {

using ::testing::ElementsAre;
using Beat = std::tuple<int, int, int, int>;  // bar, beat, subdivision, tick

class RecordingBeatListener final : public BeatListener {
public:
    void OnBeat(int bar, int beat, int subdivision, int tick) override
    {
        beats.emplace_back(bar, beat, subdivision, tick);
    }
    std::vector<Beat> beats;
};

TEST(BeatTrackerTest, TickToBarAndBeat)
{
    struct Case {
        const char* name;
        std::vector<MidiMeterRecord> meters;
        int tick;
        int bar;
        int beat;
    };
    const std::vector<MidiMeterRecord> threeThenTwo = {{0, 3, 4, 0, 0}, {720, 2, 4, 0, 0}};
    const Case cases[] = {
        {"4/4 start", {}, 0, 0, 0},
        {"4/4 second beat", {}, 120, 0, 1},
        {"4/4 bar 1", {}, 480, 1, 0},
        {"3/4 third beat", threeThenTwo, 240, 0, 2},
        {"at the change to 2/4", threeThenTwo, 720, 2, 0},
        {"2/4 second beat", threeThenTwo, 840, 2, 1},
        {"2/4 bar 3", threeThenTwo, 960, 3, 0},
        {"6/8 counts eighths", {{0, 6, 8, 0, 0}}, 5 * 60, 0, 5},
        {"past 40 minutes at 120 quarters a minute", {}, 600096, 1250, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BeatTracker tracker;
        ASSERT_TRUE(tracker.Build(c.meters, 120));
        int bar = -1;
        int beat = -1;
        EXPECT_TRUE(tracker.TickToBarBeat(c.tick, bar, beat));
        EXPECT_EQ(bar, c.bar);
        EXPECT_EQ(beat, c.beat);
    }
}

TEST(BeatTrackerTest, ReportsEachNewPositionOnce)
{
    BeatTracker tracker;
    ASSERT_TRUE(tracker.Build({}, 120));
    auto listener = std::make_shared<RecordingBeatListener>();
    tracker.SetListener(listener, 4);
    for (int tick = 0; tick <= 130; ++tick)
        tracker.Update(tick);
    EXPECT_THAT(listener->beats, ElementsAre(Beat{0, 0, 0, 0}, Beat{0, 0, 1, 30},
                                             Beat{0, 0, 2, 60}, Beat{0, 0, 3, 90},
                                             Beat{0, 1, 0, 120}));
}

TEST(BeatTrackerTest, RebuildingKeepsTheLastReportedPosition)
{
    BeatTracker tracker;
    auto listener = std::make_shared<RecordingBeatListener>();
    ASSERT_TRUE(tracker.Build({}, 120));
    tracker.SetListener(listener, 1);
    tracker.Update(480);
    tracker.Build({}, 120);
    tracker.SetListener(listener, 1);
    tracker.Update(480);  // a new run on the very position last reported: quiet
    tracker.Update(600);
    EXPECT_THAT(listener->beats, ElementsAre(Beat{1, 0, 0, 480}, Beat{1, 1, 0, 600}));
}

TEST(BeatTrackerTest, LongBarsAndFineSubdivisionsAreNotConfused)
{
    // 17/8: beat 16 of bar 0 and beat 0 of bar 1 are different positions.
    BeatTracker tracker;
    ASSERT_TRUE(tracker.Build({{0, 17, 8, 0, 0}}, 120));
    auto listener = std::make_shared<RecordingBeatListener>();
    tracker.SetListener(listener, 1);
    tracker.Update(16 * 60);
    tracker.Update(17 * 60);
    EXPECT_THAT(listener->beats, ElementsAre(Beat{0, 16, 0, 960}, Beat{1, 0, 0, 1020}));

    // 16 subdivisions: subdivision 0 of beat 1 follows subdivision 15 of beat 0.
    BeatTracker fine;
    ASSERT_TRUE(fine.Build({}, 120));
    auto fineListener = std::make_shared<RecordingBeatListener>();
    fine.SetListener(fineListener, 32);
    fine.Update(0);
    fine.Update(120);
    EXPECT_EQ(fineListener->beats.size(), 2u);
}

TEST(BeatTrackerTest, WithoutListenerNothingIsReportedAndZeroSubdivisionsCountAsOne)
{
    BeatTracker tracker;
    ASSERT_TRUE(tracker.Build({}, 120));
    tracker.Update(0);  // no listener: nothing happens
    auto listener = std::make_shared<RecordingBeatListener>();
    tracker.SetListener(listener, 0);
    tracker.Update(0);
    tracker.Update(60);
    tracker.Update(120);
    EXPECT_THAT(listener->beats, ElementsAre(Beat{0, 0, 0, 0}, Beat{0, 1, 0, 120}));
}

TEST(BeatTrackerTest, DivisionOfZeroOrLessIsRefused)
{
    BeatTracker tracker;
    EXPECT_FALSE(tracker.Build({{0, 3, 4, 0, 0}}, -1));
    int bar = 0;
    int beat = 0;
    tracker.TickToBarBeat(600, bar, beat);
    EXPECT_EQ(bar, 1);
    EXPECT_EQ(beat, 1);
}

}  // namespace
}  // namespace midi
