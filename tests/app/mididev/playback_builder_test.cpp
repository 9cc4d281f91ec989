#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/mididev/playback_builder.h"
#include "midi/midi_track.h"
#include "tests/app/mididev/playback_fixtures.h"

namespace {

using brindle::MakeNoteOffEvent;
using brindle::MakeNoteOnEvent;
using brindle::PlaybackBuilder;
using midi::MidiEvent;
using midi::MidiKeyRecord;
using midi::MidiMeterRecord;
using midi::MidiTempoRecord;
using mididev_test::AddStaff;
using mididev_test::NewScore;
using mididev_test::NewSong;
using mididev_test::Note;
using mididev_test::ScorePtr;
using mididev_test::SongPtr;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr int kQuarter = tabulon::kUnitsPerQuarter;

SongPtr Build(const tabulon::ScoreData& score)
{
    SongPtr song = NewSong();
    PlaybackBuilder builder;
    builder.SetMidiData(song.get());
    builder.SetScoreData(&score);
    EXPECT_TRUE(builder.Build());
    return song;
}

std::vector<MidiEvent> TrackEvents(const midi::MidiData& song, int trackId)
{
    const midi::MidiTrack* track = song.GetTrack(trackId);
    EXPECT_NE(track, nullptr) << "track " << trackId;
    return track == nullptr ? std::vector<MidiEvent>{} : track->GetEvents();
}

MidiEvent Program(int channel, int program)
{
    return {0, static_cast<std::uint32_t>(0xC0 + channel + program * 256)};
}

TEST(PlaybackBuilder, NoteMessagesArePackedAndMasked)
{
    EXPECT_EQ(MakeNoteOnEvent(10, 60, 100, 2), (MidiEvent{10, 0x643C92}));
    EXPECT_EQ(MakeNoteOffEvent(10, 60, 2), (MidiEvent{10, 0x3C82}));
    // A byte out of range never spills into the status or the neighbouring byte.
    EXPECT_EQ(MakeNoteOnEvent(0, 200, 255, 17), (MidiEvent{0, 0x7F4891}));
    EXPECT_EQ(MakeNoteOffEvent(0, 128, 31), (MidiEvent{0, 0x008F}));
}

TEST(PlaybackBuilder, QuarterNoteInTheSecondBar)
{
    ScorePtr score = NewScore(2);
    score->AddMeter({0, 4, 4, 0});
    AddStaff(*score, 1, 1, 0, 40)->AddNote(Note(60, 1, kQuarter));
    SongPtr song = Build(*score);

    EXPECT_EQ(song->GetDivision(), 120);
    EXPECT_THAT(song->GetMeters(), ElementsAre(MidiMeterRecord{0, 4, 4, 0, 0}));
    EXPECT_THAT(song->GetTrackIds(), ElementsAre(0));
    EXPECT_THAT(TrackEvents(*song, 0),
                ElementsAre(Program(0, 40), MakeNoteOnEvent(600, 60, 100, 0),
                            MakeNoteOffEvent(720, 60, 0), MakeNoteOffEvent(959, 0, 0)));
}

TEST(PlaybackBuilder, TemposFromMarksOrWords)
{
    struct Case {
        const char* what;
        std::vector<tabulon::TempoRecord> marks;
        std::vector<tabulon::TempoTextRecord> words;
        std::vector<MidiTempoRecord> expected;
    };
    const Case cases[] = {
        {"120 quarter beats", {{0, 120, kQuarter}}, {}, {{0, 500000}}},
        {"60 dotted-quarter beats are 90 quarters", {{0, 60, kQuarter * 3 / 2}}, {}, {{0, 666666}}},
        {"no tempo at all", {}, {}, {{0, 500000}}},
        {"a word at bar 4, with 120 before it", {}, {{4, u"中速"}}, {{0, 500000}, {1920, 681818}}},
        {"marks make the words count for nothing",
         {{0, 100, kQuarter}},
         {{0, u"急板"}},
         {{0, 600000}}},
        {"words outside the table add nothing", {}, {{0, u"很快"}, {2, u"快板 "}}, {{0, 500000}}},
        {"a word table hit and a miss", {}, {{0, u"慢板"}, {1, u"不知道"}}, {{0, 1153846}}},
        {"a mark that comes to 0 quarters is passed over, the words count",
         {{0, 1, 100}},
         {{0, u"快板"}},
         {{0, 454545}}},
        {"a first mark after bar 0 has 120 before it",
         {{2, 60, kQuarter}},
         {},
         {{0, 500000}, {960, 1000000}}},
        {"marks in any order, the last of a bar holds",
         {{3, 90, kQuarter}, {0, 60, kQuarter}, {0, 120, kQuarter}},
         {},
         {{0, 500000}, {1440, 666666}}},
        {"a mark too slow for 24 bits is held at the slowest",
         {{0, 1, kQuarter}},
         {},
         {{0, 0xFFFFFF}}},
        {"a huge mark never overflows", {{0, 2000000000, 2000000000}}, {}, {{0, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScorePtr score = NewScore();
        for (const auto& mark : c.marks)
            score->AddTempo(mark);
        for (const auto& word : c.words)
            score->AddTempoText(word);
        SongPtr song = Build(*score);
        EXPECT_THAT(song->GetTempos(), ElementsAreArray(c.expected));
    }
}

TEST(PlaybackBuilder, EveryTempoWordOfTheTable)
{
    const std::pair<std::u16string, int> words[] = {
        {u"广板", 46},     {u"慢板", 52},     {u"慢速", 52},     {u"缓板", 56},
        {u"柔板", 56},     {u"稍慢", 60},     {u"行板", 66},     {u"小行板", 69},
        {u"中板稍慢", 80}, {u"中速稍慢", 80}, {u"中板", 88},     {u"中速", 88},
        {u"中板稍快", 92}, {u"中速稍快", 92}, {u"小快板", 108},  {u"稍快", 124},
        {u"快板", 132},    {u"快速", 132},    {u"急板", 184},    {u"急速", 184},
    };
    for (const auto& [word, value] : words)
        EXPECT_EQ(brindle::TempoWordValue(word), value);
    EXPECT_EQ(brindle::TempoWordValue(u""), 0);
    EXPECT_EQ(brindle::TempoWordValue(u"快"), 0);
}

TEST(PlaybackBuilder, MetersAreOrderedByBarAndCheckedBeforeConversion)
{
    struct Case {
        const char* what;
        std::vector<tabulon::MeterRecord> meters;
        std::vector<MidiMeterRecord> expected;
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"3/4 then 2/4 at bar 2", {{0, 3, 4, 0}, {2, 2, 4, 1}}, {{0, 3, 4, 0, 0}, {720, 2, 4, 0, 0}}},
        {"bars 8 then 0 are taken in bar order",
         {{8, 3, 8, 0}, {0, 2, 4, 0}},
         {{0, 2, 4, 0, 0}, {1920, 3, 8, 0, 0}}},
        {"a first meter at bar 2 counts 4/4 before it", {{2, 6, 8, 0}}, {{960, 6, 8, 0, 0}}},
        {"the last meter of a bar holds", {{0, 3, 4, 0}, {0, 6, 8, 0}}, {{0, 6, 8, 0, 0}}},
        {"zero and negative numbers are passed over",
         {{0, 0, 4, 0}, {0, 3, 0, 0}, {1, -2, 4, 0}, {1, 3, 4, 0}},
         {{480, 3, 4, 0, 0}}},
        {"a negative bar is bar 0", {{-3, 3, 4, 0}}, {{0, 3, 4, 0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THAT(PlaybackBuilder::ConvertMeters(c.meters, 120), ElementsAreArray(c.expected));
        ScorePtr score = NewScore();
        for (const auto& meter : c.meters)
            score->AddMeter(meter);
        EXPECT_THAT(Build(*score)->GetMeters(), ElementsAreArray(c.expected));
    }
}

TEST(PlaybackBuilder, KeysAndTitle)
{
    ScorePtr score = NewScore();
    score->AddMeter({0, 3, 4, 0});
    score->AddKey({0, -2, 1});
    score->AddKey({2, 3, 0});
    score->AddKey({3, 9, 1});  // not a key signature
    score->SetTitle(u"茉莉花 AB");
    score->SetComposer(u"not carried");
    SongPtr song = Build(*score);
    EXPECT_THAT(song->GetKeys(), ElementsAre(MidiKeyRecord{0, -2, 0}, MidiKeyRecord{720, 3, 1}));
    EXPECT_EQ(song->GetSequenceName(), "\xE8\x8C\x89\xE8\x8E\x89\xE8\x8A\xB1 AB");
    EXPECT_EQ(song->GetText(), "");
    EXPECT_EQ(song->GetCopyright(), "");
}

TEST(PlaybackBuilder, TiedNotesSoundOnce)
{
    ScorePtr score = NewScore(3);
    tabulon::StaffData* staff = AddStaff(*score, 1, 1, 2, 0);
    const tabulon::NoteRecord a = Note(64, 0, 2 * kQuarter, 2 * kQuarter, 90);
    const tabulon::NoteRecord b = Note(64, 1, 0, 4 * kQuarter, 50);
    const tabulon::NoteRecord c = Note(64, 2, 0, kQuarter, 70);
    for (const auto& note : {a, b, c})
        staff->AddNote(note);
    tabulon::NoteRecord duplicate = b;
    duplicate.sequence = 99;
    duplicate.velocity = 10;
    staff->AddNote(duplicate);  // equal to a tied note but for sequence and velocity
    staff->AddNote(Note(67, 2, kQuarter));
    staff->AddTieChain({{a, b, c}});
    staff->AddTieChain({});  // an empty chain sounds nothing
    SongPtr song = Build(*score);
    // One note from the first note's start to the last one's end, with the first one's
    // velocity; the chain's note-off comes before the next note-on at that tick.
    EXPECT_THAT(TrackEvents(*song, 0),
                ElementsAre(Program(2, 0), MakeNoteOnEvent(240, 64, 90, 2),
                            MakeNoteOffEvent(1080, 64, 2), MakeNoteOnEvent(1080, 67, 100, 2),
                            MakeNoteOffEvent(1200, 67, 2), MakeNoteOffEvent(1439, 0, 2)));
}

TEST(PlaybackBuilder, AtOneTickNoteOffsAndProgramsComeBeforeNoteOns)
{
    ScorePtr score = NewScore(2);
    tabulon::StaffData* staff = AddStaff(*score, 1, 1, 0, 0);
    // A grace note that ends where its main note of the same key starts, written after it.
    staff->AddNote(Note(62, 0, kQuarter));
    staff->AddNote(Note(62, 0, kQuarter / 2, kQuarter / 2));
    // A single note that starts where a tie chain of its key ends; the chain is added
    // after the single notes.
    staff->AddNote(Note(60, 1, 0));
    const tabulon::NoteRecord tiedA = Note(60, 0, 2 * kQuarter);
    const tabulon::NoteRecord tiedB = Note(60, 0, 3 * kQuarter);
    staff->AddTieChain({{tiedA, tiedB}});
    // A second staff on another channel whose program change falls at tick 0 after the
    // first staff's notes.
    AddStaff(*score, 1, 2, 1, 24)->AddNote(Note(48, 0, 0));
    SongPtr song = Build(*score);
    EXPECT_THAT(TrackEvents(*song, 0),
                ElementsAre(Program(0, 0), Program(1, 24), MakeNoteOnEvent(0, 48, 100, 1),
                            MakeNoteOnEvent(60, 62, 100, 0), MakeNoteOffEvent(120, 62, 0),
                            MakeNoteOffEvent(120, 48, 1), MakeNoteOnEvent(120, 62, 100, 0),
                            MakeNoteOffEvent(240, 62, 0), MakeNoteOnEvent(240, 60, 100, 0),
                            MakeNoteOffEvent(480, 60, 0), MakeNoteOnEvent(480, 60, 100, 0),
                            MakeNoteOffEvent(600, 60, 0), MakeNoteOffEvent(959, 0, 1)));
}

TEST(PlaybackBuilder, LengthsOfDottedAndTupletNotes)
{
    struct Case {
        const char* what;
        tabulon::NoteRecord note;
        int offTick;
    };
    const Case cases[] = {
        {"triplet eighth", Note(60, 0, 0, kQuarter / 2, 100, 0, 3), 40},
        {"dotted quarter", Note(60, 0, 0, kQuarter, 100, 1, 0), 180},
        {"quintuplet sixteenth", Note(60, 0, 0, kQuarter / 4, 100, 0, 5), 24},
        {"a note running past its bar goes on in the bar's meter", Note(60, 0, 3 * kQuarter, 2 * kQuarter), 600},
        {"a note shorter than a tick still sounds one tick", Note(60, 0, 1000, 300), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScorePtr score = NewScore(2);
        AddStaff(*score, 1, 1)->AddNote(c.note);
        const std::vector<MidiEvent> events = TrackEvents(*Build(*score), 0);
        ASSERT_EQ(events.size(), 4u);
        EXPECT_EQ(events[2], MakeNoteOffEvent(c.offTick, 60, 0));
    }
}

TEST(PlaybackBuilder, BadNumbersNeverReachTheSong)
{
    ScorePtr score = NewScore(1);
    tabulon::StaffData* staff = AddStaff(*score, 1, 1, 17, 200);  // channel 17 is 1
    staff->AddNote(Note(128, 0, 0));                                // no such key
    staff->AddNote(Note(-1, 0, 0));
    staff->AddNote(Note(60, 0, 0, 0));                              // no length
    staff->AddNote(Note(61, 0, 0, -kQuarter));
    staff->AddNote(Note(62, 0, 0, kQuarter, 0));                    // velocity 0 would be a note-off
    staff->AddNote(Note(63, 0, 0, kQuarter, 300));
    staff->AddTieChain({{Note(130, 0, 0), Note(130, 0, kQuarter)}});
    SongPtr song = Build(*score);
    EXPECT_THAT(TrackEvents(*song, 0),
                ElementsAre(MakeNoteOnEvent(0, 62, 1, 1), MakeNoteOnEvent(0, 63, 127, 1),
                            MakeNoteOffEvent(120, 62, 1), MakeNoteOffEvent(120, 63, 1),
                            MakeNoteOffEvent(479, 0, 1)));
}

TEST(PlaybackBuilder, TicksAreNeverNegative)
{
    // A grace note before the first note of the score, and a key and tempo at bar -1.
    ScorePtr score = NewScore(1);
    score->AddTempo({-1, 90, kQuarter});
    score->AddKey({-1, 1, 1});
    AddStaff(*score, 1, 1)->AddNote(Note(67, 0, -kQuarter / 4, kQuarter / 8));
    SongPtr song = Build(*score);
    EXPECT_THAT(song->GetTempos(), ElementsAre(MidiTempoRecord{0, 666666}));
    EXPECT_THAT(song->GetKeys(), ElementsAre(MidiKeyRecord{0, 1, 0}));
    EXPECT_THAT(TrackEvents(*song, 0),
                ElementsAre(Program(0, 0), MakeNoteOnEvent(0, 67, 100, 0),
                            MakeNoteOffEvent(1, 67, 0), MakeNoteOffEvent(479, 0, 0)));

    // An empty score: no bars, a stave without staffs.
    ScorePtr empty = NewScore(0);
    empty->AddStave(3);
    SongPtr emptySong = Build(*empty);
    EXPECT_THAT(emptySong->GetTrackIds(), ElementsAre(0));
    EXPECT_THAT(TrackEvents(*emptySong, 0), ElementsAre(MakeNoteOffEvent(0, 0, 0)));
}

TEST(PlaybackBuilder, OneTrackPerStaveInIdentifierOrder)
{
    ScorePtr score = NewScore(1);
    AddStaff(*score, 9, 1, 3, 1)->AddNote(Note(50, 0, 0));
    AddStaff(*score, 5, 1, 4, 2)->AddNote(Note(55, 0, 0));
    SongPtr song = Build(*score);
    EXPECT_THAT(song->GetTrackIds(), ElementsAre(0, 1));
    EXPECT_EQ(TrackEvents(*song, 0).front(), Program(4, 2));
    EXPECT_EQ(TrackEvents(*song, 1).front(), Program(3, 1));
}

TEST(PlaybackBuilder, RebuildingReplacesTheSongAndKeepsItsDivision)
{
    SongPtr song = NewSong();
    song->SetDivision(480);
    song->SetCopyright("old");
    song->AddTrack(7);
    PlaybackBuilder builder;
    builder.SetMidiData(song.get());
    EXPECT_FALSE(builder.Build());  // no score yet

    ScorePtr score = NewScore(1);
    AddStaff(*score, 1, 1)->AddNote(Note(60, 0, kQuarter));
    builder.SetScoreData(score.get());
    ASSERT_TRUE(builder.Build());
    ASSERT_TRUE(builder.Build());
    EXPECT_EQ(song->GetDivision(), 480);
    EXPECT_EQ(song->GetCopyright(), "");
    EXPECT_THAT(song->GetTrackIds(), ElementsAre(0));
    EXPECT_THAT(song->GetTempos(), ElementsAre(MidiTempoRecord{0, 500000}));
    EXPECT_THAT(TrackEvents(*song, 0),
                ElementsAre(Program(0, 0), MakeNoteOnEvent(480, 60, 100, 0),
                            MakeNoteOffEvent(960, 60, 0), MakeNoteOffEvent(1919, 0, 0)));

    PlaybackBuilder noSong;
    noSong.SetScoreData(score.get());
    EXPECT_FALSE(noSong.Build());
}

}  // namespace
