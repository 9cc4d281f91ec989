#include "app/mididev/soft_synth.h"

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <fluidsynth.h>
#include <mutex>

namespace brindle {

namespace {

// The synthesizer library with the sound drivers and file formats it brings along is
// large: it is loaded when a synthesizer is first made, not when the program starts,
// and stays loaded for the rest of the process.
struct FluidLibrary {
    decltype(&fluid_set_log_function) setLogFunction = nullptr;
    decltype(&new_fluid_settings) newSettings = nullptr;
    decltype(&delete_fluid_settings) deleteSettings = nullptr;
    decltype(&fluid_settings_setnum) settingsSetNum = nullptr;
    decltype(&fluid_settings_setstr) settingsSetStr = nullptr;
    decltype(&fluid_settings_setint) settingsSetInt = nullptr;
    decltype(&new_fluid_synth) newSynth = nullptr;
    decltype(&delete_fluid_synth) deleteSynth = nullptr;
    decltype(&new_fluid_audio_driver) newAudioDriver = nullptr;
    decltype(&delete_fluid_audio_driver) deleteAudioDriver = nullptr;
    decltype(&fluid_synth_sfload) sfload = nullptr;
    decltype(&fluid_synth_sysex) sysex = nullptr;
    decltype(&fluid_synth_system_reset) systemReset = nullptr;
    decltype(&fluid_synth_noteon) noteOn = nullptr;
    decltype(&fluid_synth_noteoff) noteOff = nullptr;
    decltype(&fluid_synth_key_pressure) keyPressure = nullptr;
    decltype(&fluid_synth_cc) controlChange = nullptr;
    decltype(&fluid_synth_program_change) programChange = nullptr;
    decltype(&fluid_synth_channel_pressure) channelPressure = nullptr;
    decltype(&fluid_synth_pitch_bend) pitchBend = nullptr;
    decltype(&fluid_synth_write_s16) writeS16 = nullptr;
    bool loaded = false;
};

template <class Function>
bool Bind(void* handle, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

// The library, loaded on the first call; `loaded` is false when it is not installed or
// lacks a function. Its own messages would go to the terminal; the program keeps no log
// and reports a failed device through its open result, so they are switched off.
const FluidLibrary& Fluid()
{
    static const FluidLibrary library = [] {
        FluidLibrary f;
        void* handle = nullptr;
        for (const char* name : {"libfluidsynth.so.3", "libfluidsynth.so"}) {
            handle = dlopen(name, RTLD_LAZY | RTLD_LOCAL);
            if (handle != nullptr)
                break;
        }
        if (handle == nullptr)
            return f;
        const bool all =
            Bind(handle, "fluid_set_log_function", f.setLogFunction) &&
            Bind(handle, "new_fluid_settings", f.newSettings) &&
            Bind(handle, "delete_fluid_settings", f.deleteSettings) &&
            Bind(handle, "fluid_settings_setnum", f.settingsSetNum) &&
            Bind(handle, "fluid_settings_setstr", f.settingsSetStr) &&
            Bind(handle, "fluid_settings_setint", f.settingsSetInt) &&
            Bind(handle, "new_fluid_synth", f.newSynth) &&
            Bind(handle, "delete_fluid_synth", f.deleteSynth) &&
            Bind(handle, "new_fluid_audio_driver", f.newAudioDriver) &&
            Bind(handle, "delete_fluid_audio_driver", f.deleteAudioDriver) &&
            Bind(handle, "fluid_synth_sfload", f.sfload) &&
            Bind(handle, "fluid_synth_sysex", f.sysex) &&
            Bind(handle, "fluid_synth_system_reset", f.systemReset) &&
            Bind(handle, "fluid_synth_noteon", f.noteOn) &&
            Bind(handle, "fluid_synth_noteoff", f.noteOff) &&
            Bind(handle, "fluid_synth_key_pressure", f.keyPressure) &&
            Bind(handle, "fluid_synth_cc", f.controlChange) &&
            Bind(handle, "fluid_synth_program_change", f.programChange) &&
            Bind(handle, "fluid_synth_channel_pressure", f.channelPressure) &&
            Bind(handle, "fluid_synth_pitch_bend", f.pitchBend) &&
            Bind(handle, "fluid_synth_write_s16", f.writeS16);
        if (!all)
            return FluidLibrary{};
        for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            f.setLogFunction(level, nullptr, nullptr);
        f.loaded = true;
        return f;
    }();
    return library;
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
            Fluid().deleteAudioDriver(audio);
        if (synth != nullptr)
            Fluid().deleteSynth(synth);
        if (settings != nullptr)
            Fluid().deleteSettings(settings);
    }
};

SoftSynth::SoftSynth() : impl_(std::make_unique<Impl>())
{
    const FluidLibrary& fluid = Fluid();
    if (!fluid.loaded)
        return;
    impl_->settings = fluid.newSettings();
    if (impl_->settings == nullptr)
        return;
    fluid.settingsSetNum(impl_->settings, "synth.sample-rate", kSampleRate);
    // A General MIDI SoundFont holds well over a hundred megabytes of samples: only those
    // of the instruments the channels use are read, when a channel takes one up.
    fluid.settingsSetInt(impl_->settings, "synth.dynamic-sample-loading", 1);
    impl_->synth = fluid.newSynth(impl_->settings);
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
    if (Fluid().sfload(impl_->synth, path.c_str(), 1) == FLUID_FAILED)
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
        if (Fluid().settingsSetStr(impl_->settings, "audio.driver", driver) == FLUID_FAILED)
            continue;
        impl_->audio = Fluid().newAudioDriver(impl_->settings, impl_->synth);
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
    const FluidLibrary& fluid = Fluid();
    const std::uint8_t status = bytes[0];
    if (status == 0xF0) {
        // A whole block: F0, body, F7. The synthesizer takes the body alone.
        if (length >= 2 && bytes[length - 1] == 0xF7) {
            fluid.sysex(synth, reinterpret_cast<const char*>(bytes + 1),
                              static_cast<int>(length - 2), nullptr, nullptr, nullptr, 0);
        }
        return;
    }
    if (status == 0xFF) {
        fluid.systemReset(synth);
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
        fluid.noteOff(synth, channel, first);
        break;
    case 0x90:
        if (second == 0)
            fluid.noteOff(synth, channel, first);
        else
            fluid.noteOn(synth, channel, first, second);
        break;
    case 0xA0:
        fluid.keyPressure(synth, channel, first, second);
        break;
    case 0xB0:
        fluid.controlChange(synth, channel, first, second);
        break;
    case 0xC0:
        fluid.programChange(synth, channel, first);
        break;
    case 0xD0:
        fluid.channelPressure(synth, channel, first);
        break;
    case 0xE0:
        fluid.pitchBend(synth, channel, first | (second << 7));
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
    Fluid().writeS16(impl_->synth, frames, samples, 0, 2, samples, 1, 2);
}

}  // namespace brindle
