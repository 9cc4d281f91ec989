// What the MIDI input device hands to its listener.
#pragma once

#include <cstdint>

namespace brindle {

// Message codes of a MidiInMessage.
constexpr std::uint32_t kMidiInData = 963;      // a short message
constexpr std::uint32_t kMidiInLongData = 964;  // a system-exclusive block

// One received message; lives only for the listener's call.
struct MidiInMessage {
    std::uint32_t code = 0;
    // kMidiInData: the packed short message (status byte lowest, as the output takes
    // it). kMidiInLongData: the address of the received bytes.
    std::uintptr_t first = 0;
    // kMidiInData: milliseconds since input was started. kMidiInLongData: the number
    // of bytes received.
    std::uintptr_t second = 0;
};

class MidiInListener {
public:
    virtual ~MidiInListener() = default;
    // Called on the MIDI input thread: copy what is needed and return quickly.
    virtual void OnMidiIn(const MidiInMessage* message) = 0;
};

}  // namespace brindle
