#include <climits>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "midi/meter_map.h"

namespace midi {

void PrintTo(const MeterSegment& s, std::ostream* os)
{
    *os << "{" << s.numerator << "/" << s.denominator << " at tick " << s.startTick
        << ", bar " << s.startBar << "}";
}

namespace {

using ::testing::ElementsAre;

TEST(MeterMapTest, SegmentsFromMeterRecords)
{
    struct Case {
        const char* name;
        std::vector<MidiMeterRecord> meters;
        std::vector<MeterSegment> expected;
    };
    const Case cases[] = {
        {"no record gives 4/4 from the start", {}, {{4, 4, 0, 0}}},
        {"3/4 then 2/4 at tick 720", {{0, 3, 4, 24, 8}, {720, 2, 4, 24, 8}},
         {{3, 4, 0, 0}, {2, 4, 720, 2}}},
        {"no 4/4 is put in front of a late first record", {{960, 3, 4, 0, 0}},
         {{3, 4, 960, 2}}},
        {"a change inside a bar starts at the truncated bar", {{600, 3, 4, 0, 0}},
         {{3, 4, 600, 1}}},
        {"records are taken in tick order", {{720, 2, 4, 0, 0}, {0, 3, 4, 0, 0}},
         {{3, 4, 0, 0}, {2, 4, 720, 2}}},
        {"records of one tick keep their order", {{0, 3, 4, 0, 0}, {0, 6, 8, 0, 0}},
         {{3, 4, 0, 0}, {6, 8, 0, 0}}},
        {"zero or negative numerators and denominators are passed over",
         {{0, 0, 4, 0, 0}, {0, 3, -4, 0, 0}, {0, 3, 0, 0, 0}, {480, 6, 8, 0, 0}},
         {{6, 8, 480, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeterMap map;
        EXPECT_TRUE(map.Build(c.meters, 120));
        EXPECT_THAT(map.GetSegments(), ::testing::ElementsAreArray(c.expected));
    }
}

TEST(MeterMapTest, BarPositionsAndTicks)
{
    struct Case {
        const char* name;
        std::vector<MidiMeterRecord> meters;
        int division;
        int bar;
        int offset;
        int tick;
    };
    const std::vector<MidiMeterRecord> threeThenTwo = {{0, 3, 4, 0, 0}, {720, 2, 4, 0, 0}};
    const Case cases[] = {
        {"4/4: bar 2 and an eighth", {}, 120, 2, 80640, 1020},
        {"3/4: bar 1", threeThenTwo, 120, 1, 0, 360},
        {"2/4 begins at bar 2", threeThenTwo, 120, 2, 0, 720},
        {"2/4: bar 3 and a quarter", threeThenTwo, 120, 3, 161280, 1080},
        {"6/8 at division 480", {{0, 6, 8, 0, 0}}, 480, 5, 80640, 5 * 1440 + 240},
        {"far into the song", {}, 120, 100000, 0, 48000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeterMap map;
        ASSERT_TRUE(map.Build(c.meters, c.division));
        EXPECT_EQ(map.BarPositionToTick(c.bar, c.offset), c.tick);
        int bar = -1;
        int offset = -1;
        EXPECT_TRUE(map.TickToBarPosition(c.tick, bar, offset));
        EXPECT_EQ(bar, c.bar);
        EXPECT_EQ(offset, c.offset);
    }
}

TEST(MeterMapTest, TickInsideABarGivesItsOffset)
{
    MeterMap map;
    ASSERT_TRUE(map.Build({{0, 3, 4, 0, 0}, {720, 2, 4, 0, 0}}, 120));
    int bar = 0;
    int offset = 0;
    map.TickToBarPosition(719, bar, offset);
    EXPECT_EQ(bar, 1);
    EXPECT_EQ(offset, 359 * 161280 / 120);
}

TEST(MeterMapTest, LargeOffsetsDoNotOverflow)
{
    MeterMap map;
    ASSERT_TRUE(map.Build({}, 960));
    // 960 * 2000000000 does not fit 32 bits.
    EXPECT_EQ(map.BarPositionToTick(0, 2000000000), static_cast<int>(960LL * 2000000000 / 161280));
}

TEST(MeterMapTest, HugeMetersAndDivisionsStayExact)
{
    // Ticks per bar beyond 64 bits: the first bar never ends within the int range.
    MeterMap map;
    ASSERT_TRUE(map.Build({{0, INT_MAX, 1, 0, 0}, {INT_MAX, 4, 4, 0, 0}}, INT_MAX));
    EXPECT_THAT(map.GetSegments(),
                ElementsAre(MeterSegment{INT_MAX, 1, 0, 0}, MeterSegment{4, 4, INT_MAX, 0}));
    EXPECT_EQ(map.BarPositionToTick(1, 0), INT_MAX);
    EXPECT_EQ(map.BarPositionToTick(-1, 0), INT_MIN);
    int bar = -1;
    int offset = -1;
    map.TickToBarPosition(INT_MAX - 1, bar, offset);
    EXPECT_EQ(bar, 0);
    EXPECT_EQ(offset, 161279);
}

TEST(MeterMapTest, DivisionOfZeroOrLessIsRefused)
{
    MeterMap map;
    EXPECT_FALSE(map.Build({{0, 3, 4, 0, 0}}, 0));
    EXPECT_EQ(map.GetDivision(), 120);
    EXPECT_THAT(map.GetSegments(), ElementsAre(MeterSegment{4, 4, 0, 0}));
    EXPECT_EQ(map.BarPositionToTick(1, 0), 480);
}

}  // namespace
}  // namespace midi
