#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "midi/midi_data.h"
#include "player_fakes.h"

namespace midi {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace midi::testing;

struct ReleaseData {
    void operator()(MidiData* data) const { data->Release(); }
};
using DataPtr = std::unique_ptr<MidiData, ReleaseData>;

DataPtr NewData()
{
    DataPtr data(create_midi_data());
    EXPECT_NE(data, nullptr);
    return data;
}

}  // namespace

void PrintTo(const MidiEvent& event, std::ostream* os)
{
    *os << "{" << event.tick << ", 0x" << std::hex << event.message << std::dec << "}";
}

namespace {

void ExpectInitialState(const MidiData& data)
{
    EXPECT_EQ(data.GetFormat(), 1);
    EXPECT_EQ(data.GetDivision(), 120);
    EXPECT_EQ(data.GetCopyright(), "");
    EXPECT_THAT(data.GetTrackIds(), IsEmpty());
    EXPECT_THAT(data.GetTempos(), IsEmpty());
    EXPECT_THAT(data.GetMeters(), IsEmpty());
    EXPECT_THAT(data.GetKeys(), IsEmpty());
    EXPECT_THAT(data.GetSysExRecords(), IsEmpty());
    EXPECT_THAT(data.GetMarkers(), IsEmpty());
    EXPECT_THAT(data.GetCuePoints(), IsEmpty());
}

TEST(MidiDataTest, NewAndClearedDataHoldTheInitialValuesButClearKeepsNameAndText)
{
    DataPtr data = NewData();
    ExpectInitialState(*data);

    data->SetFormat(0);
    data->SetDivision(480);
    data->SetSequenceName("小河淌水");
    data->SetText("text");
    data->SetCopyright("(c)");
    data->AddTempo({0, 500000});
    data->AddMeter({0, 3, 4, 24, 8});
    data->AddKey({0, -2, 0});
    data->AddSysExRecord({0, {0xF0, 0x7E, 0xF7}});
    data->AddMarker({0, "A"});
    data->AddCuePoint({0, "B"});
    ASSERT_TRUE(data->AddTrack(3));

    data->Clear();
    ExpectInitialState(*data);
    EXPECT_EQ(data->GetSequenceName(), "小河淌水");
    EXPECT_EQ(data->GetText(), "text");
    EXPECT_EQ(data->GetTrack(3), nullptr);
}

TEST(MidiDataTest, TracksAreKeyedByIdentifier)
{
    DataPtr data = NewData();
    EXPECT_TRUE(data->AddTrack(7));
    EXPECT_TRUE(data->AddTrack(-1));
    EXPECT_TRUE(data->AddTrack(2));
    EXPECT_THAT(data->GetTrackIds(), ElementsAre(-1, 2, 7));

    MidiTrack* track = data->GetTrack(7);
    ASSERT_NE(track, nullptr);
    track->SetName("Piano");
    track->AddEvents({{0, NoteOn(0, 60, 100)}});

    // A taken identifier changes nothing.
    EXPECT_FALSE(data->AddTrack(7));
    EXPECT_EQ(data->GetTrack(7), track);
    EXPECT_EQ(track->GetName(), "Piano");
    EXPECT_EQ(track->GetEvents().size(), 1u);

    // Looking up or removing a missing track neither fails loudly nor creates one.
    EXPECT_EQ(data->GetTrack(5), nullptr);
    EXPECT_FALSE(data->RemoveTrack(5));
    EXPECT_THAT(data->GetTrackIds(), ElementsAre(-1, 2, 7));

    EXPECT_TRUE(data->RemoveTrack(2));
    EXPECT_EQ(data->GetTrack(2), nullptr);
    EXPECT_THAT(data->GetTrackIds(), ElementsAre(-1, 7));
}

TEST(MidiDataTest, RecordListsStaySortedByTickKeepingTheOrderWithinATick)
{
    DataPtr data = NewData();
    data->AddMarker({10, "a"});
    data->AddMarker({0, "b"});
    data->AddMarker({10, "c"});
    data->AddMarker({5, "d"});
    data->AddMarker({10, "e"});
    std::vector<std::string> texts;
    for (const MidiTextRecord& marker : data->GetMarkers())
        texts.push_back(marker.text);
    EXPECT_THAT(texts, ElementsAre("b", "d", "a", "c", "e"));

    data->AddTempo({480, 400000});
    data->AddTempo({0, 500000});
    data->AddTempo({0, 600000});
    ASSERT_EQ(data->GetTempos().size(), 3u);
    EXPECT_EQ(data->GetTempos()[0].microsecondsPerQuarter, 500000);
    EXPECT_EQ(data->GetTempos()[1].microsecondsPerQuarter, 600000);
    EXPECT_EQ(data->GetTempos()[2].tick, 480);
}

// What each list's remover takes away: a record equal under that list's equality.
struct RemoveCase {
    const char* name;
    std::function<void(MidiData&)> fill;
    std::function<bool(MidiData&)> remove;  // returns the remover's result
    std::function<std::size_t(const MidiData&)> count;
    std::size_t expectedLeft;
};

TEST(MidiDataTest, RemoversUseTheEqualityOfTheirList)
{
    const RemoveCase cases[] = {
        {"tempo: tick and tempo",
         [](MidiData& d) {
             d.AddTempo({0, 500000});
             d.AddTempo({0, 400000});
             d.AddTempo({10, 500000});
         },
         [](MidiData& d) { return d.RemoveTempo({0, 500000}); },
         [](const MidiData& d) { return d.GetTempos().size(); }, 2},
        {"meter: tick, numerator and denominator, not the clocks",
         [](MidiData& d) {
             d.AddMeter({0, 3, 4, 24, 8});
             d.AddMeter({0, 3, 4, 12, 8});
             d.AddMeter({0, 3, 8, 24, 8});
             d.AddMeter({0, 2, 4, 24, 8});
         },
         [](MidiData& d) { return d.RemoveMeter({0, 3, 4, 0, 0}); },
         [](const MidiData& d) { return d.GetMeters().size(); }, 2},
        {"key: tick and sharps, not the minor flag",
         [](MidiData& d) {
             d.AddKey({0, 2, 0});
             d.AddKey({0, 2, 1});
             d.AddKey({0, 3, 0});
         },
         [](MidiData& d) { return d.RemoveKey({0, 2, 1}); },
         [](const MidiData& d) { return d.GetKeys().size(); }, 1},
        {"system exclusive: the tick alone",
         [](MidiData& d) {
             d.AddSysExRecord({0, {0xF0, 1, 0xF7}});
             d.AddSysExRecord({0, {0xF0, 2, 0xF7}});
             d.AddSysExRecord({1, {0xF0, 1, 0xF7}});
         },
         [](MidiData& d) { return d.RemoveSysExRecord({0, {}}); },
         [](const MidiData& d) { return d.GetSysExRecords().size(); }, 1},
        {"marker: the tick alone, whatever the text",
         [](MidiData& d) {
             d.AddMarker({4, "verse"});
             d.AddMarker({4, "chorus"});
             d.AddMarker({8, "verse"});
         },
         [](MidiData& d) { return d.RemoveMarker({4, "other"}); },
         [](const MidiData& d) { return d.GetMarkers().size(); }, 1},
        {"cue point: the tick alone",
         [](MidiData& d) {
             d.AddCuePoint({4, "x"});
             d.AddCuePoint({5, "x"});
         },
         [](MidiData& d) { return d.RemoveCuePoint({4, ""}); },
         [](const MidiData& d) { return d.GetCuePoints().size(); }, 1},
        {"removing what is not there changes nothing",
         [](MidiData& d) { d.AddTempo({0, 500000}); },
         [](MidiData& d) { return d.RemoveTempo({1, 500000}); },
         [](const MidiData& d) { return d.GetTempos().size(); }, 1},
    };
    for (const RemoveCase& c : cases) {
        SCOPED_TRACE(c.name);
        DataPtr data = NewData();
        c.fill(*data);
        EXPECT_TRUE(c.remove(*data));
        EXPECT_EQ(c.count(*data), c.expectedLeft);
    }
}

// The playing order of a track's events: each batch is one AddEvents call.
struct OrderCase {
    const char* name;
    std::vector<std::vector<MidiEvent>> batches;
    std::vector<MidiEvent> expected;
};

TEST(MidiTrackTest, EventsAreKeptInPlayingOrder)
{
    const MidiEvent on60{0, NoteOn(0, 60, 100)};
    const MidiEvent on62{0, NoteOn(0, 62, 90)};
    const MidiEvent release60{0, NoteOn(0, 60, 0)};
    const MidiEvent off60{0, NoteOff(0, 60)};
    const MidiEvent program{0, Program(0, 5)};
    const MidiEvent program2{0, Program(1, 7)};
    const MidiEvent volume{0, Control(0, 7, 90)};
    const MidiEvent bend{0, 0xE0u + (0x40u << 16)};

    const OrderCase cases[] = {
        {"a program change added after a note-on goes before it",
         {{on60}, {program}}, {program, on60}},
        {"a note-off in 0x80 form is not moved against a program change",
         {{off60}, {program}}, {off60, program}},
        {"a note-on of velocity 0 counts as a note-on",
         {{release60, volume}}, {volume, release60}},
        {"program and control changes keep their own order",
         {{volume, program}, {program2}}, {volume, program, program2}},
        {"other kinds keep the order they were added in",
         {{on60, bend, off60}}, {on60, bend, off60}},
        {"every program or control change goes before every note-on of the tick",
         {{on60, on62, volume, program}}, {volume, program, on60, on62}},
        {"where the pair rule cannot hold for all, the changes still precede the note-ons",
         {{on60, off60, program}}, {program, on60, off60}},
        {"a later batch merges after earlier events of the same tick",
         {{on60}, {program, on62}}, {program, on60, on62}},
        {"ticks come first",
         {{{10, NoteOn(0, 60, 1)}, {0, Program(0, 1)}, {5, NoteOff(0, 60)}}},
         {{0, Program(0, 1)}, {5, NoteOff(0, 60)}, {10, NoteOn(0, 60, 1)}}},
        {"a change at a later tick stays after an earlier note-on",
         {{{0, NoteOn(0, 60, 1)}, {1, Program(0, 1)}}},
         {{0, NoteOn(0, 60, 1)}, {1, Program(0, 1)}}},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        DataPtr data = NewData();
        data->AddTrack(0);
        MidiTrack* track = data->GetTrack(0);
        for (const auto& batch : c.batches)
            EXPECT_TRUE(track->AddEvents(batch));
        EXPECT_THAT(track->GetEvents(), ::testing::ElementsAreArray(c.expected));
    }
}

// RemoveEvents compares tick, status kind and first data byte only.
struct RemoveEventsCase {
    const char* name;
    MidiEvent removed;
    std::vector<MidiEvent> expectedLeft;
};

TEST(MidiTrackTest, RemoveEventsIgnoresChannelAndSecondDataByte)
{
    const std::vector<MidiEvent> stored = {
        {0, Program(0, 5)},     {0, Program(3, 5)},     {0, Program(0, 6)},
        {0, NoteOn(0, 60, 100)}, {0, NoteOn(9, 60, 0)},  {0, NoteOn(1, 61, 100)},
        {0, NoteOff(0, 60)},    {1, NoteOn(0, 60, 100)},
    };
    const RemoveEventsCase cases[] = {
        {"a note-on on channel 1 takes the note-ons of its key and tick on every channel",
         {0, NoteOn(1, 60, 1)},
         {{0, Program(0, 5)}, {0, Program(3, 5)}, {0, Program(0, 6)}, {0, NoteOn(1, 61, 100)},
          {0, NoteOff(0, 60)}, {1, NoteOn(0, 60, 100)}}},
        {"a program change takes that program on every channel",
         {0, Program(7, 5)},
         {{0, Program(0, 6)}, {0, NoteOn(0, 60, 100)}, {0, NoteOn(9, 60, 0)},
          {0, NoteOn(1, 61, 100)}, {0, NoteOff(0, 60)}, {1, NoteOn(0, 60, 100)}}},
        {"a note-off takes only note-offs", {0, NoteOff(5, 60)},
         {{0, Program(0, 5)}, {0, Program(3, 5)}, {0, Program(0, 6)}, {0, NoteOn(0, 60, 100)},
          {0, NoteOn(9, 60, 0)}, {0, NoteOn(1, 61, 100)}, {1, NoteOn(0, 60, 100)}}},
        {"another tick takes nothing", {2, NoteOn(0, 60, 100)}, stored},
    };
    for (const RemoveEventsCase& c : cases) {
        SCOPED_TRACE(c.name);
        DataPtr data = NewData();
        data->AddTrack(0);
        MidiTrack* track = data->GetTrack(0);
        track->AddEvents(stored);
        EXPECT_TRUE(track->RemoveEvents({c.removed}));
        EXPECT_THAT(track->GetEvents(), ::testing::ElementsAreArray(c.expectedLeft));
    }
}

TEST(MidiTrackTest, TimedListsRemoveByTickAndClearEmptiesEverything)
{
    DataPtr data = NewData();
    data->AddTrack(0);
    MidiTrack* track = data->GetTrack(0);
    track->SetName("name");
    track->SetSecondName("second");
    track->AddLyric({240, "啊"});
    track->AddLyric({0, "小"});
    track->AddLyric({240, "呀"});
    track->AddText({0, "t"});
    track->AddSequencerData({0, {1, 2}});
    track->AddEvents({{0, NoteOn(0, 60, 100)}});

    ASSERT_EQ(track->GetLyrics().size(), 3u);
    EXPECT_EQ(track->GetLyrics()[0].text, "小");
    EXPECT_EQ(track->GetLyrics()[1].text, "啊");
    EXPECT_TRUE(track->RemoveLyric({240, ""}));
    ASSERT_EQ(track->GetLyrics().size(), 1u);
    EXPECT_TRUE(track->RemoveText({1, ""}));
    EXPECT_EQ(track->GetTexts().size(), 1u);
    EXPECT_TRUE(track->RemoveSequencerData({0, {}}));
    EXPECT_THAT(track->GetSequencerData(), IsEmpty());

    track->Clear();
    EXPECT_EQ(track->GetName(), "");
    EXPECT_EQ(track->GetSecondName(), "");
    EXPECT_THAT(track->GetLyrics(), IsEmpty());
    EXPECT_THAT(track->GetTexts(), IsEmpty());
    EXPECT_THAT(track->GetEvents(), IsEmpty());
}

}  // namespace
}  // namespace midi
