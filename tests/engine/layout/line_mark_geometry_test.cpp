// Bar arithmetic of line marks: where a mark ends, the x of a time on its row, and the
// time and distance between two places, with bar indices outside the part.
#include <climits>

#include <gtest/gtest.h>

#include "engine/layout/line_mark_geometry.h"
#include "tests/engine/layout/hand_laid_score.h"

namespace quaverly {
namespace {

using namespace quaverly::testing;

TEST(LineMarkGeometryTest, FindBarAtTimeWalksTheBarsAndStopsAtTheLastOne)
{
    const auto part = MakeHandLaidPart();
    struct Case {
        int bar, position, duration;
        BarTime expected;
    };
    const Case cases[] = {
        {0, 0, kQuarter, {0, kQuarter}},
        {0, kQuarter, 3 * kQuarter, {1, 0}},  // ends exactly at a bar start
        {1, kQuarter, 2 * kWhole, {3, kQuarter}},
        {5, 0, kWhole, {5, kWhole}},              // past the last bar: its length
        {4, 0, 100 * kWhole, {5, kWhole}},
        {-3, 0, kQuarter, {0, kQuarter}},         // a negative bar is taken as bar 0
        {40, 0, kQuarter, {5, kQuarter}},         // one beyond the part as the last bar
        {0, INT_MAX, INT_MAX, {5, kWhole}},       // no overflow of position + duration
        {2, 0, -kQuarter, {2, -kQuarter}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.bar << "/" << c.position << "/" << c.duration);
        EXPECT_EQ(FindBarAtTime(*part, c.bar, c.position, c.duration), c.expected);
    }
    EXPECT_EQ(FindBarAtTime(Part(), 0, 0, kQuarter), (BarTime{-1, 0}));
}

TEST(LineMarkGeometryTest, ABarLengthFollowsTheMeterOfItsMap)
{
    Bar bar(0);
    EXPECT_EQ(GetBarTimeLength(bar), kWhole);  // no map yet
    auto map = MakeBarMap();
    map->SetMeter(3, 8);
    bar.SetPositionMap(map);
    EXPECT_EQ(GetBarTimeLength(bar), 3 * kWhole / 8);
    map->SetMeter(3, 0);
    EXPECT_EQ(GetBarTimeLength(bar), kWhole);
}

TEST(LineMarkGeometryTest, TimeXAddsTheBarPositionAndIgnoresMissingBars)
{
    const auto part = MakeHandLaidPart();
    EXPECT_EQ(GetTimeX(*part, 0, kQuarter), 350);
    EXPECT_EQ(GetTimeX(*part, 1, kQuarter), kBarWidth + 350);
    EXPECT_EQ(GetTimeX(*part, 2, 0), 100);  // first bar of the second row
    EXPECT_EQ(GetTimeX(*part, -1, 0), 0);
    EXPECT_EQ(GetTimeX(*part, kBarCount, 0), 0);
}

TEST(LineMarkGeometryTest, TimeAndDistanceBetweenRunForwardAndBackward)
{
    const auto part = MakeHandLaidPart();
    EXPECT_EQ(GetTimeBetween(*part, 0, kQuarter, 0, 3 * kQuarter), 2 * kQuarter);
    EXPECT_EQ(GetTimeBetween(*part, 1, kQuarter, 3, 0), 2 * kWhole - kQuarter);
    EXPECT_EQ(GetTimeBetween(*part, 3, 0, 1, kQuarter), -(2 * kWhole - kQuarter));

    // Rest of bar 1 after its quarter, bars 2 and 3 whole, the margin of bar 4.
    EXPECT_EQ(GetDistanceBetween(*part, 1, kQuarter, 4, 0), 750 + 2 * kBarWidth + 100);
    EXPECT_EQ(GetDistanceBetween(*part, 4, 0, 1, kQuarter), -(750 + 2 * kBarWidth + 100));
    EXPECT_EQ(GetDistanceBetween(*part, 2, kQuarter, 2, 3 * kQuarter), 500);

    // Bars outside the part count as nothing and are never read.
    EXPECT_EQ(GetDistanceBetween(*part, -2, 0, 1, 0), kBarWidth + 100);
    EXPECT_EQ(GetDistanceBetween(*part, 5, 0, 50, 0), kBarWidth - 100);
    EXPECT_EQ(GetTimeBetween(*part, -2, 0, 1, 0), kWhole);
    EXPECT_EQ(GetTimeBetween(*part, 5, 0, 50, 0), kWhole);
}

}  // namespace
}  // namespace quaverly
