#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "midi/tempo_map.h"

namespace midi {
namespace {

struct MsToTickCase {
    const char* name;
    std::vector<MidiTempoRecord> tempos;
    int division;
    int milliseconds;
    int expectedTick;
};

TEST(TempoMapTest, MillisecondsToTicks)
{
    const std::vector<MidiTempoRecord> oneTempo = {{0, 500000}};
    // 500000 / 120 = 4166.67 us per tick up to tick 480, then 250000 / 120 = 2083.33;
    // tick 480 is reached at exactly 2 s.
    const std::vector<MidiTempoRecord> faster = {{0, 500000}, {480, 250000}};
    const MsToTickCase cases[] = {
        {"no tempo: 100 quarters a minute, 0.2 ticks a millisecond", {}, 120, 5, 1},
        {"no tempo, one second", {}, 120, 1000, 200},
        {"no tempo, start", {}, 120, 0, 0},
        {"4166.67 us per tick: tick 120 at 500 ms", oneTempo, 120, 500, 120},
        {"4166.67 us per tick: not yet at 499 ms", oneTempo, 120, 499, 119},
        {"4166.67 us per tick: one second is 240 ticks", oneTempo, 120, 1000, 240},
        {"4166.67 us per tick: tick 1 is not reached at 4166 us", oneTempo, 120, 4, 0},
        {"before a tempo record the initial rate runs", {{240, 250000}}, 120, 1000, 200},
        {"after a change the new tempo runs", faster, 120, 2100, 480 + 48},
        {"at the change", faster, 120, 2000, 480},
        {"records are taken in tick order", {{480, 250000}, {0, 500000}}, 120, 2100,
         480 + 48},
        {"records of one tick: the later one wins", {{0, 250000}, {0, 500000}}, 120, 1000, 240},
        {"tempos of zero or less are passed over", {{0, 0}, {0, -5}}, 120, 1000, 200},
        {"a tempo faster than the division still advances", {{0, 60}}, 120, 1, 2000},
        {"past 40 minutes: no drift", oneTempo, 120, 2500000, 600000},
        {"three hours after a change: no drift", faster, 120, 3 * 3600 * 1000,
         480 + (3 * 3600 - 2) * 480},
        {"a fine division", {{0, 500000}}, 960, 1000, 1920},
        {"a rate below a microsecond per tick", {{0, 500}}, 960, 1, 1920},
    };
    for (const MsToTickCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempoMap map;
        map.Build(c.tempos, c.division);
        EXPECT_EQ(map.MsToTick(c.milliseconds), c.expectedTick);
    }
}

TEST(TempoMapTest, BuildMakesOneSegmentPerValidRecord)
{
    TempoMap map;
    EXPECT_FALSE(map.Build({}, 120));
    EXPECT_TRUE(map.GetSegments().empty());

    ASSERT_TRUE(map.Build({{480, 250000}, {0, 500000}, {100, 0}}, 120));
    ASSERT_EQ(map.GetSegments().size(), 2u);
    EXPECT_EQ(map.GetSegments()[0].microsecondsPerQuarter, 500000);
    EXPECT_EQ(map.GetSegments()[0].startTick, 0);
    EXPECT_EQ(map.GetSegments()[1].microsecondsPerQuarter, 250000);
    EXPECT_EQ(map.GetSegments()[1].startTick, 480);
    EXPECT_EQ(map.GetSegments()[1].startTimeTimesDivision, 480LL * 500000);
}

TEST(TempoMapTest, DivisionOfZeroOrLessIsRefused)
{
    for (const int division : {0, -120}) {
        SCOPED_TRACE(division);
        TempoMap map;
        ASSERT_TRUE(map.Build({{0, 500000}}, 480));
        EXPECT_FALSE(map.Build({{0, 500000}}, division));
        EXPECT_EQ(map.GetDivision(), 120);
        EXPECT_TRUE(map.GetSegments().empty());
        EXPECT_EQ(map.MsToTick(1000), 200);
    }
}

TEST(TempoMapTest, TickTimesRoundTripAcrossTempoChanges)
{
    TempoMap map;
    ASSERT_TRUE(map.Build({{0, 500000}, {480, 250000}, {960, 1000000}}, 120));
    struct Case {
        int tick;
        std::int64_t microseconds;
    };
    // 4166.67, then 2083.33, then 8333.33 us per tick; a tick's time is the first whole
    // microsecond at which it has been reached.
    const Case cases[] = {
        {0, 0},
        {1, 4167},
        {479, 1995834},
        {480, 2000000},
        {481, 2002084},
        {960, 3000000},
        {1000, 3333334},
        {2000000000, 3000000 + 16666658666667LL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tick);
        EXPECT_EQ(map.TickToMicroseconds(c.tick), c.microseconds);
        EXPECT_EQ(map.MicrosecondsToTick(c.microseconds), c.tick);
    }
}

}  // namespace
}  // namespace midi
