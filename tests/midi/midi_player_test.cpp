#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "midi/midi_data.h"
#include "midi/midi_player.h"
#include "player_fakes.h"

namespace midi {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;
using namespace midi::testing;

// A player wired to a hand-driven clock, a recording sink and listener, and a song at
// division 120.
struct Rig {
    Rig()
    {
        data = create_midi_data();
        player = create_midi_player();
        player->SetClock(&clock);
        player->SetOutput(&sink);
        player->SetMidiData(data);
        player->SetListener(&listener);
        clock.SetTarget(player);
    }
    ~Rig()
    {
        player->Reset();
        player->Release();
        data->Release();
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    void AddTrack(int id, const std::vector<MidiEvent>& events)
    {
        data->AddTrack(id);
        data->GetTrack(id)->AddEvents(events);
    }
    void StartAndForget()
    {
        player->Start();
        journal.Clear();
    }
    // The played tick of the last position report (needs one report per tick, see
    // ReportEveryTick).
    int LastPosition() const
    {
        const std::vector<PlayerEvent> reports = journal.Reports();
        for (auto it = reports.rbegin(); it != reports.rend(); ++it) {
            if (it->code == kPlayerPosition)
                return it->param2;
        }
        return -1;
    }
    // At division 120 in 4/4, 120 subdivisions per beat make every tick a new position.
    void ReportEveryTick() { player->SetBeatSubdivisions(120); }

    Journal journal;
    FakeClock clock{journal};
    FakeSink sink{journal};
    FakeListener listener{journal};
    MidiData* data = nullptr;
    MidiPlayer* player = nullptr;
};

std::vector<std::uint32_t> ForAllChannels(std::uint32_t base)
{
    std::vector<std::uint32_t> messages;
    for (std::uint32_t channel = 0; channel < 16; ++channel)
        messages.push_back(base + channel);
    return messages;
}

TEST(MidiPlayerTest, StartResetsControllersSendsExpressionThenReportsStarted)
{
    Rig rig;
    rig.AddTrack(0, {{0, NoteOn(0, 60, 100)}, {480, NoteOff(0, 60)}});
    rig.player->Start();

    const std::vector<JournalEntry> entries = rig.journal.Entries();
    ASSERT_EQ(entries.size(), 34u);
    std::vector<std::uint32_t> expected = ForAllChannels(0x0079B0);
    const std::vector<std::uint32_t> expression = ForAllChannels(0x640BB0);
    expected.insert(expected.end(), expression.begin(), expression.end());
    for (std::size_t i = 0; i < 32; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].kind, JournalEntry::kShort);
        EXPECT_EQ(entries[i].message, expected[i]);
    }
    // Started is reported before the clock runs, ahead of anything its ticks report.
    EXPECT_EQ(entries[32].kind, JournalEntry::kReport);
    EXPECT_EQ(entries[32].event.code, kPlayerStarted);
    EXPECT_EQ(entries[33].kind, JournalEntry::kClockStart);
    EXPECT_TRUE(rig.player->IsPlaying());

    // Starting again while playing does nothing.
    rig.player->Start();
    EXPECT_EQ(rig.journal.Size(), 34u);
}

// At division 120 and 500000 us per quarter a tick lasts 4166.67 us, exactly: no drift
// over long pieces.
TEST(MidiPlayerTest, AnEventGoesOutOnTheClockTickThatReachesIt)
{
    struct Case {
        const char* name;
        int eventTick;
        int speed;
        int quietMs;
        int dueMs;
    };
    const Case cases[] = {
        {"tick 120 at full speed", 120, 100, 499, 500},
        {"tick 120 at half speed", 120, 50, 999, 1000},
        {"tick 120 at double speed", 120, 200, 249, 250},
        {"past 40 minutes", 600000, 100, 2499999, 2500000},
        {"past 80 minutes at half speed", 600000, 50, 4999999, 5000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.data->AddTempo({0, 500000});
        rig.AddTrack(0, {{c.eventTick, NoteOn(0, 60, 100)}, {c.eventTick + 1000, NoteOff(0, 60)}});
        rig.player->SetSpeed(c.speed);
        rig.StartAndForget();
        rig.player->Tick(0);
        rig.player->Tick(c.quietMs);
        EXPECT_THAT(rig.journal.ShortMessages(), Not(Contains(NoteOn(0, 60, 100))));
        rig.player->Tick(c.dueMs);
        EXPECT_THAT(rig.journal.ShortMessages(), Contains(NoteOn(0, 60, 100)));
    }
}

TEST(MidiPlayerTest, TheLastEventEndsThePlayAndStopsTheClock)
{
    Rig rig;
    rig.data->AddTempo({0, 500000});
    rig.AddTrack(0, {{120, NoteOn(0, 60, 100)}, {479, NoteOff(0, 60)}});
    rig.StartAndForget();
    rig.player->Tick(0);
    rig.player->Tick(500);
    rig.player->Tick(1995);
    EXPECT_THAT(rig.journal.ShortMessages(), Not(Contains(NoteOff(0, 60))));
    EXPECT_THAT(rig.journal.ReportCodes(), Not(Contains(kPlayerEndReached)));
    rig.journal.Clear();

    rig.player->Tick(1996);
    const std::vector<JournalEntry> entries = rig.journal.Entries();
    ASSERT_GE(entries.size(), 4u);
    EXPECT_EQ(entries.front().kind, JournalEntry::kShort);
    EXPECT_EQ(entries.front().message, NoteOff(0, 60));
    const std::size_t n = entries.size();
    EXPECT_EQ(entries[n - 3].kind, JournalEntry::kReport);
    EXPECT_EQ(entries[n - 3].event.code, kPlayerEndReached);
    EXPECT_EQ(entries[n - 2].kind, JournalEntry::kClockStop);
    EXPECT_EQ(entries[n - 1].kind, JournalEntry::kReport);
    EXPECT_EQ(entries[n - 1].event.code, kPlayerReset);
    EXPECT_FALSE(rig.player->IsPlaying());
    EXPECT_FALSE(rig.clock.running);

    // A tick that still arrives after the reset plays nothing.
    rig.journal.Clear();
    rig.player->Tick(3000);
    EXPECT_THAT(rig.journal.Entries(), IsEmpty());
}

TEST(MidiPlayerTest, StartingMidSongChasesProgramAndControlChanges)
{
    Rig rig;
    rig.AddTrack(0, {{0, Program(1, 5)},
                     {0, Program(0, 7)},
                     {0, Control(0, 7, 90)},
                     {10, Program(0, 8)},
                     {20, Control(0, 11, 64)},
                     {50, Control(1, 10, 30)},
                     {100, Control(0, 7, 80)},
                     {100, NoteOn(0, 60, 100)},
                     {480, NoteOn(0, 62, 100)},
                     {600, NoteOff(0, 62)}});
    // This track ends before the start: nothing of it is chased.
    rig.AddTrack(1, {{0, Program(2, 40)}, {100, NoteOff(2, 50)}});
    rig.player->SetVolume(50);
    rig.player->SetStartPosition(480);
    rig.journal.Clear();
    rig.player->Start();

    std::vector<std::uint32_t> expected = ForAllChannels(0x0079B0);
    const std::vector<std::uint32_t> expression = ForAllChannels(0x320BB0);
    expected.insert(expected.end(), expression.begin(), expression.end());
    // Programs by channel, then controls by controller and channel; the expression is
    // scaled by the volume like any other.
    const std::vector<std::uint32_t> chased = {Program(0, 8), Program(1, 5), Control(0, 7, 80),
                                               Control(1, 10, 30), Control(0, 11, 32)};
    expected.insert(expected.end(), chased.begin(), chased.end());
    EXPECT_THAT(rig.journal.ShortMessages(), ElementsAreArray(expected));

    // The first tick plays the start position; earlier notes are not struck.
    rig.journal.Clear();
    rig.player->Tick(0);
    EXPECT_THAT(rig.journal.ShortMessages(), ElementsAre(NoteOn(0, 62, 100)));
}

// A track's settings are chased up to its very last event: starting on that event sends
// its programs and controls and then plays it; only a start after it leaves the track out.
TEST(MidiPlayerTest, StartingOnATracksLastEventStillChasesItsSettings)
{
    struct Case {
        const char* name;
        int start;
        std::vector<std::uint32_t> chased;     // sent at Start after the controller resets
        std::vector<std::uint32_t> firstTick;  // sent by the first tick
    };
    const std::vector<std::uint32_t> settings = {Program(3, 40), Control(3, 7, 90)};
    const Case cases[] = {
        {"one tick before the last event", 239, settings, {}},
        {"exactly at the last event", 240, settings, {NoteOff(3, 50)}},
        {"one tick after the last event", 241, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.AddTrack(0, {{0, Program(3, 40)},
                         {0, Control(3, 7, 90)},
                         {100, NoteOn(3, 50, 100)},
                         {240, NoteOff(3, 50)}});
        rig.player->SetStartPosition(c.start);
        rig.journal.Clear();
        rig.player->Start();

        const std::vector<std::uint32_t> sent = rig.journal.ShortMessages();
        ASSERT_GE(sent.size(), 32u);  // the controller resets and expressions come first
        EXPECT_THAT(std::vector<std::uint32_t>(sent.begin() + 32, sent.end()),
                    ElementsAreArray(c.chased));

        rig.journal.Clear();
        rig.player->Tick(0);
        EXPECT_THAT(rig.journal.ShortMessages(), ElementsAreArray(c.firstTick));
    }
}

TEST(MidiPlayerTest, PlayingTimeFollowsTheTempoInForce)
{
    // 4166.67 us per tick up to tick 480, then 2083.33; tick 480 falls at 2 s.
    struct Case {
        const char* name;
        int startTick;
        int speed;
        int ms;
        int expectedTick;
    };
    const Case cases[] = {
        {"from the start across the change", 0, 100, 2100, 480 + 48},
        {"a start after the change plays at the faster tempo", 480, 100, 100, 480 + 48},
        {"a start before the change crosses it", 240, 100, 1100, 480 + 48},
        {"half speed: the change comes at its own tick", 0, 50, 4200, 480 + 48},
        {"half speed after the change", 480, 50, 200, 480 + 48},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.data->AddTempo({0, 500000});
        rig.data->AddTempo({480, 250000});
        rig.AddTrack(0, {{100000, NoteOff(0, 0)}});
        rig.ReportEveryTick();
        rig.player->SetSpeed(c.speed);
        rig.player->SetStartPosition(c.startTick);
        rig.StartAndForget();
        rig.player->Tick(0);
        EXPECT_EQ(rig.LastPosition(), c.startTick);
        rig.player->Tick(c.ms);
        EXPECT_EQ(rig.LastPosition(), c.expectedTick);
    }
}

TEST(MidiPlayerTest, SpeedChangesKeepThePositionContinuous)
{
    Rig rig;
    rig.data->AddTempo({0, 500000});
    rig.AddTrack(0, {{100000, NoteOff(0, 0)}});
    rig.ReportEveryTick();
    rig.StartAndForget();
    rig.player->Tick(0);
    rig.player->Tick(1000);
    EXPECT_EQ(rig.LastPosition(), 240);
    rig.player->SetSpeed(200);
    rig.player->Tick(1001);  // still at the old speed
    EXPECT_EQ(rig.LastPosition(), 240);
    rig.player->Tick(1500);  // 1001000 us + 499000 us twice over
    EXPECT_EQ(rig.LastPosition(), 1999000 * 120 / 500000);

    // The next play begins at its start position whatever speed is left set.
    rig.player->Reset();
    rig.player->SetStartPosition(48);
    rig.StartAndForget();
    rig.player->Tick(0);
    EXPECT_EQ(rig.LastPosition(), 48);
    rig.player->Tick(500);
    EXPECT_EQ(rig.LastPosition(), 48 + 1000000 * 120 / 500000);
}

TEST(MidiPlayerTest, PauseSilencesHeldNotesAndResumeStrikesThemAgain)
{
    Rig rig;
    rig.AddTrack(0, {{0, NoteOn(0, 67, 80)},
                     {0, NoteOn(0, 60, 100)},
                     {0, NoteOn(1, 64, 90)},
                     {1000, NoteOff(0, 60)}});
    rig.StartAndForget();
    rig.player->Tick(0);

    rig.journal.Clear();
    rig.player->Pause(true);
    EXPECT_TRUE(rig.clock.paused);
    // In key order: channel and note number.
    EXPECT_THAT(rig.journal.ShortMessages(),
                ElementsAre(NoteOn(0, 60, 0), NoteOn(1, 64, 0), NoteOn(0, 67, 0)));
    ASSERT_EQ(rig.journal.Reports().size(), 1u);
    EXPECT_EQ(rig.journal.Reports()[0].code, kPlayerPauseChanged);
    EXPECT_EQ(rig.journal.Reports()[0].param1, 1);

    rig.journal.Clear();
    rig.player->Pause(false);
    EXPECT_FALSE(rig.clock.paused);
    EXPECT_THAT(rig.journal.ShortMessages(),
                ElementsAre(NoteOn(0, 60, 100), NoteOn(1, 64, 90), NoteOn(0, 67, 80)));
    ASSERT_EQ(rig.journal.Reports().size(), 1u);
    EXPECT_EQ(rig.journal.Reports()[0].param1, 0);

    // Reset silences again; resuming a stopped player strikes nothing.
    rig.journal.Clear();
    rig.player->Reset();
    EXPECT_THAT(rig.journal.ShortMessages(),
                ElementsAre(NoteOn(0, 60, 0), NoteOn(1, 64, 0), NoteOn(0, 67, 0)));
    rig.journal.Clear();
    rig.player->Pause(false);
    EXPECT_THAT(rig.journal.ShortMessages(), IsEmpty());
    EXPECT_THAT(rig.journal.ReportCodes(), ElementsAre(kPlayerPauseChanged));
}

TEST(MidiPlayerTest, MutedTrackSendsOnlyNoteReleasesAndEchoesItsNotes)
{
    Rig rig;
    rig.data->AddTempo({0, 500000});
    rig.AddTrack(3, {{0, Program(0, 5)},
                     {0, Control(0, 7, 100)},
                     {0, NoteOn(0, 60, 100)},
                     {10, NoteOn(0, 60, 0)},
                     {20, NoteOn(0, 62, 100)},
                     {30, NoteOff(0, 62)},
                     {1000, NoteOff(0, 0)}});
    const TrackOptions muted{false, true};
    rig.player->SetTrackOptions(3, &muted);
    rig.StartAndForget();
    rig.player->Tick(0);
    rig.player->Tick(200);
    EXPECT_THAT(rig.journal.ShortMessages(), ElementsAre(NoteOn(0, 60, 0)));
    std::vector<PlayerEvent> echoes;
    for (const PlayerEvent& event : rig.journal.Reports()) {
        if (event.code == kPlayerNoteEcho)
            echoes.push_back(event);
    }
    ASSERT_EQ(echoes.size(), 4u);
    EXPECT_EQ(static_cast<std::uint32_t>(echoes[0].param1), NoteOn(0, 60, 100));
    EXPECT_EQ(echoes[0].param2, 0);
    EXPECT_EQ(static_cast<std::uint32_t>(echoes[3].param1), NoteOff(0, 62));
    EXPECT_EQ(echoes[3].param2, 30);

    // Options take effect from the track's next event, during play too.
    const TrackOptions playing{true, false};
    rig.player->SetTrackOptions(3, &playing);
    rig.journal.Clear();
    rig.player->Tick(4167);  // tick 1000 is reached at 4166.67 ms
    EXPECT_THAT(rig.journal.ShortMessages(), ElementsAre(NoteOff(0, 0)));
}

TEST(MidiPlayerTest, VolumeScalesTheExpressionController)
{
    Rig rig;
    rig.data->AddTempo({0, 500000});
    rig.AddTrack(0, {{0, Control(2, 11, 100)}, {10, Control(2, 11, 40)}, {1000, NoteOff(0, 0)}});
    rig.journal.Clear();
    rig.player->SetVolume(50);
    EXPECT_THAT(rig.journal.ShortMessages(), ElementsAreArray(ForAllChannels(0x320BB0)));
    rig.StartAndForget();
    rig.player->Tick(0);
    EXPECT_THAT(rig.journal.ShortMessages(), ElementsAre(Control(2, 11, 50)));

    rig.journal.Clear();
    rig.player->SetVolume(200);
    EXPECT_THAT(rig.journal.ShortMessages(), ElementsAreArray(ForAllChannels(0x7F0BB0)));
    rig.journal.Clear();
    rig.player->Tick(42);  // tick 10
    EXPECT_THAT(rig.journal.ShortMessages(), ElementsAre(Control(2, 11, 80)));

    // The song's own expression value stays unscaled.
    rig.journal.Clear();
    rig.player->SetVolume(100);
    std::vector<std::uint32_t> expected = ForAllChannels(0x640BB0);
    expected[2] = Control(2, 11, 40);
    EXPECT_THAT(rig.journal.ShortMessages(), ElementsAreArray(expected));

    rig.journal.Clear();
    rig.player->SetVolume(-5);
    EXPECT_THAT(rig.journal.ShortMessages(), ElementsAreArray(ForAllChannels(0x000BB0)));

    // Reset forgets the song's expression values.
    rig.player->Reset();
    rig.journal.Clear();
    rig.player->SetVolume(100);
    EXPECT_THAT(rig.journal.ShortMessages(), ElementsAreArray(ForAllChannels(0x640BB0)));
}

TEST(MidiPlayerTest, SystemExclusiveRecordsAreSentOnceInOrder)
{
    Rig rig;
    rig.data->AddTempo({0, 500000});
    rig.data->AddSysExRecord({0, {0xF0, 1, 0xF7}});
    rig.data->AddSysExRecord({240, {0xF0, 2, 0xF7}});
    rig.data->AddSysExRecord({480, {0xF0, 3, 0xF7}});
    rig.AddTrack(0, {{1000, NoteOff(0, 0)}});
    rig.player->SetStartPosition(300);
    rig.player->Start();

    auto longMessages = [&] {
        std::vector<std::uint8_t> ids;
        for (const JournalEntry& entry : rig.journal.Entries()) {
            if (entry.kind == JournalEntry::kLong)
                ids.push_back(entry.bytes.at(1));
        }
        return ids;
    };
    // Records before the start go out while starting, before the clock runs.
    const std::vector<JournalEntry> entries = rig.journal.Entries();
    const auto clockStart = std::find_if(entries.begin(), entries.end(), [](const auto& e) {
        return e.kind == JournalEntry::kClockStart;
    });
    EXPECT_EQ(std::count_if(entries.begin(), clockStart,
                            [](const auto& e) { return e.kind == JournalEntry::kLong; }),
              2);
    EXPECT_THAT(longMessages(), ElementsAre(1, 2));

    // Tick 480 is 180 ticks (749880 us) after the start.
    rig.player->Tick(0);
    rig.player->Tick(749);
    EXPECT_THAT(longMessages(), ElementsAre(1, 2));
    rig.player->Tick(750);
    EXPECT_THAT(longMessages(), ElementsAre(1, 2, 3));
}

TEST(MidiPlayerTest, NothingLeftToPlayEndsAtTheFirstTick)
{
    struct Case {
        const char* name;
        bool withSong;
    };
    for (const Case c : {Case{"no song", false}, Case{"only system exclusive left", true}}) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.data->AddSysExRecord({480, {0xF0, 1, 0xF7}});
        rig.AddTrack(0, {{0, NoteOn(0, 60, 100)}});
        // A play of the song that leaves a note held, so that stale cursors would show.
        rig.player->SetStartPosition(0);
        rig.player->Start();
        rig.player->Reset();
        if (!c.withSong)
            rig.player->SetMidiData(nullptr);
        rig.StartAndForget();
        rig.player->Tick(0);
        EXPECT_THAT(rig.journal.ReportCodes(), Contains(kPlayerEndReached));
        EXPECT_EQ(rig.journal.ReportCodes().back(), kPlayerReset);
        EXPECT_FALSE(rig.player->IsPlaying());
    }
}

// A listener that resets the player when the first position comes in.
class ResettingListener final : public PlayerListener {
public:
    void OnPlayerEvent(const PlayerEvent* event) override
    {
        codes.push_back(event->code);
        if (event->code == kPlayerPosition && player != nullptr) {
            MidiPlayer* p = player;
            player = nullptr;
            p->Reset();
        }
    }
    MidiPlayer* player = nullptr;
    std::vector<std::int32_t> codes;
};

TEST(MidiPlayerTest, ListenerMayCallThePlayerBackFromATick)
{
    ResettingListener resetting;  // outlives the rig, which resets the player at its end
    Rig rig;
    rig.AddTrack(0, {{0, NoteOn(0, 60, 100)}, {1000, NoteOff(0, 60)}});
    resetting.player = rig.player;
    rig.player->SetListener(&resetting);
    rig.player->Start();
    rig.player->Tick(0);
    EXPECT_FALSE(rig.player->IsPlaying());
    EXPECT_THAT(resetting.codes, ElementsAre(kPlayerStarted, kPlayerPosition, kPlayerReset));
    EXPECT_THAT(rig.journal.ShortMessages(), Contains(NoteOn(0, 60, 0)));
}

}  // namespace
}  // namespace midi
