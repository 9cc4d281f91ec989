// The built-in software synthesizer behind output device -1: FluidSynth playing a General
// MIDI SoundFont from the system's packages. It sounds through the desktop's sound server
// (or ALSA) once StartAudio succeeds; without that it can be rendered by hand, which the
// tests use to hear what was played.
//
// Threads: Send may be called from any thread (the synthesizer guards itself); Render
// only while no audio output is running.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace brindle {

class SoftSynth {
public:
    static constexpr int kSampleRate = 44100;

    SoftSynth();
    ~SoftSynth();
    SoftSynth(const SoftSynth&) = delete;
    SoftSynth& operator=(const SoftSynth&) = delete;

    // False when the synthesizer itself could not be made; every other call then does
    // nothing.
    bool IsValid() const;

    // The first General MIDI SoundFont installed where Debian puts them; empty when none.
    static std::filesystem::path FindSoundFont();
    bool LoadSoundFont(const std::filesystem::path& path);
    bool HasSoundFont() const;

    // Starts the live sound output: the sound server first, then ALSA. False when
    // neither can be opened (no sound card, no server).
    bool StartAudio();

    // One complete message (channel message, system reset or a whole system-exclusive
    // block); anything else is passed over.
    void Send(const std::uint8_t* bytes, std::size_t length);

    // Renders the next frames as interleaved 16-bit stereo at kSampleRate.
    void Render(std::int16_t* samples, int frames);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace brindle
