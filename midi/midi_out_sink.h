// A MIDI output: what the player and the metronome send their sounds to. Implemented
// outside the MIDI library.
#pragma once

#include <cstdint>

namespace midi {

class MidiOutSink {
public:
    // Silences the output (all notes off).
    virtual void Reset() = 0;
    // One channel message: status byte in bits 0-7, first data byte in bits 8-15,
    // second data byte in bits 16-23.
    virtual void SendShortMessage(std::uint32_t message) = 0;
    // One complete system-exclusive message.
    virtual void SendLongMessage(const std::uint8_t* data, std::uint32_t length) = 0;

protected:
    ~MidiOutSink() = default;
};

}  // namespace midi
