// Beat grouping: the pieces of a count, and the rests that fill the uncovered time of
// a bar by the beat groups of its meter.
#include <climits>
#include <memory>
#include <ostream>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/beat_grouping.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_time.h"
#include "engine/model/tuplet.h"

namespace quaverly {
namespace {

namespace len = note_length;

// What a test says about a note or a rest: start, base length, dots and tuplet counts.
struct Value {
    int start = 0;
    int base = 0;
    int dots = 0;
    int actual = 0;
    int normal = 0;

    friend bool operator==(const Value&, const Value&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Value& v)
    {
        return out << "{" << v.start << ", " << v.base << ", " << v.dots << ", " << v.actual
                   << ":" << v.normal << "}";
    }
};

std::shared_ptr<Note> MakeNote(const Value& v, int pitch = pitch_code::kFirstDegree)
{
    auto note = CreateNote(pitch);
    note->SetDuration(v.base);
    note->SetDots(v.dots);
    note->SetStartTime(v.start);
    note->SetTupletActual(v.actual);
    note->SetTupletNormal(v.normal);
    return note;
}

std::vector<std::shared_ptr<Note>> MakeNotes(const std::vector<Value>& values)
{
    std::vector<std::shared_ptr<Note>> notes;
    for (const Value& v : values)
        notes.push_back(MakeNote(v));
    return notes;
}

// The values of the rests (checked to be rests) in the output.
std::vector<Value> RestValues(const std::vector<std::shared_ptr<Note>>& output)
{
    std::vector<Value> values;
    for (const auto& note : output) {
        EXPECT_EQ(note->GetPitchCode(), pitch_code::kRest);
        values.push_back({note->GetStartTime(), note->GetDuration(), note->GetDots(),
                          note->GetTupletActual(), note->GetTupletNormal()});
    }
    return values;
}

// The values of the rests BuildRests gives, which Build makes into notes.
std::vector<Value> RestValues(const std::vector<BeatGrouping::Rest>& rests)
{
    std::vector<Value> values;
    for (const BeatGrouping::Rest& rest : rests)
        values.push_back({rest.start, rest.duration, rest.dots, rest.tupletActual,
                          rest.tupletNormal});
    return values;
}

TEST(BeatGroupingTest, FloorLog2)
{
    EXPECT_EQ(FloorLog2(1), 0);
    EXPECT_EQ(FloorLog2(2), 1);
    EXPECT_EQ(FloorLog2(3), 1);
    EXPECT_EQ(FloorLog2(1024), 10);
    EXPECT_EQ(FloorLog2(1025), 10);
    EXPECT_EQ(FloorLog2(0x7FFFFFFF), 30);
    EXPECT_EQ(FloorLog2(0), -1);
    EXPECT_EQ(FloorLog2(-8), -1);
}

TEST(BeatGroupingTest, SplitIntoPowerPieces)
{
    struct Case {
        int n;
        std::vector<int> pieces;
    } const cases[] = {
        {1, {1}},        {2, {2}},          {3, {3}},    {4, {4}},
        {5, {4, 1}},     {6, {6}},          {7, {4, 3}}, {12, {12}},
        {14, {8, 6}},    {15, {8, 4, 3}},   {9, {8, 1}}, {48, {48}},
        {0, {}},         {-3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        std::vector<int> pieces = {99};  // appended after what is there
        SplitIntoPowerPieces(c.n, pieces);
        std::vector<int> expected = {99};
        expected.insert(expected.end(), c.pieces.begin(), c.pieces.end());
        EXPECT_EQ(pieces, expected);
    }
}

TEST(BeatGroupingTest, IsCoveredIsHalfOpen)
{
    const std::vector<BeatGrouping::OccupiedRange> ranges = {{100, 50, 0, {}},
                                                            {0x7FFFFF00, 0x7FFFFFFF, 0, {}}};
    EXPECT_FALSE(BeatGrouping::IsCovered(ranges, 99));
    EXPECT_TRUE(BeatGrouping::IsCovered(ranges, 100));
    EXPECT_TRUE(BeatGrouping::IsCovered(ranges, 149));
    EXPECT_FALSE(BeatGrouping::IsCovered(ranges, 150));
    EXPECT_TRUE(BeatGrouping::IsCovered(ranges, 0x7FFFFFFF)) << "no overflow of start + length";
    EXPECT_FALSE(BeatGrouping::IsCovered({}, 0));
}

struct FillCase {
    const char* name;
    int beats;
    int beatType;
    std::vector<Value> notes;
    std::vector<Value> rests;
};

TEST(BeatGroupingTest, RestsFillTheUncoveredTimeByBeatGroups)
{
    const int q = len::kQuarter;
    const int e = len::kEighth;
    const FillCase cases[] = {
        {"empty 4/4: two halves", 4, 4, {}, {{0, len::kHalf}, {2 * q, len::kHalf}}},
        {"empty 3/4: a dotted half", 3, 4, {}, {{0, len::kHalf, 1}}},
        {"empty 6/8: two dotted quarters", 6, 8, {}, {{0, q, 1}, {3 * e, q, 1}}},
        {"empty 5/4: single beats", 5, 4, {}, {{0, q}, {q, q}, {2 * q, q}, {3 * q, q}, {4 * q, q}}},
        {"empty 2/4: one half", 2, 4, {}, {{0, len::kHalf}}},
        {"empty 1/4: one quarter", 1, 4, {}, {{0, q}}},
        {"empty 3/8: a dotted quarter", 3, 8, {}, {{0, q, 1}}},
        {"empty 9/8: three dotted quarters", 9, 8, {}, {{0, q, 1}, {3 * e, q, 1}, {6 * e, q, 1}}},
        {"empty 2/2: one whole", 2, 2, {}, {{0, len::kWhole}}},
        {"4/4 with a quarter at 0", 4, 4, {{0, q}}, {{q, q}, {2 * q, len::kHalf}}},
        {"4/4: no rest crosses the middle", 4, 4, {{0, q}, {3 * q, q}}, {{q, q}, {2 * q, q}}},
        {"4/4: hole at the start", 4, 4, {{2 * q, q}}, {{0, len::kHalf}, {3 * q, q}}},
        {"off-beat hole: smaller values first up to the beat", 4, 4, {{0, len::k32nd}, {q, q}},
         {{len::k32nd, len::k16th, 1}, {e, e}, {2 * q, len::kHalf}}},
        {"dotted 16th: a 32nd, then an eighth up to the beat", 4, 4, {{0, len::k16th, 1}},
         {{3 * len::k32nd, len::k32nd}, {e, e}, {q, q}, {2 * q, len::kHalf}}},
        {"dotted quarter leaves an off-beat eighth", 4, 4, {{0, q, 1}},
         {{3 * e, e}, {2 * q, len::kHalf}}},
        {"off-beat eighths", 4, 4, {{0, e}, {3 * e, e}}, {{e, e}, {q, e}, {2 * q, len::kHalf}}},
        {"6/8 with an eighth: beats, then the group", 6, 8, {{0, e}},
         {{e, e}, {2 * e, e}, {3 * e, q, 1}}},
        {"full 4/4 bar: nothing", 4, 4, {{0, len::kWhole}}, {}},
        {"a note inside a longer one leaves no hole", 4, 4, {{0, len::kWhole}, {e, e}}, {}},
        {"notes of one start: the first measures the range", 4, 4, {{0, len::kHalf}, {0, q}},
         {{2 * q, len::kHalf}}},
        {"a note past the bar end", 4, 4, {{3 * q, len::kHalf}}, {{0, len::kHalf}, {2 * q, q}}},
        // Time after the bar end is never filled, however far away a damaged start lies.
        {"a note starting after the bar end", 4, 4, {{0, q}, {5 * q, q}},
         {{q, q}, {2 * q, len::kHalf}}},
        {"a note starting at the last tick", 4, 4, {{0, q}, {INT_MAX, q}},
         {{q, q}, {2 * q, len::kHalf}}},
        {"1/128 with a note far out: one 128th rest", 1, 128, {{INT_MAX - 10000, len::k128th}},
         {{0, len::k128th}}},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.name);
        BeatGrouping grouping;
        grouping.SetMeter(c.beats, c.beatType);
        std::vector<std::shared_ptr<Note>> output;
        const auto notes = MakeNotes(c.notes);
        grouping.Build(notes, {}, output);
        EXPECT_EQ(RestValues(output), c.rests);
        std::vector<BeatGrouping::Rest> rests;
        grouping.BuildRests(notes, {}, {}, rests);
        EXPECT_EQ(RestValues(rests), c.rests);
    }
}

// A tuplet in a bar: the first note and the further notes given, each {start, base,
// dots}; the tuplet writes its counts into them.
struct TupletSpec {
    int actual;
    int normal;
    std::vector<Value> notes;  // the first note first; may be empty
};

struct TupletCase {
    const char* name;
    std::vector<TupletSpec> tuplets;  // in the order of the bar's list
    std::vector<Value> rests;         // in output order
};

TEST(BeatGroupingTest, MissingTupletNotesBecomeRestsOfTheUnitLength)
{
    const int q = len::kQuarter;
    const int e = len::kEighth;
    const int t8 = 53760;   // triplet eighth
    const int tq = 107520;  // triplet quarter
    const TupletCase cases[] = {
        {"eighth triplet without its middle note",
         {{3, 2, {{0, e}, {2 * t8, e}}}},
         {{t8, e, 0, 3, 2}, {q, q}, {2 * q, len::kHalf}}},
        {"quarter triplet with only its first note",
         {{3, 2, {{q, q}}}},
         {{q + tq, q, 0, 3, 2}, {q + 2 * tq, q, 0, 3, 2}, {0, q}, {3 * q, q}}},
        {"complete triplet: only the rest of the bar",
         {{3, 2, {{0, e}, {t8, e}, {2 * t8, e}}}},
         {{q, q}, {2 * q, len::kHalf}}},
        // The unit is the dotted length 120960; the steps are 80640 apart.
        {"dotted first note",
         {{3, 2, {{0, e, 1}}}},
         {{e, 120960, 0, 3, 2}, {2 * e, 120960, 0, 3, 2}, {3 * e, e}, {2 * q, len::kHalf}}},
        // Listed last first: the rests still come in start order.
        {"two tuplets in one bar, filled in start order",
         {{3, 2, {{2 * q, e}}}, {3, 2, {{0, e}}}},
         {{t8, e, 0, 3, 2},
          {2 * t8, e, 0, 3, 2},
          {2 * q + t8, e, 0, 3, 2},
          {2 * q + 2 * t8, e, 0, 3, 2},
          {q, q},
          {3 * q, q}}},
        {"quintuplet of 16ths missing two",
         {{5, 4, {{0, len::k16th}, {32256, len::k16th}, {3 * 32256, len::k16th}}}},
         {{2 * 32256, len::k16th, 0, 5, 4}, {4 * 32256, len::k16th, 0, 5, 4}, {q, q},
          {2 * q, len::kHalf}}},
    };
    for (const TupletCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::shared_ptr<Note>> notes;
        std::vector<std::shared_ptr<Tuplet>> tuplets;
        for (const TupletSpec& spec : c.tuplets) {
            auto tuplet = std::make_shared<Tuplet>(spec.actual, spec.normal);
            for (std::size_t i = 0; i < spec.notes.size(); ++i) {
                auto note = MakeNote(spec.notes[i]);
                if (i == 0)
                    tuplet->SetFirstNote(note);
                else
                    tuplet->AddNote(note);
                notes.push_back(note);
            }
            tuplets.push_back(tuplet);
        }
        std::stable_sort(notes.begin(), notes.end(), [](const auto& a, const auto& b) {
            return a->GetStartTime() < b->GetStartTime();
        });
        BeatGrouping grouping;
        std::vector<std::shared_ptr<Note>> output;
        grouping.Build(notes, tuplets, output);
        EXPECT_EQ(RestValues(output), c.rests);
        std::vector<BeatGrouping::Rest> rests;
        grouping.BuildRests(notes, tuplets, {}, rests);
        EXPECT_EQ(RestValues(rests), c.rests);
    }
}

TEST(BeatGroupingTest, TupletsWithoutUsableCountsGiveNoTupletRests)
{
    const int q = len::kQuarter;
    const int e = len::kEighth;
    struct Case {
        const char* name;
        int actual;
        int normal;
        bool firstNote;
        std::vector<Value> rests;
    } const cases[] = {
        // The note's own range stays: rests only around it.
        {"actual count 0", 0, 2, true, {{e, e}, {q, q}, {2 * q, len::kHalf}}},
        {"normal count 0", 3, 0, true, {{e, e}, {q, q}, {2 * q, len::kHalf}}},
        {"no first note", 3, 2, false, {{0, len::kHalf}, {2 * q, len::kHalf}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto tuplet = std::make_shared<Tuplet>(c.actual, c.normal);
        std::vector<std::shared_ptr<Note>> notes;
        if (c.firstNote) {
            notes.push_back(MakeNote({0, e}));
            tuplet->SetFirstNote(notes.back());
        }
        BeatGrouping grouping;
        std::vector<std::shared_ptr<Note>> output;
        grouping.Build(notes, {tuplet, nullptr}, output);
        EXPECT_EQ(RestValues(output), c.rests);
    }
}

TEST(BeatGroupingTest, TupletCountsOutsideEveryTupletKeepTheNoteCovered)
{
    // A triplet eighth whose tuplet is gone: no rest is put over it.
    BeatGrouping grouping;
    std::vector<std::shared_ptr<Note>> output;
    grouping.Build({MakeNote({0, len::kQuarter, 0, 3, 2})}, {}, output);
    for (const auto& rest : output)
        EXPECT_GE(rest->GetStartTime(), 107520);
    EXPECT_FALSE(output.empty());
}

TEST(BeatGroupingTest, ATupletWithTheLargestCountsStaysBounded)
{
    // 99 in the time of 1 over a 128th: steps of 50 ticks, at most 99 rests.
    auto tuplet = std::make_shared<Tuplet>(note_limits::kMaxTupletCount, 1);
    auto first = MakeNote({0, len::k128th});
    tuplet->SetFirstNote(first);
    BeatGrouping grouping;
    std::vector<std::shared_ptr<Note>> output;
    grouping.Build({first}, {tuplet}, output);
    int tupletRests = 0;
    for (const auto& rest : output)
        tupletRests += rest->GetTupletActual() == note_limits::kMaxTupletCount ? 1 : 0;
    EXPECT_EQ(tupletRests, 98);
}

TEST(BeatGroupingTest, ItemsAlreadyInTheOutputOccupyTime)
{
    BeatGrouping grouping;
    auto earlier = MakeNote({0, len::kHalf}, pitch_code::kRest);
    std::vector<std::shared_ptr<Note>> output = {earlier};
    grouping.Build({}, {}, output);
    ASSERT_EQ(output.size(), 2u);
    EXPECT_EQ(output[0], earlier);
    EXPECT_EQ(RestValues({output[1]}), (std::vector<Value>{{len::kHalf, len::kHalf}}));
    std::vector<BeatGrouping::Rest> rests;
    grouping.BuildRests({}, {}, {earlier}, rests);
    EXPECT_EQ(RestValues(rests), (std::vector<Value>{{len::kHalf, len::kHalf}}));
}

TEST(BeatGroupingTest, SmallestUnitFollowsTheNotesAndTheirStarts)
{
    struct Case {
        const char* name;
        std::vector<Value> notes;
        int unit;
    } const cases[] = {
        {"empty: the beat", {}, len::kQuarter},
        {"a half at 0: still the beat", {{0, len::kHalf}}, len::kQuarter},
        {"a sixteenth", {{0, len::k16th}}, len::k16th},
        {"a dot halves the base", {{0, len::kEighth, 1}}, len::k16th},
        {"a start off the eighth grid", {{0, len::kQuarter}, {len::k32nd, len::kQuarter}},
         len::k32nd},
        {"a start on no grid at all", {{1000, len::kQuarter}}, len::k128th},
        {"a note of no length: never 0", {{0, 0, 3}}, 630},
        {"a note of a few ticks", {{0, 100}}, 630},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BeatGrouping grouping;
        std::vector<std::shared_ptr<Note>> output;
        grouping.Build(MakeNotes(c.notes), {}, output);
        EXPECT_EQ(grouping.GetSmallestUnit(), c.unit);
    }
}

TEST(BeatGroupingTest, NotesOfNoRealValueStillGiveBoundedRests)
{
    BeatGrouping grouping;
    std::vector<std::shared_ptr<Note>> output;
    grouping.Build(MakeNotes({{0, 0}, {len::kQuarter, 100}}), {}, output);
    // The hole [100 + quarter, bar end) is counted in units of 630 and filled; nothing
    // is longer than the bar and every rest is a plain value.
    ASSERT_FALSE(output.empty());
    EXPECT_LT(output.size(), 40u);
    for (const auto& rest : output) {
        EXPECT_GE(rest->GetDuration(), len::k128th);
        EXPECT_LE(rest->GetStartTime() + GetNoteDuration(rest.get()), len::kWhole);
    }
}

TEST(BeatGroupingTest, UnusableMetersGiveNoRests)
{
    struct Case {
        int beats;
        int beatType;
    } const cases[] = {{4, 0}, {4, -4}, {4, 129}, {0, 4}, {-3, 4}, {129, 4}, {0x7FFFFFFF, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.beats << "/" << c.beatType);
        BeatGrouping grouping;
        grouping.SetMeter(c.beats, c.beatType);
        std::vector<std::shared_ptr<Note>> output;
        grouping.Build(MakeNotes({{0, len::kQuarter}}), {}, output);
        EXPECT_TRUE(output.empty());
    }
    // The largest usable meter stays bounded: 128 whole-note beats of whole rests.
    BeatGrouping widest;
    widest.SetMeter(beat_limits::kMaxBeats, 1);
    std::vector<std::shared_ptr<Note>> output;
    widest.Build({}, {}, output);
    EXPECT_EQ(output.size(), 64u);
}

}  // namespace
}  // namespace quaverly
