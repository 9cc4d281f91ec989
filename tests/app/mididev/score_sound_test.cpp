// A score played as the program plays it, heard: the score record built into the song,
// the playback commands starting the MIDI player at the speed of the view's tempo, the
// player sending into the built-in synthesizer, the sound written as a WAV file and
// measured with sox. The player's clock is driven by hand, one millisecond at a time,
// with the synthesizer rendering each millisecond's sound, so the recording is exact.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <vector>

#include "app/mididev/playback_builder.h"
#include "app/mididev/playback_controller.h"
#include "app/mididev/short_message.h"
#include "app/mididev/soft_synth.h"
#include "midi/midi_player.h"
#include "tests/app/mididev/playback_fixtures.h"
#include "tests/app/mididev/sound_check.h"

namespace {

using brindle::SoftSynth;
using mididev_test::AddStaff;
using mididev_test::NewScore;
using mididev_test::NewSong;
using mididev_test::Note;

constexpr int kQuarter = tabulon::kUnitsPerQuarter;
constexpr int kRate = SoftSynth::kSampleRate;

class HandClock final : public midi::PlayerClock {
public:
    void Start() override
    {
        running = true;
        elapsed = 0;
    }
    void SetPaused(bool paused) override { this->paused = paused; }
    void Stop() override { running = false; }
    void SetTarget(midi::ClockTarget* t) override { target = t; }

    bool running = false;
    bool paused = false;
    int elapsed = 0;
    midi::ClockTarget* target = nullptr;
};

class SynthSink final : public midi::MidiOutSink {
public:
    explicit SynthSink(SoftSynth& synth) : synth_(synth) {}
    void Reset() override
    {
        for (std::uint8_t channel = 0; channel < 16; ++channel) {
            const std::uint8_t allNotesOff[] = {static_cast<std::uint8_t>(0xB0 | channel), 123, 0};
            synth_.Send(allNotesOff, sizeof allNotesOff);
        }
    }
    void SendShortMessage(std::uint32_t message) override
    {
        const brindle::ShortMessageBytes bytes = brindle::UnpackShortMessage(message);
        if (bytes.length > 0)
            synth_.Send(bytes.bytes.data(), bytes.length);
    }
    void SendLongMessage(const std::uint8_t* data, std::uint32_t length) override { synth_.Send(data, length); }

private:
    SoftSynth& synth_;
};

class NullMetronome final : public brindle::MetronomeControl {
public:
    void SetDivision(int) override {}
    void SetMeters(const std::vector<midi::MidiMeterRecord>&) override {}
    void SetTempo(int) override {}
    void SetTempos(const std::vector<midi::MidiTempoRecord>&) override {}
    void SetStartTick(int) override {}
    void Start() override {}
    void Stop() override {}
    void SetSpeed(int) override {}
    void SetOutput(midi::MidiOutSink*) override {}
};

class ScoreHost final : public brindle::PlaybackHost {
public:
    explicit ScoreHost(const tabulon::ScoreData& score) : score_(score) {}
    void BuildSong(midi::MidiData& song) override
    {
        brindle::PlaybackBuilder builder;
        builder.SetMidiData(&song);
        builder.SetScoreData(&score_);
        builder.Build();
    }
    bool StartInput() override { return false; }
    void StopInput() override {}
    void RedrawView() override {}

private:
    const tabulon::ScoreData& score_;
};

class ForwardingListener final : public midi::PlayerListener {
public:
    brindle::PlaybackController* controller = nullptr;
    void OnPlayerEvent(const midi::PlayerEvent* event) override { controller->OnPlayerEvent(*event); }
};

TEST(ScoreSound, BuiltScorePlaysAtTheViewTempoThroughTheSynthesizer)
{
    const mididev_test::SoundTools tools = mididev_test::FindSoundTools();
    if (!tools.missing.empty())
        GTEST_SKIP() << tools.missing;
    const QString& sox = tools.sox;
    SoftSynth synth;
    ASSERT_TRUE(synth.LoadSoundFont(tools.soundFont));
    SynthSink sink(synth);

    // Two 4/4 bars at quarter = 120 on an organ, which holds its notes without decay:
    // four quarters, then a G tied through the second bar.
    auto score = NewScore(2);
    score->AddMeter({0, 4, 4, 0});
    score->AddTempo({0, 120, kQuarter});
    tabulon::StaffData* staff = AddStaff(*score, 1, 1, 0, 19);
    for (int i = 0; i < 4; ++i)
        staff->AddNote(Note(60 + 2 * i, 0, i * kQuarter));
    const tabulon::NoteRecord tiedA = Note(67, 1, 0, 2 * kQuarter);
    const tabulon::NoteRecord tiedB = Note(67, 1, 2 * kQuarter, 2 * kQuarter);
    staff->AddNote(tiedA);
    staff->AddNote(tiedB);
    staff->AddTieChain({{tiedA, tiedB}});

    auto song = NewSong();
    midi::MidiPlayer* player = create_midi_player();
    ASSERT_NE(player, nullptr);
    HandClock clock;
    ForwardingListener listener;
    player->SetClock(&clock);
    player->SetMidiData(song.get());
    player->SetOutput(&sink);
    player->SetListener(&listener);
    NullMetronome metronome;
    ScoreHost host(*score);
    brindle::PlaybackController controller(*song, *player, metronome, &sink, host);
    listener.controller = &controller;
    controller.StartNewScore(90);  // the slider at 90: speed 75

    controller.OnPlay();
    ASSERT_TRUE(controller.IsPlaying());
    EXPECT_EQ(controller.GetSpeed(), 75);
    std::vector<std::int16_t> samples;
    for (int ms = 0; clock.running && ms < 20000; ++ms) {
        player->Tick(ms);
        const int frames = static_cast<int>((static_cast<std::int64_t>(ms) + 1) * kRate / 1000 -
                                            static_cast<std::int64_t>(ms) * kRate / 1000);
        const std::size_t have = samples.size();
        samples.resize(have + 2 * static_cast<std::size_t>(frames));
        synth.Render(samples.data() + have, frames);
    }
    // The song's end reset the player, which cleared Play.
    EXPECT_FALSE(clock.running);
    EXPECT_FALSE(controller.IsPlaying());
    player->Release();

    // 959 ticks at 120 quarters a minute take 4 s; at speed 75, 5.33 s.
    const double seconds = static_cast<double>(samples.size()) / 2 / kRate;
    EXPECT_NEAR(seconds, 959.0 / 240 / 0.75, 0.05);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path = folder.filePath(QStringLiteral("score.wav")).toStdString();
    ASSERT_TRUE(mididev_test::WriteWav(path, samples));
    // Each quarter of the first bar (0.67 s each) and the tied note through the second.
    for (const double at : {0.1, 0.8, 1.45, 2.1, 2.8, 4.0, 4.9}) {
        const std::optional<double> rms = mididev_test::SoxRms(sox, path, at, 0.3);
        ASSERT_TRUE(rms.has_value());
        EXPECT_GT(*rms, 0.003) << "at " << at << " s";
    }
}

}  // namespace
