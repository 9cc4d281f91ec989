#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "import_fixtures.h"
#include "midi/midi_data.h"
#include "scoredata/midi_parser.h"
#include "scoredata/score_data.h"

namespace tabulon {
namespace {

using namespace tabulon::testing;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct MeterView {
    std::int32_t bar, numerator, denominator, flag;
    friend bool operator==(const MeterView&, const MeterView&) = default;
};

std::vector<MeterView> MetersOf(const ScoreData& score)
{
    std::vector<MeterView> view;
    for (const MeterRecord& m : score.GetMeters())
        view.push_back({m.bar, m.numerator, m.denominator, m.flag});
    return view;
}

struct Song {
    Owned<midi::MidiData> data{create_midi_data()};

    midi::MidiTrack& Track(int id, const std::vector<Played>& notes = {})
    {
        data->AddTrack(id);
        midi::MidiTrack& track = *data->GetTrack(id);
        track.AddEvents(EventsOf(notes));
        return track;
    }
};

struct Imported {
    Owned<ScoreData> score{create_score_data()};
};

Imported Import(const midi::MidiData& song, MidiParser& parser)
{
    Imported imported;
    parser.Convert(&song, imported.score.get());
    return imported;
}

Owned<MidiParser> ParserOf(std::vector<int> tracks, bool lyrics = false)
{
    Owned<MidiParser> parser(create_midi_parser());
    for (int id : tracks)
        parser->MarkTrack(id);
    parser->SetPostPass(lyrics ? 1 : 0);
    return parser;
}

TEST(MidiParserTest, TimeSignaturesBecomeMeterRecordsWithFourFourBeforeTheFirst)
{
    struct Case {
        std::string name;
        std::vector<midi::MidiMeterRecord> meters;
        std::vector<MeterView> expected;
    };
    const std::vector<Case> cases{
        {"None", {}, {{0, 4, 4, 1}}},
        {"AtTheStart", {Meter(0, 3, 4)}, {{0, 3, 4, 1}}},
        {"FirstAtBarThree", {Meter(1440, 3, 4)}, {{0, 4, 4, 1}, {3, 3, 4, 1}}},
        {"Changes", {Meter(0, 6, 8), Meter(720, 2, 4)}, {{0, 6, 8, 1}, {2, 2, 4, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Song song;
        for (const auto& meter : c.meters)
            song.data->AddMeter(meter);
        song.Track(1, {{1440 + 360, 120}});
        Owned<MidiParser> parser = ParserOf({1});
        Imported imported = Import(*song.data, *parser);
        EXPECT_EQ(MetersOf(*imported.score), c.expected);
        // The note imports whatever the signatures are.
        ASSERT_NE(imported.score->GetStave(1), nullptr);
        EXPECT_EQ(imported.score->GetStave(1)->GetStaff(0)->GetNotes().size(), 1u);
    }
}

TEST(MidiParserTest, KeySignaturesAreCarriedOverByBarAsMajor)
{
    Song song;
    song.data->AddKey({0, 3, 1});
    song.data->AddKey({960, -10, 0});
    song.data->AddKey({1000, 2, 0});
    Owned<MidiParser> parser = ParserOf({});
    Imported imported = Import(*song.data, *parser);
    const auto& keys = imported.score->GetKeys();
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].bar, 0);
    EXPECT_EQ(keys[0].key, 3);
    EXPECT_EQ(keys[0].major, 1);
    EXPECT_EQ(keys[1].bar, 2);
    EXPECT_EQ(keys[1].key, -2);  // the remainder keeps its sign
    EXPECT_EQ(keys[2].bar, 2);
    EXPECT_EQ(imported.score->GetBarCount(), 0);
}

TEST(MidiParserTest, OnlyMarkedTracksBecomeStavesAndFixedKindsStayWithTheirTrack)
{
    Song song;
    song.Track(1, {{0, 480, 70}});
    song.Track(2, {{0, 960, 70}, {960, 480, 70}});
    midi::MidiTrack& third = song.Track(3, {{0, 120, 70}});
    third.AddEvents({{0, 0xC0 | 5 << 8}, {10, 0xB0 | 7 << 8 | 100 << 16}});
    Owned<MidiParser> parser = ParserOf({2, 3});
    parser->SetTrackKind(2, 4);
    Imported imported = Import(*song.data, *parser);
    EXPECT_THAT(imported.score->GetStaveIds(), ElementsAre(2, 3));
    EXPECT_EQ(imported.score->GetStave(2)->GetKind(), 4);
    EXPECT_EQ(imported.score->GetStave(3)->GetKind(), 0);
    EXPECT_EQ(imported.score->GetStave(3)->GetStaff(0)->GetNotes().size(), 1u);
    EXPECT_EQ(imported.score->GetBarCount(), 3);
}

TEST(MidiParserTest, GridIsANoteValueFromOneToOneHundredTwentyEighth)
{
    Owned<MidiParser> parser(create_midi_parser());
    EXPECT_EQ(parser->SetGrid(16), 40320);
    EXPECT_EQ(parser->SetGrid(8), 80640);
    EXPECT_EQ(parser->SetGrid(0), 80640);
    EXPECT_EQ(parser->SetGrid(129), 80640);
    EXPECT_EQ(parser->SetGrid(-4), 80640);
    EXPECT_EQ(parser->SetGrid(128), 5040);
    EXPECT_EQ(parser->SetGrid(1), 645120);

    // An eighth grid writes a sixteenth run as eighths.
    Song song;
    song.Track(0, {{0, 30}, {30, 30}, {60, 30}, {90, 30}});
    parser->SetGrid(8);
    parser->MarkTrack(0);
    Imported imported = Import(*song.data, *parser);
    for (const NoteRecord& note : imported.score->GetStave(0)->GetStaff(0)->GetNotes())
        EXPECT_GE(note.value, 80640);
}

TEST(MidiParserTest, LyricsAttachToTheFirstNoteAtOrAfterThem)
{
    Song song;
    midi::MidiTrack& track = song.Track(0, {{0, 120}, {240, 120}, {480, 120}});
    track.AddLyric({0, "\xE8\x8C\x89"});    // 茉 in UTF-8, on the first note
    track.AddLyric({120, "\xC0\xF2"});      // 莉 in GB2312, between notes: the later one
    track.AddLyric({484, "la"});            // a hair late: quantised onto the third note
    track.AddLyric({700, "lost"});          // after the last note
    {
        Owned<MidiParser> parser = ParserOf({0}, true);
        Imported imported = Import(*song.data, *parser);
        const auto& lyrics = imported.score->GetStave(0)->GetLyrics();
        ASSERT_EQ(lyrics.size(), 3u);
        EXPECT_EQ(lyrics[0].bar, 0);
        EXPECT_EQ(lyrics[0].offset, 0);
        EXPECT_EQ(lyrics[0].text, u"茉");
        EXPECT_EQ(lyrics[1].offset, 322560);
        EXPECT_EQ(lyrics[1].text, u"莉");
        EXPECT_EQ(lyrics[2].bar, 1);
        EXPECT_EQ(lyrics[2].offset, 0);
    }
    {
        Owned<MidiParser> parser = ParserOf({0});
        parser->SetPostPass(0x100);  // only the low byte switches the pass
        Imported imported = Import(*song.data, *parser);
        EXPECT_THAT(imported.score->GetStave(0)->GetLyrics(), IsEmpty());
    }
}

TEST(MidiParserTest, DivisionsThatCannotBeReadAddNothing)
{
    for (int division : {0, 1, 2, -1, -7720, 32768, std::numeric_limits<int>::min()}) {
        SCOPED_TRACE(division);
        Song song;
        song.data->SetDivision(division);
        song.data->AddMeter(Meter(0, 3, 4));
        song.Track(0, {{0, 120}});
        Owned<MidiParser> parser = ParserOf({0});
        Imported imported = Import(*song.data, *parser);
        EXPECT_THAT(imported.score->GetMeters(), IsEmpty());
        EXPECT_THAT(imported.score->GetStaveIds(), IsEmpty());
        EXPECT_EQ(imported.score->GetBarCount(), 0);
    }
    // The smallest division read.
    Song song;
    song.data->SetDivision(3);
    song.Track(0, {{0, 3}, {3, 6}});
    Owned<MidiParser> parser = ParserOf({0});
    Imported imported = Import(*song.data, *parser);
    ASSERT_EQ(imported.score->GetStave(0)->GetStaff(0)->GetNotes().size(), 2u);
    EXPECT_EQ(imported.score->GetStave(0)->GetStaff(0)->GetNotes()[1].value, 322560);
    parser->Convert(nullptr, imported.score.get());
    parser->Convert(song.data.get(), nullptr);
}

TEST(MidiParserTest, HostileSongsImportWithoutCrashing)
{
    const std::int32_t huge = std::numeric_limits<std::int32_t>::max();
    struct Case {
        std::string name;
        int division;
        std::vector<midi::MidiMeterRecord> meters;
        std::vector<midi::MidiEvent> events;
    };
    std::vector<midi::MidiEvent> overlapping;
    for (int i = 0; i < 200; ++i)
        overlapping.push_back(NoteOn(i, 60));
    for (int i = 0; i < 200; ++i)
        overlapping.push_back(NoteOff(400 + i, 60));
    std::vector<midi::MidiEvent> longHeld;
    for (std::uint32_t key = 20; key < 100; ++key)
        longHeld.push_back(NoteOn(0, key));
    longHeld.push_back({huge, 0xB0});
    const std::vector<Case> cases{
        {"EmptyTrack", 120, {}, {}},
        {"OnlyNoteOffs", 120, {}, {NoteOff(0, 60), NoteOff(10, 61)}},
        {"TruncatedNoteOns", 480, {}, {NoteOn(0, 60), NoteOn(100, 64), NoteOn(5000, 67)}},
        {"HugeDeltas", 3, {Meter(huge, 7, 8)}, {NoteOn(0, 60), NoteOff(huge / 2, 60), NoteOn(huge - 1, 62), NoteOff(huge, 62)}},
        {"LongHeldChord", 3, {}, longHeld},
        {"OverlappingNotesOfOneKey", 96, {Meter(0, 5, 16)}, overlapping},
        {"NegativeTicks", 120, {Meter(-480, 3, 4)}, {NoteOn(-100, 60), NoteOff(-50, 60), NoteOn(-10, 62), NoteOff(60, 62)}},
        {"ZeroLengthNotes", 120, {}, {NoteOn(10, 60), NoteOff(10, 60), NoteOn(479, 61), NoteOff(479, 61)}},
        {"OddMeters", 120, {Meter(0, 255, 1), Meter(100000, 1, 128)}, {NoteOn(0, 60), NoteOff(200000, 60)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Song song;
        song.data->SetDivision(c.division);
        for (const auto& meter : c.meters)
            song.data->AddMeter(meter);
        song.Track(0).AddEvents(c.events);
        song.data->AddKey({huge, 7, 0});
        song.Track(1).AddLyric({huge, "x"});
        Owned<MidiParser> parser = ParserOf({0, 1, 2}, true);
        parser->SetTrackKind(0, 2);
        Imported imported = Import(*song.data, *parser);
        EXPECT_GE(imported.score->GetBarCount(), 0);
        EXPECT_LE(imported.score->GetBarCount(), 100000);
        for (int id : imported.score->GetStaveIds()) {
            const StaveData* stave = imported.score->GetStave(id);
            for (int staffId : stave->GetStaffIds()) {
                for (const NoteRecord& note : stave->GetStaff(staffId)->GetNotes()) {
                    EXPECT_GE(note.bar, 0);
                    EXPECT_GE(note.offset, 0);
                    EXPECT_GE(note.value, 5040);
                    EXPECT_LE(note.value, 1290240);
                }
            }
        }
    }
}

}  // namespace
}  // namespace tabulon
