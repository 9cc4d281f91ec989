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
    // 500000 / 120 = 4166 us per tick up to tick 480, then 250000 / 120 = 2083; tick 480
    // is reached at 480 * 4166 = 1999680 us.
    const std::vector<MidiTempoRecord> faster = {{0, 500000}, {480, 250000}};
    const MsToTickCase cases[] = {
        {"no tempo: 100 quarters a minute, 0.2 ticks a millisecond", {}, 120, 5, 1},
        {"no tempo, one second", {}, 120, 1000, 200},
        {"no tempo, start", {}, 120, 0, 0},
        {"4166 us per tick: tick 120 at 500 ms", oneTempo, 120, 500, 120},
        {"4166 us per tick: not yet at 499 ms", oneTempo, 120, 499, 119},
        {"4166 us per tick: one second is 240 ticks", oneTempo, 120, 1000, 240},
        {"before a tempo record the initial rate runs", {{240, 250000}}, 120, 1000, 200},
        {"after a change the new tempo runs", faster, 120, 2100, 480 + 100320 / 2083},
        {"at the change", faster, 120, 2000, 480},
        {"records are taken in tick order", {{480, 250000}, {0, 500000}}, 120, 2100,
         480 + 100320 / 2083},
        {"records of one tick: the later one wins", {{0, 250000}, {0, 500000}}, 120, 1000, 240},
        {"tempos of zero or less are passed over", {{0, 0}, {0, -5}}, 120, 1000, 200},
        {"a tempo faster than the division still advances", {{0, 60}}, 120, 1, 1000},
        {"past 40 minutes", oneTempo, 120, 2500000, 600096},
        {"three hours after a change", faster, 120, 3 * 3600 * 1000,
         480 + static_cast<int>((10800000000LL - 1999680) / 2083)},
        {"a fine division", {{0, 500000}}, 960, 1000, 1000000 / (500000 / 960)},
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
    EXPECT_EQ(map.GetSegments()[0].microsecondsPerTick, 4166);
    EXPECT_EQ(map.GetSegments()[0].startTick, 0);
    EXPECT_EQ(map.GetSegments()[1].microsecondsPerTick, 2083);
    EXPECT_EQ(map.GetSegments()[1].startTick, 480);
    EXPECT_EQ(map.GetSegments()[1].startTime, 480 * 4166);
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
    const Case cases[] = {
        {0, 0},
        {479, 479LL * 4166},
        {480, 480LL * 4166},
        {481, 480LL * 4166 + 2083},
        {960, 480LL * 4166 + 480LL * 2083},
        {1000, 480LL * 4166 + 480LL * 2083 + 40LL * 8333},
        {2000000000, 480LL * 4166 + 480LL * 2083 + (2000000000LL - 960) * 8333},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tick);
        EXPECT_EQ(map.TickToMicroseconds(c.tick), c.microseconds);
        EXPECT_EQ(map.MicrosecondsToTick(c.microseconds), c.tick);
    }
}

}  // namespace
}  // namespace midi
