// The built-in synthesizer heard as a user would: a short melody and a metronome run are
// rendered to WAV files, and sox measures that they are not silence.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/mididev/metronome.h"
#include "app/mididev/soft_synth.h"
#include "midi/player_clock.h"
#include "tests/app/mididev/sound_check.h"
#include "tests/support/sanitizer_scale.h"

namespace {

using brindle::SoftSynth;
using mididev_test::kSilence;
using mididev_test::SoxRms;
using mididev_test::WriteWav;

constexpr int kRate = SoftSynth::kSampleRate;

struct SynthFixture : ::testing::Test {
    void SetUp() override
    {
        const mididev_test::SoundTools tools = mididev_test::FindSoundTools();
        if (!tools.missing.empty())
            GTEST_SKIP() << tools.missing;
        sox = tools.sox;
        ASSERT_TRUE(synth.IsValid());
        ASSERT_TRUE(synth.LoadSoundFont(tools.soundFont));
        ASSERT_TRUE(folder.isValid());
    }
    std::string PathOf(const char* name) const { return folder.filePath(QString::fromUtf8(name)).toStdString(); }
    void Send(std::vector<std::uint8_t> bytes) { synth.Send(bytes.data(), bytes.size()); }
    void Render(int milliseconds)
    {
        const std::size_t frames = static_cast<std::size_t>(kRate) * static_cast<std::size_t>(milliseconds) / 1000;
        const std::size_t at = samples.size();
        samples.resize(at + 2 * frames);
        synth.Render(samples.data() + at, static_cast<int>(frames));
    }

    QString sox;
    QTemporaryDir folder;
    SoftSynth synth;
    std::vector<std::int16_t> samples;
};

// Resident memory of this process in kilobytes.
long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return 0;
}

// A General MIDI SoundFont holds over a hundred megabytes of samples; opening it reads
// only what the channels' instruments need, and an instrument taken up later still
// sounds.
TEST(SoftSynth, OpeningTheSoundFontReadsOnlyTheInstrumentsInUse)
{
    const mididev_test::SoundTools tools = mididev_test::FindSoundTools();
    if (!tools.missing.empty())
        GTEST_SKIP() << tools.missing;
    std::error_code error;
    const auto size = std::filesystem::file_size(tools.soundFont, error);
    if (error || size < 100u * 1024 * 1024)
        GTEST_SKIP() << "the SoundFont is too small to tell";
    SoftSynth synth;
    const long before = ResidentKilobytes();
    ASSERT_TRUE(synth.LoadSoundFont(tools.soundFont));
    // Under a sanitizer the resident size also counts its shadow of every byte touched.
    if (!testsupport::kUnderSanitizer) {
        EXPECT_LT(ResidentKilobytes() - before, static_cast<long>(size / 1024 / 2));
    }

    const std::vector<std::uint8_t> organ = {0xC0, 19};
    const std::vector<std::uint8_t> note = {0x90, 60, 100};
    synth.Send(organ.data(), organ.size());
    synth.Send(note.data(), note.size());
    std::vector<std::int16_t> samples(2 * static_cast<std::size_t>(kRate) / 5);
    synth.Render(samples.data(), kRate / 5);
    EXPECT_TRUE(std::any_of(samples.begin(), samples.end(), [](std::int16_t s) { return s != 0; }));
}

TEST_F(SynthFixture, NothingPlayedIsSilence)
{
    Render(500);
    const std::string path = PathOf("silence.wav");
    ASSERT_TRUE(WriteWav(path, samples));
    const std::optional<double> rms = SoxRms(sox, path);
    ASSERT_TRUE(rms.has_value());
    EXPECT_LT(*rms, kSilence);
}

TEST_F(SynthFixture, RendersAMelodyThatIsNotSilence)
{
    Send({0xC0, 0x00});  // piano
    for (const std::uint8_t key : {60, 62, 64, 65, 67, 72}) {
        Send({0x90, key, 100});
        Render(250);
        Send({0x80, key, 0});
    }
    Render(500);
    const std::string path = PathOf("melody.wav");
    ASSERT_TRUE(WriteWav(path, samples));
    const std::optional<double> rms = SoxRms(sox, path);
    ASSERT_TRUE(rms.has_value());
    EXPECT_GT(*rms, 0.003);
}

TEST_F(SynthFixture, MalformedInputIsPassedOver)
{
    Send({0x90, 60});        // note-on without its velocity
    Send({0xF0, 0x7E, 0x7F});  // a block without its end
    synth.Send(nullptr, 3);
    Send({0x40, 0x40, 0x40});
    Render(300);
    const std::string path = PathOf("nothing.wav");
    ASSERT_TRUE(WriteWav(path, samples));
    EXPECT_LT(SoxRms(sox, path).value_or(1.0), kSilence);
}

// Sends what the metronome plays straight into the synthesizer.
class SynthSink final : public midi::MidiOutSink {
public:
    explicit SynthSink(SoftSynth& synth) : synth_(synth) {}
    void Reset() override {}
    void SendShortMessage(std::uint32_t message) override
    {
        const std::uint8_t bytes[] = {static_cast<std::uint8_t>(message), static_cast<std::uint8_t>(message >> 8),
                                      static_cast<std::uint8_t>(message >> 16)};
        synth_.Send(bytes, 3);
    }
    void SendLongMessage(const std::uint8_t* data, std::uint32_t length) override { synth_.Send(data, length); }

private:
    SoftSynth& synth_;
};

class IdleClock final : public midi::PlayerClock {
public:
    void Start() override {}
    void SetPaused(bool) override {}
    void Stop() override {}
    void SetTarget(midi::ClockTarget*) override {}
};

TEST_F(SynthFixture, MetronomeClicksAreHeardOnTheBeats)
{
    SynthSink sink(synth);
    IdleClock clock;
    brindle::Metronome metronome;
    metronome.SetTimer(&clock);
    metronome.SetOutput(&sink);
    metronome.SetDownbeatSound(34, 100);
    metronome.SetBeatSound(33, 80);
    metronome.SetDivision(120);
    metronome.SetMeters({{0, 3, 4, 24, 8}});
    metronome.SetTempo(120);
    metronome.Start();
    // One millisecond of sound after each tick, as the timer would drive it.
    for (int ms = 0; ms < 2000; ++ms) {
        metronome.OnTick(ms);
        const std::size_t frames = static_cast<std::size_t>(kRate) * static_cast<std::size_t>(ms + 1) / 1000 -
                                   samples.size() / 2;
        const std::size_t at = samples.size();
        samples.resize(at + 2 * frames);
        synth.Render(samples.data() + at, static_cast<int>(frames));
    }
    metronome.Stop();
    const std::string path = PathOf("metronome.wav");
    ASSERT_TRUE(WriteWav(path, samples));
    const std::optional<double> whole = SoxRms(sox, path);
    ASSERT_TRUE(whole.has_value());
    EXPECT_GT(*whole, 0.001);
    // Between the beats it has died away again.
    EXPECT_LT(SoxRms(sox, path, 0.4, 0.09).value_or(1.0), *whole);
    // Each click sounds right after its beat, the downbeats louder than the others.
    std::vector<double> clicks;
    for (const double beat : {0.0, 0.5, 1.0, 1.5}) {
        const std::optional<double> click = SoxRms(sox, path, beat, 0.05);
        ASSERT_TRUE(click.has_value());
        EXPECT_GT(*click, 0.001) << "beat at " << beat << " s";
        clicks.push_back(*click);
    }
    EXPECT_GT(clicks[0], clicks[1]);
    EXPECT_GT(clicks[3], clicks[2]);
}

}  // namespace
