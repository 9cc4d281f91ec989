// What the MIDI devices stand on: the system's MIDI ports (listed, opened, sent to or
// received from) behind one interface, so that the devices work the same over the ALSA
// sequencer, the built-in synthesizer and a fake in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace brindle {

// One open connection to an output port. Closed when destroyed.
class MidiOutputPort {
public:
    virtual ~MidiOutputPort() = default;
    // One complete message: a channel, system common or real-time message, or a whole
    // system-exclusive block.
    virtual void Send(const std::uint8_t* bytes, std::size_t length) = 0;
};

// Receives every complete message an input port gets, on the port's own thread. The
// bytes live only for the call.
using MidiInputHandler = std::function<void(const std::uint8_t* bytes, std::size_t length)>;

// One open connection to an input port: it calls its handler from the moment it is
// opened. Destroying it closes the port and returns only when no call of the handler is
// in progress any more.
class MidiInputPort {
public:
    virtual ~MidiInputPort() = default;
};

class MidiBackend {
public:
    // The output number of the built-in software synthesizer.
    static constexpr int kSynthesizer = -1;

    virtual ~MidiBackend() = default;

    // Ports are numbered from 0 in the order of the system's listing.
    virtual unsigned GetOutputCount() = 0;
    // Empty when there is no such port.
    virtual std::u16string GetOutputName(unsigned port) = 0;
    // A port number, or kSynthesizer; null when it cannot be opened.
    virtual std::unique_ptr<MidiOutputPort> OpenOutput(int port) = 0;

    virtual unsigned GetInputCount() = 0;
    virtual std::u16string GetInputName(unsigned port) = 0;
    // Null when it cannot be opened.
    virtual std::unique_ptr<MidiInputPort> OpenInput(unsigned port, MidiInputHandler handler) = 0;

    // The back end of the running system, made on first use and kept for the process.
    static MidiBackend& System();
};

}  // namespace brindle
