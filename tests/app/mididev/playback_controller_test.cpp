#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/mididev/playback_builder.h"
#include "app/mididev/playback_controller.h"
#include "tests/app/mididev/playback_fixtures.h"

namespace {

using brindle::PlaybackController;
using mididev_test::AddStaff;
using mididev_test::NewScore;
using mididev_test::NewSong;
using mididev_test::Note;
using mididev_test::ScorePtr;
using mididev_test::SongPtr;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kQuarter = tabulon::kUnitsPerQuarter;

using Journal = std::vector<std::string>;

class FakePlayer final : public midi::MidiPlayer {
public:
    explicit FakePlayer(Journal& journal) : journal_(journal) {}
    PlaybackController* controller = nullptr;  // told of the reset, as the player's listener
    const midi::MidiData* song = nullptr;
    std::vector<midi::MidiEvent> eventsAtStart;

    void OnTick(int) override {}
    void SetClock(midi::PlayerClock*) override {}
    void SetOutput(midi::MidiOutSink*) override {}
    void SetMidiData(midi::MidiData* data) override { song = data; }
    void SetListener(midi::PlayerListener*) override {}
    void Start() override
    {
        playing_ = true;
        journal_.push_back("player start");
    }
    void Pause(bool) override {}
    void Reset() override
    {
        playing_ = false;
        journal_.push_back("player reset");
        if (controller != nullptr)
            controller->OnPlayerEvent({midi::kPlayerReset, 0, 0});
    }
    bool IsPlaying() const override { return playing_; }
    void SetStartPosition(int tick) override { journal_.push_back("player from " + std::to_string(tick)); }
    void SetTrackOptions(int, const midi::TrackOptions*) override {}
    void SetBeatSubdivisions(int) override {}
    void SetSpeed(int percent) override { journal_.push_back("player speed " + std::to_string(percent)); }
    void SetVolume(int) override {}
    void Release() override {}

private:
    Journal& journal_;
    bool playing_ = false;
};

class FakeMetronome final : public brindle::MetronomeControl {
public:
    explicit FakeMetronome(Journal& journal) : journal_(journal) {}
    midi::MidiOutSink* output = nullptr;
    std::vector<midi::MidiMeterRecord> meters;
    std::vector<midi::MidiTempoRecord> tempos;

    void SetDivision(int division) override { journal_.push_back("clicks division " + std::to_string(division)); }
    void SetMeters(const std::vector<midi::MidiMeterRecord>& m) override { meters = m; }
    void SetTempo(int bpm) override { journal_.push_back("clicks tempo " + std::to_string(bpm)); }
    void SetTempos(const std::vector<midi::MidiTempoRecord>& t) override
    {
        tempos = t;
        journal_.push_back("clicks tempos " + std::to_string(t.size()));
    }
    void SetStartTick(int tick) override { journal_.push_back("clicks from " + std::to_string(tick)); }
    void Start() override { journal_.push_back("clicks start"); }
    void Stop() override { journal_.push_back("clicks stop"); }
    void SetSpeed(int percent) override { journal_.push_back("clicks speed " + std::to_string(percent)); }
    void SetOutput(midi::MidiOutSink* sink) override { output = sink; }

private:
    Journal& journal_;
};

class FakeSink final : public midi::MidiOutSink {
public:
    void Reset() override {}
    void SendShortMessage(std::uint32_t) override {}
    void SendLongMessage(const std::uint8_t*, std::uint32_t) override {}
};

class FakeHost final : public brindle::PlaybackHost {
public:
    explicit FakeHost(Journal& journal) : journal_(journal) {}
    const tabulon::ScoreData* score = nullptr;
    const FakePlayer* player = nullptr;

    void BuildSong(midi::MidiData& song) override
    {
        // The song must never be rebuilt under a playing player.
        EXPECT_FALSE(player != nullptr && player->IsPlaying()) << "rebuilt while playing";
        journal_.push_back("build");
        brindle::PlaybackBuilder builder;
        builder.SetMidiData(&song);
        builder.SetScoreData(score);
        builder.Build();
    }
    bool StartInput() override
    {
        journal_.push_back("input start");
        return true;
    }
    void StopInput() override { journal_.push_back("input stop"); }
    void RedrawView() override { journal_.push_back("redraw"); }

private:
    Journal& journal_;
};

// A 3/4 score at 120 quarters per minute, one note per bar, and the controller with
// fakes around it.
class PlaybackControllerTest : public ::testing::Test {
protected:
    PlaybackControllerTest()
    {
        score->AddMeter({0, 3, 4, 0});
        score->AddTempo({0, 120, kQuarter});
        tabulon::StaffData* staff = AddStaff(*score, 1, 1);
        for (int bar = 0; bar < 4; ++bar)
            staff->AddNote(Note(60 + bar, bar, 0));
        host.score = score.get();
        host.player = &player;
        player.controller = &controller;
        controller.StartNewScore(90);
        journal.clear();
    }

    Journal Take()
    {
        Journal taken;
        taken.swap(journal);
        return taken;
    }

    Journal journal;
    ScorePtr score = NewScore(4);
    SongPtr song = NewSong();
    FakePlayer player{journal};
    FakeMetronome metronome{journal};
    FakeSink output;
    FakeHost host{journal};
    PlaybackController controller{*song, player, metronome, &output, host};
};

TEST(PlaybackSpeed, MakesTheFirstTempoSoundAtTheViewTempo)
{
    struct Case {
        const char* what;
        int viewTempo;
        std::vector<midi::MidiTempoRecord> tempos;
        int speed;
    };
    const Case cases[] = {
        {"120 at view 90", 90, {{0, 500000}}, 75},
        {"only the first tempo counts", 90, {{0, 500000}, {480, 250000}}, 75},
        {"no tempo record counts as 120", 90, {}, 75},
        {"60 at view 120", 120, {{0, 1000000}}, 200},
        {"a tempo of 0 counts as none", 60, {{0, 0}}, 50},
        {"never 0: 1 at 184", 1, {{0, 326086}}, 1},
        {"never beyond the largest speed", 1000000, {{0, 0xFFFFFF}}, PlaybackController::kMaxSpeed},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaybackController::ComputeSpeed(c.viewTempo, c.tempos), c.speed) << c.what;
}

TEST_F(PlaybackControllerTest, PlayBuildsAppliesTheSpeedAndStartsFromTheCursor)
{
    // Bar 2, a quarter in: in 3/4 that is tick 840. It is taken in the meters of the
    // song built for this play, not of the empty song before it (4/4: 1080).
    controller.SetCursorPosition(2, kQuarter);
    Take();
    controller.OnPlay();
    EXPECT_TRUE(controller.IsPlaying());
    EXPECT_TRUE(controller.CanStop());
    EXPECT_THAT(Take(), ElementsAre("build", "player speed 75", "clicks speed 75", "player from 840",
                                    "player start", "clicks division 120", "clicks tempos 1",
                                    "clicks from 840", "clicks start"));
    EXPECT_EQ(metronome.meters, song->GetMeters());
    EXPECT_EQ(controller.GetSpeed(), 75);
}

TEST_F(PlaybackControllerTest, RebuildsOnlyWhenTheScoreChanged)
{
    controller.OnPlay();
    controller.OnPlay();  // off again
    Take();
    controller.OnPlay();
    EXPECT_THAT(Take(), ::testing::Not(::testing::Contains("build")));
    controller.OnStop();
    controller.OnDocumentModified();
    Take();
    controller.OnPlay();
    EXPECT_EQ(Take().front(), "build");
}

TEST_F(PlaybackControllerTest, ARebuildWaitsUntilThePlayerIsReset)
{
    controller.OnPlay();
    Take();
    controller.OnPlaybackChanged();  // while playing: nothing yet
    EXPECT_THAT(Take(), IsEmpty());
    EXPECT_TRUE(controller.IsStale());
    controller.OnStop();
    EXPECT_THAT(Take(), ElementsAre("clicks stop", "player reset", "clicks stop", "redraw", "redraw", "build"));
    EXPECT_FALSE(controller.IsStale());

    controller.OnPlaybackChanged();  // idle: at once
    EXPECT_THAT(Take(), ElementsAre("build"));

    // At the end of the song the reset notice comes from the clock's thread: the
    // rebuild is left to the next command that needs the song.
    controller.OnPlay();
    controller.OnPlaybackChanged();
    Take();
    player.controller = nullptr;
    player.Reset();
    controller.OnPlayerEvent({midi::kPlayerReset, 0, 0});
    EXPECT_FALSE(controller.IsPlaying());
    EXPECT_THAT(Take(), ElementsAre("player reset", "clicks stop", "redraw"));
    controller.OnPlay();
    EXPECT_EQ(Take().front(), "build");
}

TEST_F(PlaybackControllerTest, TheEndOfTheSongClearsPlayAndStopsTheClicks)
{
    controller.OnPlay();
    Take();
    controller.OnPlayerEvent({midi::kPlayerPosition, 0x10000, 480});  // ignored
    EXPECT_TRUE(controller.IsPlaying());
    controller.OnPlayerEvent({midi::kPlayerReset, 0, 0});
    EXPECT_FALSE(controller.IsPlaying());
    EXPECT_FALSE(controller.CanStop());
    EXPECT_THAT(Take(), ElementsAre("clicks stop", "redraw"));
}

TEST_F(PlaybackControllerTest, PlayAndRecordExcludeEachOther)
{
    controller.OnRecord();
    EXPECT_TRUE(controller.IsRecording());
    // Record builds the song and applies the speed too, so the clicks have the score's
    // meters and tempo.
    EXPECT_THAT(Take(), ElementsAre("build", "player speed 75", "clicks speed 75", "input start",
                                    "clicks division 120", "clicks tempos 1", "clicks from 0",
                                    "clicks start"));
    controller.OnPlay();
    EXPECT_FALSE(controller.IsPlaying());
    EXPECT_THAT(Take(), IsEmpty());
    controller.OnRecord();
    EXPECT_FALSE(controller.IsRecording());
    EXPECT_THAT(Take(), ElementsAre("input stop", "redraw", "clicks stop"));

    controller.OnPlay();
    Take();
    controller.OnRecord();
    EXPECT_FALSE(controller.IsRecording());
    EXPECT_THAT(Take(), IsEmpty());
    controller.OnStop();
    EXPECT_FALSE(controller.IsPlaying());
}

TEST_F(PlaybackControllerTest, TempoSliderChangesTheSpeedDuringPlayback)
{
    controller.OnPlay();
    Take();
    controller.OnTempoChanged(60);
    EXPECT_THAT(Take(), ElementsAre("player speed 50", "clicks speed 50"));
    controller.OnTempoChanged(0);  // refused
    controller.OnTempoChanged(-5);
    EXPECT_THAT(Take(), IsEmpty());
    EXPECT_EQ(controller.GetViewTempo(), 60);
}

TEST_F(PlaybackControllerTest, MetronomeSwitchOnlySilencesTheClicks)
{
    EXPECT_FALSE(controller.IsMetronomeOn());
    controller.OnMetronome();
    EXPECT_EQ(metronome.output, &output);
    controller.OnPlay();
    controller.OnMetronome();
    EXPECT_EQ(metronome.output, nullptr);
    EXPECT_THAT(Take(), ::testing::Not(::testing::Contains("clicks stop")));
    // A new score keeps the switch.
    controller.OnMetronome();
    controller.StartNewScore(100);
    EXPECT_TRUE(controller.IsMetronomeOn());
    EXPECT_FALSE(controller.IsPlaying());
    EXPECT_TRUE(controller.IsStale());
    EXPECT_EQ(controller.GetViewTempo(), 100);
}

TEST_F(PlaybackControllerTest, SpaceKeyPlaysOrStops)
{
    controller.OnSpaceKey(true);  // loading: stop only
    EXPECT_FALSE(controller.IsPlaying());
    controller.OnSpaceKey(false);
    EXPECT_TRUE(controller.IsPlaying());
    controller.OnSpaceKey(false);
    EXPECT_FALSE(controller.IsPlaying());
    controller.OnRecord();
    controller.OnSpaceKey(false);
    EXPECT_FALSE(controller.IsRecording());
    EXPECT_FALSE(controller.IsPlaying());
}

TEST_F(PlaybackControllerTest, SongWithoutTempoClicksAtOneHundred)
{
    // A song from elsewhere, with no tempo record at all.
    song->Clear();
    controller.OnDocumentModified();
    host.score = nullptr;  // the build leaves the song empty
    controller.OnPlay();
    const Journal journal = Take();
    EXPECT_THAT(journal, ::testing::Contains("player speed 75"));
    EXPECT_THAT(journal, ::testing::Contains("clicks tempo 100"));
}

}  // namespace
