// The MIDI output the player, the metronome and the echo of MIDI input send through.
// A device is chosen by number: 0 to GetDeviceCount() - 1 are the system's ports, -1 the
// built-in software synthesizer. Sending to a closed device is silently ignored, so
// playback runs (silently) without one.
//
// Threads: the user-interface thread, both timer threads and the MIDI input thread all
// send here; one mutex serialises every operation, so messages never interleave and a
// port is never closed under a send.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/mididev/midi_backend.h"
#include "midi/midi_out_sink.h"

namespace brindle {

class MidiOutDevice final : public midi::MidiOutSink {
public:
    // Over the system's ports, or over the given back end (which must outlive it).
    MidiOutDevice();
    explicit MidiOutDevice(MidiBackend& backend);
    ~MidiOutDevice();
    MidiOutDevice(const MidiOutDevice&) = delete;
    MidiOutDevice& operator=(const MidiOutDevice&) = delete;

    // The system's output ports.
    static unsigned GetDeviceCount();
    // The port's name; empty when there is no such port.
    static std::u16string GetDeviceName(unsigned device);
    // The names of the output ports of this device's back end, in device order (the
    // synthesizer, -1, is not among them).
    std::vector<std::u16string> GetDeviceNames() const;

    // Closes an open device first; true when the device could be opened.
    bool Open(int device);
    // The device is opened when it is first used (a message sent, Reset, IsOpen) instead
    // of now: opening a port or the synthesizer takes a while, and a program that only
    // opens and prints a score never needs it. A device already open under that number
    // stays open; Reset alone does not open it, as nothing sounds on it yet. A failure
    // to open is silent, as with a device that went away.
    void OpenWhenUsed(int device);
    void Close();
    // True when a port is open; a device waiting to be opened is opened first.
    bool IsOpen();

    // Releases the sustain pedal and ends every sounding note on all 16 channels.
    void Reset() override;
    // A well-formed short message is sent; a malformed one (a lone system status byte,
    // a data byte with its top bit set) is dropped.
    void SendShortMessage(std::uint32_t message) override;
    // A system-exclusive block, sent whole.
    void SendLongMessage(const std::uint8_t* data, std::uint32_t length) override;

private:
    static constexpr int kNoDevice = -2;  // never a device number (-1 is the synthesizer)

    // Opens the device waiting to be opened, if any.
    void OpenPending();

    MidiBackend& backend_;
    mutable std::mutex mutex_;
    std::unique_ptr<MidiOutputPort> port_;
    int portDevice_ = kNoDevice;  // the number port_ was opened for
    // Held while a device waiting to be opened is opened, so that a send from another
    // thread at that moment waits for it instead of going nowhere.
    std::mutex pendingMutex_;
    std::atomic<int> pending_{kNoDevice};
};

}  // namespace brindle
