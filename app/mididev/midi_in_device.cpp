#include "app/mididev/midi_in_device.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <utility>

#include "app/mididev/short_message.h"

namespace brindle {

namespace {

// The device whose listener this thread is calling.
thread_local const MidiInDevice* deliveringDevice = nullptr;

std::int64_t SteadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

MidiInDevice::MidiInDevice() : MidiInDevice(MidiBackend::System()) {}

MidiInDevice::MidiInDevice(MidiBackend& backend) : backend_(backend) {}

MidiInDevice::~MidiInDevice()
{
    Close();
    retired_.reset();
}

unsigned MidiInDevice::GetDeviceCount()
{
    return MidiBackend::System().GetInputCount();
}

std::u16string MidiInDevice::GetDeviceName(unsigned device)
{
    return MidiBackend::System().GetInputName(device);
}

std::vector<std::u16string> MidiInDevice::GetDeviceNames() const
{
    std::vector<std::u16string> names;
    const unsigned count = backend_.GetInputCount();
    for (unsigned device = 0; device < count; ++device)
        names.push_back(backend_.GetInputName(device));
    return names;
}

void MidiInDevice::SetListener(MidiInListener* listener)
{
    listener_ = listener;
    WaitForDelivery();
}

bool MidiInDevice::Open(int device)
{
    Close();
    if (device < 0)
        return false;
    std::unique_ptr<MidiInputPort> port = backend_.OpenInput(
        static_cast<unsigned>(device),
        [this](const std::uint8_t* bytes, std::size_t length) { Receive(bytes, length); });
    if (!port)
        return false;
    std::lock_guard lock(portMutex_);
    port_ = std::move(port);
    return true;
}

bool MidiInDevice::Start()
{
    if (!IsOpen())
        return false;
    startTime_ = SteadyNanoseconds();
    started_ = true;
    return true;
}

void MidiInDevice::Stop()
{
    started_ = false;
    WaitForDelivery();
}

void MidiInDevice::Close()
{
    Stop();
    std::unique_ptr<MidiInputPort> port = TakePort();
    if (deliveringDevice == this) {
        std::lock_guard lock(portMutex_);
        retired_ = std::move(port);
        return;
    }
    // Destroyed without any lock held: its input thread may be waiting for one.
    port.reset();
    std::unique_ptr<MidiInputPort> retired;
    {
        std::lock_guard lock(portMutex_);
        retired = std::move(retired_);
    }
}

bool MidiInDevice::IsOpen() const
{
    std::lock_guard lock(portMutex_);
    return port_ != nullptr;
}

std::unique_ptr<MidiInputPort> MidiInDevice::TakePort()
{
    std::lock_guard lock(portMutex_);
    return std::move(port_);
}

void MidiInDevice::WaitForDelivery()
{
    if (deliveringDevice == this)
        return;
    std::lock_guard lock(deliveryMutex_);
}

void MidiInDevice::Receive(const std::uint8_t* bytes, std::size_t length)
{
    if (bytes == nullptr || length == 0 || !started_.load())
        return;
    std::lock_guard lock(deliveryMutex_);
    // Checked again under the lock: Stop clears the flag before it waits here.
    MidiInListener* listener = listener_.load();
    if (!started_.load() || listener == nullptr)
        return;
    const MidiInDevice* outer = deliveringDevice;
    deliveringDevice = this;
    if (bytes[0] == 0xF0) {
        // A system-exclusive block, in pieces of at most one buffer.
        for (std::size_t done = 0; done < length && started_.load();) {
            const std::size_t piece = std::min(kBufferSize, length - done);
            std::memcpy(buffer_.data(), bytes + done, piece);
            const MidiInMessage message{kMidiInLongData,
                                        reinterpret_cast<std::uintptr_t>(buffer_.data()), piece};
            done += piece;
            if (MidiInListener* current = listener_.load())
                current->OnMidiIn(&message);
        }
    } else {
        const auto elapsed = (SteadyNanoseconds() - startTime_.load()) / 1000000;
        const MidiInMessage message{kMidiInData, PackShortMessage(bytes, length),
                                    static_cast<std::uintptr_t>(std::max<std::int64_t>(0, elapsed))};
        listener->OnMidiIn(&message);
    }
    deliveringDevice = outer;
}

}  // namespace brindle
