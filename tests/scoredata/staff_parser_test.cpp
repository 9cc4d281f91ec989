#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "import_fixtures.h"
#include "scoredata/staff_parser.h"
#include "scoredata/staff_parser_impl.h"

namespace tabulon {
namespace {

using namespace tabulon::testing;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// The written form of one note record.
struct Written {
    std::int32_t pitch = 60;
    std::int32_t bar = 0;
    std::int32_t offset = 0;
    std::int32_t value = 0;
    int dotted = 0;
    std::int32_t tuplet = 0;

    friend bool operator==(const Written&, const Written&) = default;
    friend void PrintTo(const Written& w, std::ostream* os)
    {
        *os << "{pitch " << w.pitch << ", bar " << w.bar << ", offset " << w.offset << ", value "
            << w.value << (w.dotted ? " dotted" : "") << ", tuplet " << w.tuplet << "}";
    }
};

Written WrittenOf(const NoteRecord& note)
{
    return {note.pitch, note.bar, note.offset, note.value, note.dotted, note.tuplet};
}

std::vector<Written> WrittenOf(const std::vector<NoteRecord>& notes)
{
    std::vector<Written> written;
    for (const NoteRecord& note : notes)
        written.push_back(WrittenOf(note));
    return written;
}

constexpr std::int32_t kWhole = 645120;
constexpr std::int32_t kHalf = 322560;
constexpr std::int32_t kQuarter = 161280;
constexpr std::int32_t kEighth = 80640;
constexpr std::int32_t kSixteenth = 40320;

struct Parsed {
    Owned<StaffData> staff;
    int bars = 0;
};

// Division 120: a quarter is 120 MIDI ticks; sixteenth grid unless told.
Parsed ParseStaff(const std::vector<midi::MidiEvent>& events,
                  const std::vector<midi::MidiMeterRecord>& meters = {}, int division = 120,
                  int grid = kSixteenth)
{
    Parsed parsed{Owned<StaffData>(create_staff_data()), 0};
    Owned<StaffParser> parser(create_staff_parser());
    parser->SetDivision(division * 32);
    parser->SetGrid(grid);
    parser->SetMeters(meters);
    parsed.bars = parser->Parse(parsed.staff.get(), events);
    return parsed;
}

struct ValueCase {
    std::string name;
    std::vector<midi::MidiMeterRecord> meters;
    std::vector<Played> notes;
    std::vector<Written> expected;
};

class StaffValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(StaffValues, NotesAreWrittenAsValuesCutAtBeatGroupsAndBars)
{
    const ValueCase& c = GetParam();
    Parsed parsed = ParseStaff(EventsOf(c.notes), c.meters);
    EXPECT_THAT(WrittenOf(parsed.staff->GetNotes()), ElementsAreArray(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StaffValues,
    ::testing::Values(
        ValueCase{"Quarter", {}, {{0, 120}}, {{60, 0, 0, kQuarter}}},
        ValueCase{"SlightlyEarlyAndLateQuantiseToTheGrid", {}, {{7, 110}}, {{60, 0, 0, kQuarter}}},
        ValueCase{"DottedQuarterAndEighth",
                  {},
                  {{0, 180}, {180, 60}},
                  {{60, 0, 0, kQuarter, 1}, {60, 0, 241920, kEighth}}},
        ValueCase{"HalfAndWhole", {}, {{0, 240}, {480, 480}}, {{60, 0, 0, kHalf}, {60, 1, 0, kWhole}}},
        ValueCase{"DottedHalfInThreeFour", {Meter(0, 3, 4)}, {{0, 360}}, {{60, 0, 0, kHalf, 1}}},
        ValueCase{"DottedQuarterInSixEight", {Meter(0, 6, 8)}, {{0, 180}, {180, 180}},
                  {{60, 0, 0, kQuarter, 1}, {60, 0, 241920, kQuarter, 1}}},
        ValueCase{"SyncopatedQuarterStaysWhole",
                  {},
                  {{0, 60}, {60, 120}, {180, 60}},
                  {{60, 0, 0, kEighth}, {60, 0, kEighth, kQuarter}, {60, 0, 241920, kEighth}}},
        ValueCase{"ShortRestInsideABeatIsAbsorbed",
                  {},
                  {{0, 60}, {60, 120}, {240, 120}},
                  {{60, 0, 0, kEighth}, {60, 0, kEighth, kQuarter, 1}, {60, 0, kHalf, kQuarter}}},
        ValueCase{"HalfAcrossTheMiddleOfFourFourIsTied",
                  {},
                  {{0, 60}, {60, 240}, {300, 60}},
                  {{60, 0, 0, kEighth},
                   {60, 0, kEighth, kQuarter, 1},
                   {60, 0, kHalf, kEighth},
                   {60, 0, 403200, kEighth}}},
        ValueCase{"FiveSixteenthsAreAQuarterAndASixteenth",
                  {},
                  {{0, 150}, {150, 30}},
                  {{60, 0, 0, kQuarter}, {60, 0, kQuarter, kSixteenth}, {60, 0, 201600, kEighth, 1}}},
        ValueCase{"NoteAcrossTheBarLine",
                  {},
                  {{360, 240}},
                  {{60, 0, 483840, kQuarter}, {60, 1, 0, kQuarter}}},
        ValueCase{"ChordSharesItsColumn",
                  {},
                  {{0, 120, 60}, {0, 120, 64}},
                  {{64, 0, 0, kQuarter}, {60, 0, 0, kQuarter}}},
        ValueCase{"MeterChangeInTheSecondBar",
                  {Meter(480, 3, 4)},
                  {{480, 360}},
                  {{60, 1, 0, kHalf, 1}}},
        ValueCase{"SixteenthsAreNoTriplets",
                  {},
                  {{0, 30}, {30, 30}, {60, 30}, {90, 30}},
                  {{60, 0, 0, kSixteenth},
                   {60, 0, kSixteenth, kSixteenth},
                   {60, 0, kEighth, kSixteenth},
                   {60, 0, 120960, kSixteenth}}},
        ValueCase{"TripletEighths",
                  {},
                  {{0, 40}, {40, 40}, {80, 40}, {120, 120}},
                  {{60, 0, 0, kEighth, 0, 3},
                   {60, 0, 53760, kEighth, 0, 3},
                   {60, 0, 107520, kEighth, 0, 3},
                   {60, 0, kQuarter, kQuarter}}},
        ValueCase{"DetachedTripletsAreFoundFromTheirStarts",
                  {},
                  {{120, 15}, {160, 15}, {200, 15}},
                  {{60, 0, kQuarter, kEighth, 0, 3},
                   {60, 0, 215040, kEighth, 0, 3},
                   {60, 0, 268800, kEighth, 0, 3}}},
        ValueCase{"TripletQuarters",
                  {},
                  {{0, 80}, {80, 80}, {160, 80}},
                  {{60, 0, 0, kQuarter, 0, 3},
                   {60, 0, 107520, kQuarter, 0, 3},
                   {60, 0, 215040, kQuarter, 0, 3}}},
        ValueCase{"TwoTripletNotesAreNoTriplet",
                  {},
                  {{0, 40}, {40, 80}},
                  {{60, 0, 0, kSixteenth}, {60, 0, kSixteenth, kEighth, 1}}}),
    [](const ::testing::TestParamInfo<ValueCase>& param) { return param.param.name; });

TEST(StaffParserTest, QuarterAtDivision480WithASixteenthGrid)
{
    Parsed parsed = ParseStaff(EventsOf({{0, 480}}), {}, 480);
    EXPECT_EQ(parsed.bars, 1);
    ASSERT_EQ(parsed.staff->GetNotes().size(), 1u);
    EXPECT_EQ(parsed.staff->GetNotes()[0].value, kQuarter);
    EXPECT_EQ(parsed.staff->GetNotes()[0].dotted, 0);
    EXPECT_EQ(parsed.staff->GetNotes()[0].velocity, 100);
}

TEST(StaffParserTest, ANoteAcrossTheBarLineFormsOneTieChain)
{
    Parsed parsed = ParseStaff(EventsOf({{0, 120, 67}, {360, 240, 60}}));
    EXPECT_EQ(parsed.bars, 2);
    const auto& notes = parsed.staff->GetNotes();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[1].sequence, notes[2].sequence);
    ASSERT_EQ(parsed.staff->GetTieChains().size(), 1u);
    EXPECT_THAT(WrittenOf(parsed.staff->GetTieChains()[0].notes),
                ElementsAre(Written{60, 0, 483840, kQuarter}, Written{60, 1, 0, kQuarter}));
}

TEST(StaffParserTest, TripletsFormOneGroupOfThree)
{
    Parsed parsed = ParseStaff(EventsOf({{0, 40}, {40, 40}, {80, 40}, {120, 40}, {160, 40}, {200, 40}}));
    const auto& groups = parsed.staff->GetTupletGroups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].count, 3);
    EXPECT_EQ(groups[0].notes.size(), 3u);
    EXPECT_EQ(groups[1].notes[0].offset, kQuarter);
    EXPECT_THAT(parsed.staff->GetTieChains(), IsEmpty());
}

TEST(StaffParserTest, ShortTripletsGroupInSixes)
{
    // Triplet sixteenths on a thirty-second grid: six to a group.
    std::vector<Played> notes;
    for (int i = 0; i < 6; ++i)
        notes.push_back({i * 20, 20});
    notes.push_back({120, 120});
    Parsed parsed = ParseStaff(EventsOf(notes), {}, 120, 20160);
    const auto& groups = parsed.staff->GetTupletGroups();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].count, 6);
    ASSERT_EQ(groups[0].notes.size(), 6u);
    EXPECT_EQ(groups[0].notes[5].offset, 5 * 26880);
    EXPECT_EQ(groups[0].notes[0].value, kSixteenth);
    EXPECT_EQ(groups[0].notes[0].SoundingLength(), 26880);
    // On the sixteenth grid they are too short for triplets.
    Parsed coarse = ParseStaff(EventsOf(notes));
    EXPECT_THAT(coarse.staff->GetTupletGroups(), IsEmpty());
}

TEST(StaffParserTest, ATiedNoteCutShortByAnotherVoiceHasItsGapFilled)
{
    // A half note from beat 4 into the next bar; a second voice starts halfway through
    // beat 4, so the first piece is written as an eighth and the chain fills the gap.
    Parsed parsed = ParseStaff(EventsOf({{360, 240, 60}, {420, 60, 64}}));
    ASSERT_EQ(parsed.staff->GetTieChains().size(), 1u);
    const auto& chain = parsed.staff->GetTieChains()[0].notes;
    EXPECT_THAT(WrittenOf(chain), ElementsAre(Written{60, 0, 483840, kEighth}, Written{60, 0, 564480, kEighth},
                                              Written{60, 1, 0, kQuarter}));
    EXPECT_EQ(chain[1].velocity, 100);
    EXPECT_EQ(chain[1].sequence, chain[0].sequence);
    // The filling note is in the chain only, not in the staff's notes.
    EXPECT_EQ(parsed.staff->GetNotes().size(), 3u);
}

TEST(StaffParserTest, PairingTakesTheEarliestSoundingNoteOfTheKey)
{
    using Item = StaffParserImpl::NoteItem;
    struct PairCase {
        std::string name;
        std::vector<midi::MidiEvent> events;
        std::vector<std::tuple<std::int64_t, std::int64_t, int>> expected;  // start, length, sequence
    };
    const std::vector<PairCase> cases{
        {"OverlappingOnsOfOneKey",
         {NoteOn(0, 60), NoteOn(60, 60), NoteOff(120, 60), NoteOff(240, 60)},
         {{0, 120 * 32, 0}, {60 * 32, 180 * 32, 1}}},
        {"VelocityZeroEndsANote", {NoteOn(0, 60), NoteOn(120, 60, 0)}, {{0, 120 * 32, 0}}},
        {"NoteOffWithoutNoteOnIsPassedOver", {NoteOff(10, 62), NoteOn(20, 60), NoteOff(30, 60)},
         {{20 * 32, 10 * 32, 0}}},
        {"UnfinishedNoteEndsWithTheTrack",
         {NoteOn(0, 60), NoteOn(10, 64), NoteOff(50, 64), {90, 0xB0 | 7 << 8}},
         {{0, 90 * 32, 1}, {10 * 32, 40 * 32, 0}}},
        {"NegativeTicksAndBadDataBytesAreIgnored",
         {NoteOn(-5, 60), NoteOn(0, 200), NoteOn(0, 61), NoteOff(20, 61)},
         {{0, 20 * 32, 0}}},
        {"OtherChannelsStillPair", {NoteOn(0, 60), {30, 0x81 | 60 << 8}}, {{0, 30 * 32, 0}}},
    };
    for (const PairCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::tuple<std::int64_t, std::int64_t, int>> got;
        for (const Item& item : StaffParserImpl::PairNotes(c.events, std::nullopt))
            got.emplace_back(item.start, item.length, item.sequence);
        EXPECT_EQ(got, c.expected);
    }
    // Closing at the end of the whole track, which the stave parser passes.
    const auto items = StaffParserImpl::PairNotes({NoteOn(0, 60)}, 480);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].length, 480 * 32);
}

TEST(StaffParserTest, BadSettingsAndHostileTimesProduceNothingOrBoundedResults)
{
    // Nothing to parse.
    EXPECT_EQ(ParseStaff({}).bars, 0);
    EXPECT_EQ(ParseStaff({NoteOff(0, 60)}).bars, 0);
    // A fine division too small for a grid step.
    EXPECT_EQ(ParseStaff(EventsOf({{0, 1}}), {}, 0).bars, 0);
    {
        Owned<StaffParser> parser(create_staff_parser());
        parser->SetDivision(-3840);
        Owned<StaffData> staff(create_staff_data());
        EXPECT_EQ(parser->Parse(staff.get(), EventsOf({{0, 120}})), 0);
        EXPECT_THAT(staff->GetNotes(), IsEmpty());
        EXPECT_EQ(parser->Parse(nullptr, EventsOf({{0, 120}})), 0);
    }
    // A note held for the longest time a tick can say stops at the last importable bar.
    const std::int32_t huge = std::numeric_limits<std::int32_t>::max();
    Parsed held = ParseStaff({NoteOn(0, 60), NoteOff(huge, 60)}, {}, 3);
    EXPECT_GT(held.bars, 0);
    EXPECT_LE(held.bars, 100000);
    // A note that starts past it is dropped.
    EXPECT_EQ(ParseStaff({NoteOn(huge - 10, 60), NoteOff(huge, 60)}, {}, 3).bars, 0);
    // Unusable time signatures are passed over (4/4 holds).
    Parsed odd = ParseStaff(EventsOf({{0, 480}}), {Meter(0, 0, 4), Meter(0, 3, 0), Meter(0, 4, 3), Meter(0, 4, 256)});
    EXPECT_THAT(WrittenOf(odd.staff->GetNotes()), ElementsAre(Written{60, 0, 0, kWhole}));
    // A refused grid leaves the sixteenth grid.
    Parsed refused = ParseStaff(EventsOf({{0, 30}, {30, 30}}), {}, 120, 0);
    EXPECT_EQ(refused.staff->GetNotes().size(), 2u);
}

TEST(StaffParserTest, OneParserParsesAgainWithTheSameSettings)
{
    Owned<StaffParser> parser(create_staff_parser());
    parser->SetDivision(120 * 32);
    parser->SetMeters({Meter(0, 3, 4)});
    Owned<StaffData> first(create_staff_data());
    Owned<StaffData> second(create_staff_data());
    EXPECT_EQ(parser->Parse(first.get(), EventsOf({{0, 360}, {360, 360}})), 2);
    EXPECT_EQ(parser->Parse(second.get(), EventsOf({{0, 360}, {360, 360}})), 2);
    EXPECT_EQ(WrittenOf(first->GetNotes()), WrittenOf(second->GetNotes()));
}

}  // namespace
}  // namespace tabulon
