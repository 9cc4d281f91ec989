// A song played as the program plays it: the MIDI player and the metronome each on a
// multimedia timer of their own, both sending through one output device into the
// built-in synthesizer, whose sound is recorded in step with the wall clock and measured
// with sox.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "app/mididev/metronome.h"
#include "app/mididev/midi_backend.h"
#include "app/mididev/midi_out_device.h"
#include "app/mididev/multimedia_timer.h"
#include "app/mididev/soft_synth.h"
#include "midi/midi_data.h"
#include "midi/midi_player.h"
#include "midi/midi_track.h"
#include "tests/app/mididev/sound_check.h"

namespace {

using brindle::SoftSynth;
using mididev_test::SoxRms;
using mididev_test::WriteWav;
using namespace std::chrono_literals;

constexpr int kRate = SoftSynth::kSampleRate;

// Output -1 of this back end is the synthesizer, recorded: before each message the sound
// up to that moment is rendered, as a sound card would have played it.
class RecordingSynthBackend final : public brindle::MidiBackend {
public:
    explicit RecordingSynthBackend(SoftSynth& synth) : synth_(synth) {}

    void Begin() { begin_ = std::chrono::steady_clock::now(); }
    // Renders up to now and hands over the recording.
    std::vector<std::int16_t> Finish()
    {
        std::lock_guard lock(mutex_);
        RenderToNow();
        return samples_;
    }

    unsigned GetOutputCount() override { return 0; }
    std::u16string GetOutputName(unsigned) override { return {}; }
    std::unique_ptr<brindle::MidiOutputPort> OpenOutput(int port) override
    {
        if (port != kSynthesizer)
            return nullptr;
        return std::make_unique<Port>(*this);
    }
    unsigned GetInputCount() override { return 0; }
    std::u16string GetInputName(unsigned) override { return {}; }
    std::unique_ptr<brindle::MidiInputPort> OpenInput(unsigned, brindle::MidiInputHandler) override
    {
        return nullptr;
    }

private:
    class Port final : public brindle::MidiOutputPort {
    public:
        explicit Port(RecordingSynthBackend& backend) : backend_(backend) {}
        void Send(const std::uint8_t* bytes, std::size_t length) override
        {
            std::lock_guard lock(backend_.mutex_);
            backend_.RenderToNow();
            backend_.synth_.Send(bytes, length);
        }

    private:
        RecordingSynthBackend& backend_;
    };

    void RenderToNow()
    {
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin_).count();
        const auto frames = static_cast<std::size_t>(seconds * kRate);
        const std::size_t have = samples_.size() / 2;
        if (frames <= have)
            return;
        samples_.resize(2 * frames);
        synth_.Render(samples_.data() + 2 * have, static_cast<int>(frames - have));
    }

    SoftSynth& synth_;
    std::mutex mutex_;
    std::chrono::steady_clock::time_point begin_ = std::chrono::steady_clock::now();
    std::vector<std::int16_t> samples_;
};

constexpr std::uint32_t NoteOn(int key, int velocity)
{
    return 0x90u + (static_cast<std::uint32_t>(key) << 8) + (static_cast<std::uint32_t>(velocity) << 16);
}

TEST(PlaybackSound, PlayerAndMetronomeSoundThroughTheSynthesizer)
{
    const mididev_test::SoundTools tools = mididev_test::FindSoundTools();
    if (!tools.missing.empty())
        GTEST_SKIP() << tools.missing;
    const QString& sox = tools.sox;
    SoftSynth synth;
    ASSERT_TRUE(synth.LoadSoundFont(tools.soundFont));
    RecordingSynthBackend backend(synth);
    brindle::MidiOutDevice output(backend);
    ASSERT_TRUE(output.Open(brindle::MidiBackend::kSynthesizer));

    // Eight eighth notes at quarter = 120: two seconds.
    midi::MidiData* song = create_midi_data();
    song->SetDivision(120);
    song->AddTempo({0, 500000});
    song->AddMeter({0, 4, 4, 24, 8});
    song->AddTrack(1);
    std::vector<midi::MidiEvent> events{{0, 0x00C0}};
    int tick = 0;
    for (const int key : {60, 62, 64, 65, 67, 69, 71, 72}) {
        events.push_back({tick, NoteOn(key, 100)});
        events.push_back({tick + 60, NoteOn(key, 0)});
        tick += 60;
    }
    song->GetTrack(1)->AddEvents(events);

    midi::MidiPlayer* player = create_midi_player();
    brindle::MultimediaTimer playerTimer(player);
    player->SetClock(&playerTimer);
    player->SetMidiData(song);
    player->SetOutput(&output);

    brindle::Metronome metronome;
    brindle::MultimediaTimer metronomeTimer(&metronome);
    metronome.SetTimer(&metronomeTimer);
    metronome.SetDownbeatSound(34, 100);
    metronome.SetBeatSound(33, 80);
    metronome.SetDivision(song->GetDivision());
    metronome.SetMeters(song->GetMeters());
    metronome.SetTempos(song->GetTempos());
    metronome.SetStartTick(0);
    metronome.SetOutput(&output);

    backend.Begin();
    player->Start();
    metronome.Start();
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (player->IsPlaying() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(player->IsPlaying()) << "the song should have ended by itself";
    metronome.Stop();
    // The song ends on the player's own timer thread, which stops its clock from there.
    EXPECT_FALSE(playerTimer.IsRunning());
    std::this_thread::sleep_for(300ms);
    const std::vector<std::int16_t> samples = backend.Finish();

    player->Reset();
    player->Release();
    song->Release();

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path = folder.filePath(QStringLiteral("song.wav")).toStdString();
    ASSERT_TRUE(WriteWav(path, samples));
    const double seconds = static_cast<double>(samples.size()) / 2 / kRate;
    EXPECT_GE(seconds, 2.0);
    EXPECT_LT(seconds, 8.0);
    // Every stretch of the song sounds.
    for (const double at : {0.0, 0.5, 1.0, 1.5}) {
        const std::optional<double> rms = SoxRms(sox, path, at, 0.4);
        ASSERT_TRUE(rms.has_value());
        EXPECT_GT(*rms, 0.003) << "at " << at << " s";
    }
}

}  // namespace
