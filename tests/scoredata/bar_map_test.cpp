#include <cstdint>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "import_fixtures.h"
#include "scoredata/bar_map.h"

namespace tabulon {
namespace {

using namespace tabulon::testing;

struct SegmentView {
    std::int32_t numerator;
    std::int32_t denominator;
    std::int64_t start;
    std::int32_t startBar;
    friend bool operator==(const SegmentView&, const SegmentView&) = default;
};

std::vector<SegmentView> ViewOf(const BarMap& map)
{
    std::vector<SegmentView> view;
    for (const BarMap::Segment& s : map.Segments())
        view.push_back({s.numerator, s.denominator, s.start, s.startBar});
    return view;
}

// Division 120: a 4/4 bar is 480 MIDI ticks, 15360 fine ticks.
constexpr std::int64_t kFine = 120 * 32;

TEST(BarMapTest, SegmentsFollowTheTimeSignatures)
{
    struct Case {
        std::string name;
        std::vector<midi::MidiMeterRecord> meters;
        std::vector<SegmentView> expected;
    };
    const std::vector<Case> cases{
        {"NoneIsFourFour", {}, {{4, 4, 0, 0}}},
        {"OneAtTheStart", {Meter(0, 3, 4)}, {{3, 4, 0, 0}}},
        {"ChangeAfterThreeBars", {Meter(0, 3, 4), Meter(1080, 6, 8)},
         {{3, 4, 0, 0}, {6, 8, 1080 * 32, 3}}},
        {"FirstSignatureLateHasFourFourBeforeIt", {Meter(1440, 3, 4)},
         {{4, 4, 0, 0}, {3, 4, 1440 * 32, 3}}},
        {"ChangeInsideABarMovesBackToItsLine", {Meter(500, 3, 4)}, {{4, 4, 0, 0}, {3, 4, 480 * 32, 1}}},
        {"TwoOnOneBarLineTheLaterHolds", {Meter(480, 3, 4), Meter(480, 2, 4)},
         {{4, 4, 0, 0}, {2, 4, 480 * 32, 1}}},
        {"UnusableSignaturesArePassedOver", {Meter(0, 0, 4), Meter(0, 4, 5), Meter(0, 300, 4), Meter(0, 2, 256)},
         {{4, 4, 0, 0}}},
        {"NegativeTickCountsAsTheStart", {Meter(-100, 2, 2)}, {{2, 2, 0, 0}}},
        {"SignaturesPastTheLastBarAreDropped", {Meter(2147483647, 3, 4)}, {{4, 4, 0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BarMap map;
        ASSERT_TRUE(map.Build(c.meters, kFine));
        EXPECT_EQ(ViewOf(map), c.expected);
    }
}

TEST(BarMapTest, PositionsAndMetersOfBars)
{
    BarMap map;
    ASSERT_TRUE(map.Build({Meter(0, 3, 4), Meter(1080, 6, 8)}, kFine));
    struct Case {
        std::int64_t tick;  // MIDI ticks
        std::int32_t bar;
        std::int32_t offset;
    };
    for (const Case& c : std::vector<Case>{{0, 0, 0},
                                           {120, 0, 161280},
                                           {359, 0, 482496},
                                           {360, 1, 0},
                                           {1080, 3, 0},
                                           {1080 + 60, 3, 80640},
                                           {1080 + 360 + 30, 4, 40320}}) {
        SCOPED_TRACE(c.tick);
        const BarPosition at = map.PositionOf(c.tick * 32);
        EXPECT_EQ(at.bar, c.bar);
        EXPECT_EQ(at.offset, c.offset);
    }
    EXPECT_EQ(map.MeterOf(2).length, 483840);
    EXPECT_EQ(map.MeterOf(2).Beat(), 161280);
    EXPECT_EQ(map.MeterOf(3).length, 483840);
    EXPECT_EQ(map.MeterOf(3).numerator, 6);
    EXPECT_EQ(map.MeterOf(50).Beat(), 80640);
}

TEST(BarMapTest, FineDivisionsThatCannotCarryBarsAreRefused)
{
    BarMap map;
    for (std::int64_t fine : {std::int64_t{0}, std::int64_t{-3840}, std::int64_t{31},
                              std::int64_t{32768} * 32}) {
        SCOPED_TRACE(fine);
        EXPECT_FALSE(map.Build({}, fine));
        EXPECT_FALSE(map.IsValid());
        EXPECT_EQ(map.PositionOf(1000).bar, 0);
    }
    // A 128th-note meter at the smallest fine division still has bars.
    EXPECT_TRUE(map.Build({Meter(0, 3, 128)}, 32));
    EXPECT_EQ(map.PositionOf(3).bar, 1);
}

}  // namespace
}  // namespace tabulon
