#include "app/mididev/soft_synth.h"

#include <algorithm>
#include <array>
#include <fluidsynth.h>
#include <mutex>

namespace brindle {

namespace {

// The synthesizer's own messages would go to the terminal; the program keeps no log and
// reports a failed device through its open result.
void QuietenLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

}  // namespace

struct SoftSynth::Impl {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* audio = nullptr;
    bool soundFont = false;

    ~Impl()
    {
        // The sound output calls into the synthesizer: it goes first.
        if (audio != nullptr)
            delete_fluid_audio_driver(audio);
        if (synth != nullptr)
            delete_fluid_synth(synth);
        if (settings != nullptr)
            delete_fluid_settings(settings);
    }
};

SoftSynth::SoftSynth() : impl_(std::make_unique<Impl>())
{
    QuietenLibrary();
    impl_->settings = new_fluid_settings();
    if (impl_->settings == nullptr)
        return;
    fluid_settings_setnum(impl_->settings, "synth.sample-rate", kSampleRate);
    impl_->synth = new_fluid_synth(impl_->settings);
}

SoftSynth::~SoftSynth() = default;

bool SoftSynth::IsValid() const
{
    return impl_->synth != nullptr;
}

std::filesystem::path SoftSynth::FindSoundFont()
{
    static const std::array<const char*, 4> candidates = {
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/soundfonts/default.sf2",
    };
    for (const char* candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return {};
}

bool SoftSynth::LoadSoundFont(const std::filesystem::path& path)
{
    if (!IsValid() || path.empty())
        return false;
    if (fluid_synth_sfload(impl_->synth, path.c_str(), 1) == FLUID_FAILED)
        return false;
    impl_->soundFont = true;
    return true;
}

bool SoftSynth::HasSoundFont() const
{
    return impl_->soundFont;
}

bool SoftSynth::StartAudio()
{
    if (!IsValid())
        return false;
    if (impl_->audio != nullptr)
        return true;
    for (const char* driver : {"pulseaudio", "alsa"}) {
        if (fluid_settings_setstr(impl_->settings, "audio.driver", driver) == FLUID_FAILED)
            continue;
        impl_->audio = new_fluid_audio_driver(impl_->settings, impl_->synth);
        if (impl_->audio != nullptr)
            return true;
    }
    return false;
}

void SoftSynth::Send(const std::uint8_t* bytes, std::size_t length)
{
    if (!IsValid() || bytes == nullptr || length == 0)
        return;
    fluid_synth_t* synth = impl_->synth;
    const std::uint8_t status = bytes[0];
    if (status == 0xF0) {
        // A whole block: F0, body, F7. The synthesizer takes the body alone.
        if (length >= 2 && bytes[length - 1] == 0xF7) {
            fluid_synth_sysex(synth, reinterpret_cast<const char*>(bytes + 1),
                              static_cast<int>(length - 2), nullptr, nullptr, nullptr, 0);
        }
        return;
    }
    if (status == 0xFF) {
        fluid_synth_system_reset(synth);
        return;
    }
    if (status < 0x80 || status > 0xEF)
        return;
    const int channel = status & 0x0F;
    const int first = length > 1 ? bytes[1] & 0x7F : 0;
    const int second = length > 2 ? bytes[2] & 0x7F : 0;
    const bool twoData = (status & 0xF0) != 0xC0 && (status & 0xF0) != 0xD0;
    if (length < (twoData ? 3u : 2u))
        return;
    switch (status & 0xF0) {
    case 0x80:
        fluid_synth_noteoff(synth, channel, first);
        break;
    case 0x90:
        if (second == 0)
            fluid_synth_noteoff(synth, channel, first);
        else
            fluid_synth_noteon(synth, channel, first, second);
        break;
    case 0xA0:
        fluid_synth_key_pressure(synth, channel, first, second);
        break;
    case 0xB0:
        fluid_synth_cc(synth, channel, first, second);
        break;
    case 0xC0:
        fluid_synth_program_change(synth, channel, first);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(synth, channel, first);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(synth, channel, first | (second << 7));
        break;
    default:
        break;
    }
}

void SoftSynth::Render(std::int16_t* samples, int frames)
{
    if (samples == nullptr || frames <= 0)
        return;
    if (!IsValid()) {
        std::fill(samples, samples + 2 * static_cast<std::ptrdiff_t>(frames), std::int16_t{0});
        return;
    }
    fluid_synth_write_s16(impl_->synth, frames, samples, 0, 2, samples, 1, 2);
}

}  // namespace brindle
