// The MIDI input: what a MIDI keyboard plays, handed to one listener (the score view,
// which echoes it and turns played notes into chord input). A device is chosen by its
// number, 0 to GetDeviceCount() - 1. Opening does not start input: messages reach the
// listener only between Start and Stop (or Close).
//
// Threads: the listener is called on the port's input thread. Stop, Close and
// SetListener return only when no call of the listener is in progress any more, so the
// listener may be destroyed after removing it; called from inside the listener they
// return at once.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/mididev/midi_backend.h"
#include "app/mididev/midi_in_listener.h"

namespace brindle {

class MidiInDevice {
public:
    // The largest system-exclusive piece one message carries; longer blocks arrive in
    // several messages.
    static constexpr std::size_t kBufferSize = 1024;

    // Over the system's ports, or over the given back end (which must outlive it).
    MidiInDevice();
    explicit MidiInDevice(MidiBackend& backend);
    ~MidiInDevice();
    MidiInDevice(const MidiInDevice&) = delete;
    MidiInDevice& operator=(const MidiInDevice&) = delete;

    // The system's input ports.
    static unsigned GetDeviceCount();
    // The port's name; empty when there is no such port.
    static std::u16string GetDeviceName(unsigned device);
    // The names of the input ports of this device's back end, in device order: what the
    // device dialog offers.
    std::vector<std::u16string> GetDeviceNames() const;

    // Null removes the listener.
    void SetListener(MidiInListener* listener);

    // Closes an open device first; true when the device could be opened. A negative
    // number (no device chosen) fails.
    bool Open(int device);
    // False when closed.
    bool Start();
    void Stop();
    void Close();
    bool IsOpen() const;
    bool IsStarted() const { return started_.load(); }

private:
    void Receive(const std::uint8_t* bytes, std::size_t length);
    // Waits for a call of the listener in progress on another thread.
    void WaitForDelivery();
    std::unique_ptr<MidiInputPort> TakePort();

    MidiBackend& backend_;
    mutable std::mutex portMutex_;
    std::unique_ptr<MidiInputPort> port_;
    // A port closed from inside the listener: its thread cannot end itself, so the
    // port is let go by the next Open, Close or the destructor on another thread.
    std::unique_ptr<MidiInputPort> retired_;

    std::mutex deliveryMutex_;  // held while the listener is called
    std::atomic<MidiInListener*> listener_{nullptr};
    std::atomic<bool> started_{false};
    std::atomic<std::int64_t> startTime_{0};  // steady clock, nanoseconds
    std::array<std::uint8_t, kBufferSize> buffer_{};
};

}  // namespace brindle
