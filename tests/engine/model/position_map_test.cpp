// Position maps: the piecewise-linear segment mapping, time to x with scaling and
// extra widths, x back to time, and maps that give no scale at all.
#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

#include "engine/model/position_map.h"
#include "engine/model/time_position_mapper.h"
#include "engine/model/x_position_mapper.h"

namespace quaverly {
namespace {

constexpr int kQuarter = 161280;
constexpr int kLeftMargin = 200;
constexpr int kRightMargin = 100;

// Three segments of a 4/4 bar: a quarter over 1000 units, a quarter over 600 and a half
// over 800; total extent 2400 without extras.
std::shared_ptr<PositionMap> MakeMap()
{
    auto map = std::make_shared<PositionMap>();
    map->SetLength(4 * kQuarter);
    map->SetLeftMargin(kLeftMargin);
    map->SetRightMargin(kRightMargin);
    map->AddSegment({0, kQuarter, 0, 1000});
    map->AddSegment({kQuarter, kQuarter, 1000, 600});
    map->AddSegment({2 * kQuarter, 2 * kQuarter, 1600, 800});
    return map;
}

// A rectangle at x 1000 in which the map's distances between the margins scale by
// `scale` (1 is the natural width).
Rect RectFor(const PositionMap& map, double scale)
{
    const int width = kLeftMargin + static_cast<int>(map.GetTotalExtent() * scale) + kRightMargin;
    return {1000, 50, 1000 + width, 550};
}

TEST(PositionMapTest, StartsEmptyInFourFour)
{
    const PositionMap map;
    EXPECT_EQ(map.GetLength(), 0);
    EXPECT_EQ(map.GetMeter(), (std::pair<int, int>{4, 4}));
    EXPECT_EQ(map.GetLeftMargin(), 0);
    EXPECT_EQ(map.GetRightMargin(), 0);
    EXPECT_EQ(map.GetColumnAdjust(), 0.0f);
    EXPECT_EQ(map.GetScale(), 1.0f);
    EXPECT_TRUE(map.GetSegments().empty());
    EXPECT_TRUE(map.GetExtraWidths().empty());
    EXPECT_EQ(map.GetTotalExtent(), 0);
}

TEST(PositionMapTest, ExtraWidthsOfOneTimeAddUpAndSortByTime)
{
    PositionMap map;
    map.AddExtraWidth(kQuarter, 40);
    map.AddExtraWidth(0, 30);
    map.AddExtraWidth(kQuarter, 60);
    ASSERT_EQ(map.GetExtraWidths().size(), 2u);
    map.SortExtraWidths();
    EXPECT_EQ(map.GetExtraWidths()[0], (ExtraWidth{0, 30}));
    EXPECT_EQ(map.GetExtraWidths()[1], (ExtraWidth{kQuarter, 100}));
    map.AddSegment({0, kQuarter, 0, 500});
    EXPECT_EQ(map.GetTotalExtent(), 630);
}

TEST(PositionMapTest, SegmentMappingOutsideEverySegmentGivesTheRightEnd)
{
    std::vector<MapSegment> segments = {{0, kQuarter, 0, 1000},
                                        {2 * kQuarter, kQuarter, 1000, 500}};  // a gap
    struct Case {
        const char* name;
        int time;
        int x;
    } const cases[] = {
        {"start", 0, 0},
        {"inside, truncated", 1000, 6},
        {"boundary of the gap", kQuarter, 1500},
        {"in the gap", kQuarter + 10, 1500},
        {"start of the second", 2 * kQuarter, 1000},
        {"end", 3 * kQuarter, 1500},
        {"before the first", -1, 1500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MapTimeThroughSegments(segments, c.time), c.x);
    }
    EXPECT_EQ(MapTimeThroughSegments({}, 12345), 0);
    // A segment of no length holds no time: no division by 0.
    EXPECT_EQ(MapTimeThroughSegments({{0, 0, 0, 700}}, 0), 700);
}

struct TimeCase {
    const char* name;
    double scale;
    bool extras;
    int time;
    int x;  // relative to the rectangle's left edge
};

TEST(TimePositionMapperTest, TimeToXAtBoundariesPastTheEndAndWithExtras)
{
    const TimeCase cases[] = {
        {"bar start", 1.0, false, 0, 200},
        {"inside the first segment", 1.0, false, kQuarter / 2, 700},
        {"boundary starts the next segment", 1.0, false, kQuarter, 1200},
        {"boundary of the half", 1.0, false, 2 * kQuarter, 1800},
        {"inside the half", 1.0, false, 3 * kQuarter, 2200},
        {"end of the bar", 1.0, false, 4 * kQuarter, 2600},
        {"past the end", 1.0, false, 9 * kQuarter, 2600},
        {"stretched twice: margins stay", 2.0, false, kQuarter / 2, 1200},
        {"stretched twice: past the end", 2.0, false, 9 * kQuarter, 5000},
        {"shrunk to half", 0.5, false, kQuarter, 700},
        // Extras: 300 at time 0, 100 at the second quarter.
        {"extra at 0 shifts the first note", 1.0, true, 0, 500},
        {"extra at 0 shifts later notes", 1.0, true, kQuarter / 2, 1000},
        {"extra sits before its note", 1.0, true, kQuarter, 1600},
        {"one tick after the extra's note", 1.0, true, kQuarter + 1, 1600},
        {"extras scale with the bar", 2.0, true, kQuarter, 3000},
        {"past the end with extras", 1.0, true, 9 * kQuarter, 3000},
    };
    for (const TimeCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto map = MakeMap();
        if (c.extras) {
            map->AddExtraWidth(0, 300);
            map->AddExtraWidth(kQuarter, 100);
        }
        const TimePositionMapper mapper(RectFor(*map, c.scale), map.get());
        EXPECT_EQ(mapper.TimeToX(c.time), c.x);
    }
}

TEST(TimePositionMapperTest, MapWithoutSegmentsGivesMarginPlusEarlierExtras)
{
    PositionMap map;
    map.SetLeftMargin(kLeftMargin);
    map.AddExtraWidth(0, 30);
    map.AddExtraWidth(100, 50);
    const Rect natural{0, 0, kLeftMargin + 80, 100};
    const TimePositionMapper mapper(natural, &map);
    EXPECT_EQ(mapper.TimeToX(0), kLeftMargin + 30);
    EXPECT_EQ(mapper.TimeToX(99), kLeftMargin + 30);
    EXPECT_EQ(mapper.TimeToX(100), kLeftMargin + 80);
}

TEST(TimePositionMapperTest, NoScaleWithoutExtentOrRoom)
{
    // Segments of no extent and no extras: total extent 0.
    PositionMap flat;
    flat.SetLeftMargin(kLeftMargin);
    flat.AddSegment({0, kQuarter, 0, 0});
    EXPECT_EQ(TimePositionMapper({0, 0, 1000, 100}, &flat).TimeToX(kQuarter / 2), kLeftMargin);

    // A rectangle no wider than the margins.
    auto map = MakeMap();
    const Rect squeezed{0, 0, kLeftMargin + kRightMargin, 100};
    EXPECT_EQ(TimePositionMapper(squeezed, map.get()).TimeToX(3 * kQuarter), kLeftMargin);
    EXPECT_EQ(TimePositionMapper(squeezed, nullptr).TimeToX(3 * kQuarter), 0);
}

struct XCase {
    const char* name;
    double scale;
    bool extras;
    int x;
    int time;
};

TEST(XPositionMapperTest, XToTimeOfSegmentsAndExtras)
{
    const XCase cases[] = {
        {"zero", 1.0, false, 0, 0},
        {"middle of the first quarter", 1.0, false, 500, kQuarter / 2},
        {"segment boundary", 1.0, false, 1000, kQuarter},
        {"start of the half", 1.0, false, 1600, 2 * kQuarter},
        {"past the content: end of the last segment", 1.0, false, 5000, 4 * kQuarter},
        {"negative x: end of the last segment", 1.0, false, -50, 4 * kQuarter},
        // At 1.5 x per unit, x 4 is 2.67 units: taken up to unit 3 (483 ticks).
        {"stretched: a fraction rounds up", 1.5, false, 4, 483},
        // x 3 is exactly 2 units (plus a rounding error far below 0.01): unit 2.
        {"stretched: a whole unit stays", 1.5, false, 3, 322},
        {"stretched: segment boundary", 1.5, false, 1500, kQuarter},
        // Extras widen the segments holding their times: 1300, 700, 800; the record in
        // no segment is dropped (its width still counts in the scale).
        {"extras: first segment widened", 1.0, true, 650, kQuarter / 2},
        {"extras: second segment starts later", 1.0, true, 1300, kQuarter},
        {"extras: inside the widened second", 1.0, true, 1650, kQuarter + kQuarter / 2},
        {"extras: third segment", 1.0, true, 2000, 2 * kQuarter},
    };
    for (const XCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto map = MakeMap();
        if (c.extras) {
            map->AddExtraWidth(0, 300);
            map->AddExtraWidth(kQuarter, 100);
            map->AddExtraWidth(10 * kQuarter, 5000);
        }
        XPositionMapper mapper(map);
        mapper.SetRect(RectFor(*map, c.scale));
        EXPECT_EQ(mapper.XToTime(c.x), c.time);
    }
}

TEST(XPositionMapperTest, InvertsTimeToXWithinOneUnit)
{
    for (const double scale : {1.0, 1.5, 0.75, 3.0}) {
        SCOPED_TRACE(scale);
        auto map = MakeMap();
        const Rect rect = RectFor(*map, scale);
        const TimePositionMapper forward(rect, map.get());
        XPositionMapper backward(map);
        backward.SetRect(rect);
        for (int time = 0; time < 4 * kQuarter; time += 5040) {
            const int x = forward.TimeToX(time) - kLeftMargin;
            const int back = backward.XToTime(x);
            // One unit: one map unit, or one x unit where the bar is shrunk and an x
            // unit spans more than one map unit.
            const int units = MapTimeThroughSegments(map->GetSegments(), time);
            const int backUnits = MapTimeThroughSegments(map->GetSegments(), back);
            const int backX = forward.TimeToX(back) - kLeftMargin;
            ASSERT_TRUE(std::abs(units - backUnits) <= 1 || std::abs(x - backX) <= 1)
                << "time " << time << " came back as " << back;
        }
        // Segment starts come back exactly.
        for (const MapSegment& segment : map->GetSegments())
            EXPECT_EQ(backward.XToTime(forward.TimeToX(segment.startTime) - kLeftMargin),
                      segment.startTime);
    }
}

TEST(XPositionMapperTest, NoDivisionByAZeroWidthOrExtent)
{
    auto map = MakeMap();
    XPositionMapper mapper(map);
    EXPECT_EQ(mapper.XToTime(500), 0) << "empty rectangle";
    mapper.SetRect({0, 0, kLeftMargin + kRightMargin, 100});
    EXPECT_EQ(mapper.XToTime(500), 0) << "no room between the margins";
    mapper.SetRect({0, 0, 10, 100});
    EXPECT_EQ(mapper.XToTime(500), 0) << "narrower than the margins";

    auto flat = std::make_shared<PositionMap>();
    flat->AddSegment({0, kQuarter, 0, 0});
    XPositionMapper flatMapper(flat);
    flatMapper.SetRect({0, 0, 1000, 100});
    EXPECT_EQ(flatMapper.XToTime(500), 0) << "total extent 0";

    XPositionMapper noSegments(std::make_shared<PositionMap>());
    noSegments.SetRect({0, 0, 1000, 100});
    EXPECT_EQ(noSegments.XToTime(500), 0);
    XPositionMapper noMap(nullptr);
    noMap.SetRect({0, 0, 1000, 100});
    EXPECT_EQ(noMap.XToTime(500), 0);

    // A tiny scale turns a large x into a huge unit count without overflow.
    mapper.SetRect({0, 0, kLeftMargin + kRightMargin + 1, 100});
    EXPECT_EQ(mapper.XToTime(2000000000), 4 * kQuarter);
}

TEST(XPositionMapperTest, KeepsItsMapAlive)
{
    auto map = MakeMap();
    std::weak_ptr<PositionMap> watch = map;
    {
        XPositionMapper mapper(map);
        map.reset();
        EXPECT_FALSE(watch.expired());
    }
    EXPECT_TRUE(watch.expired());
}

}  // namespace
}  // namespace quaverly
