#include "app/mididev/midi_out_device.h"

#include <array>
#include <utility>

#include "app/mididev/short_message.h"

namespace brindle {

namespace {

constexpr int kChannels = 16;
constexpr std::uint8_t kSustainPedal = 64;
constexpr std::uint8_t kAllNotesOff = 123;

}  // namespace

MidiOutDevice::MidiOutDevice() : MidiOutDevice(MidiBackend::System()) {}

MidiOutDevice::MidiOutDevice(MidiBackend& backend) : backend_(backend) {}

MidiOutDevice::~MidiOutDevice()
{
    Close();
}

unsigned MidiOutDevice::GetDeviceCount()
{
    return MidiBackend::System().GetOutputCount();
}

std::u16string MidiOutDevice::GetDeviceName(unsigned device)
{
    return MidiBackend::System().GetOutputName(device);
}

std::vector<std::u16string> MidiOutDevice::GetDeviceNames() const
{
    std::vector<std::u16string> names;
    const unsigned count = backend_.GetOutputCount();
    for (unsigned device = 0; device < count; ++device)
        names.push_back(backend_.GetOutputName(device));
    return names;
}

bool MidiOutDevice::Open(int device)
{
    Close();
    // Opening may take a while (the synthesizer loads its SoundFont): the other threads'
    // sends are not held up meanwhile, they go nowhere as with a closed device.
    std::unique_ptr<MidiOutputPort> port = backend_.OpenOutput(device);
    const bool opened = port != nullptr;
    std::unique_ptr<MidiOutputPort> displaced;
    {
        std::lock_guard lock(mutex_);
        displaced = std::exchange(port_, std::move(port));
        portDevice_ = opened ? device : kNoDevice;
    }
    return opened;
}

void MidiOutDevice::OpenWhenUsed(int device)
{
    {
        std::lock_guard lock(mutex_);
        if (port_ && portDevice_ == device) {
            pending_ = kNoDevice;
            return;
        }
    }
    Close();
    pending_ = device;
}

void MidiOutDevice::OpenPending()
{
    if (pending_.load() == kNoDevice)
        return;
    // The device stays asked for until it is open: a send from another thread meanwhile
    // waits here for the port instead of going nowhere.
    std::lock_guard opening(pendingMutex_);
    int device = pending_.load();
    if (device == kNoDevice)
        return;  // opened meanwhile by another thread
    // A port not taken is closed after the lock is let go.
    std::unique_ptr<MidiOutputPort> port = backend_.OpenOutput(device);
    std::lock_guard lock(mutex_);
    // A Close, an Open or another device asked for in the meantime has the last word; a
    // device that did not open is not tried again.
    if (!pending_.compare_exchange_strong(device, kNoDevice) || port_ || port == nullptr)
        return;
    port_ = std::move(port);
    portDevice_ = device;
}

void MidiOutDevice::Close()
{
    pending_ = kNoDevice;
    std::unique_ptr<MidiOutputPort> closing;
    {
        std::lock_guard lock(mutex_);
        closing = std::move(port_);
        portDevice_ = kNoDevice;
    }
}

bool MidiOutDevice::IsOpen()
{
    OpenPending();
    std::lock_guard lock(mutex_);
    return port_ != nullptr;
}

void MidiOutDevice::Reset()
{
    // A device not opened yet has nothing sounding: it is not opened for this.
    std::lock_guard lock(mutex_);
    if (!port_)
        return;
    for (int channel = 0; channel < kChannels; ++channel) {
        const auto status = static_cast<std::uint8_t>(0xB0 + channel);
        const std::array<std::uint8_t, 3> pedalUp = {status, kSustainPedal, 0};
        const std::array<std::uint8_t, 3> notesOff = {status, kAllNotesOff, 0};
        port_->Send(pedalUp.data(), pedalUp.size());
        port_->Send(notesOff.data(), notesOff.size());
    }
}

void MidiOutDevice::SendShortMessage(std::uint32_t message)
{
    const ShortMessageBytes bytes = UnpackShortMessage(message);
    if (bytes.length == 0)
        return;
    OpenPending();
    std::lock_guard lock(mutex_);
    if (port_)
        port_->Send(bytes.bytes.data(), bytes.length);
}

void MidiOutDevice::SendLongMessage(const std::uint8_t* data, std::uint32_t length)
{
    if (data == nullptr || length == 0)
        return;
    OpenPending();
    std::lock_guard lock(mutex_);
    if (port_)
        port_->Send(data, length);
}

}  // namespace brindle
