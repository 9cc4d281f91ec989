#include "app/mididev/alsa_midi_backend.h"

#include <mutex>
#include <rtmidi/RtMidi.h>
#include <string>
#include <utility>
#include <vector>

#include "app/mididev/soft_synth.h"
#include "platform/text_encoding.h"

namespace brindle {

namespace {

constexpr const char* kClientName = "Brindle";

// RtMidi reports errors after construction through this callback instead of throwing
// and printing; an open that failed is seen through isPortOpen.
void IgnoreError(RtMidiError::Type, const std::string&, void*) {}

class RtOutputPort final : public MidiOutputPort {
public:
    explicit RtOutputPort(std::unique_ptr<RtMidiOut> out) : out_(std::move(out)) {}
    void Send(const std::uint8_t* bytes, std::size_t length) override
    {
        try {
            out_->sendMessage(bytes, length);
        } catch (const RtMidiError&) {
            // A port that went away (a keyboard unplugged) just stops sounding.
        }
    }

private:
    std::unique_ptr<RtMidiOut> out_;
};

class RtInputPort final : public MidiInputPort {
public:
    explicit RtInputPort(MidiInputHandler handler) : handler_(std::move(handler)) {}
    // Closing the port ends RtMidi's input thread, which makes the calls.
    ~RtInputPort() override
    {
        if (in_) {
            try {
                in_->closePort();
            } catch (const RtMidiError&) {
            }
        }
    }

    bool Open(unsigned port)
    {
        try {
            in_ = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, kClientName);
            in_->setErrorCallback(&IgnoreError, nullptr);
            // System-exclusive blocks are wanted; clock and active sensing are not.
            in_->ignoreTypes(false, true, true);
            in_->setCallback(&RtInputPort::Received, this);
            in_->openPort(port, "Brindle Input");
            return in_->isPortOpen();
        } catch (const RtMidiError&) {
            return false;
        }
    }

private:
    static void Received(double, std::vector<unsigned char>* message, void* user)
    {
        auto* self = static_cast<RtInputPort*>(user);
        if (message != nullptr && !message->empty())
            self->handler_(message->data(), message->size());
    }

    MidiInputHandler handler_;
    std::unique_ptr<RtMidiIn> in_;
};

// Device -1: the synthesizer, offered only where it can be heard.
class SynthOutputPort final : public MidiOutputPort {
public:
    bool Open()
    {
        if (!synth_.IsValid() || !synth_.StartAudio())
            return false;
        return synth_.LoadSoundFont(SoftSynth::FindSoundFont());
    }
    void Send(const std::uint8_t* bytes, std::size_t length) override
    {
        synth_.Send(bytes, length);
    }

private:
    SoftSynth synth_;
};

class AlsaMidiBackend final : public MidiBackend {
public:
    unsigned GetOutputCount() override
    {
        std::lock_guard lock(mutex_);
        return Lists() ? CountOf(*outList_) : 0;
    }
    std::u16string GetOutputName(unsigned port) override
    {
        std::lock_guard lock(mutex_);
        return Lists() ? NameOf(*outList_, port) : std::u16string();
    }
    std::unique_ptr<MidiOutputPort> OpenOutput(int port) override
    {
        if (port == kSynthesizer) {
            auto synth = std::make_unique<SynthOutputPort>();
            if (!synth->Open())
                return nullptr;
            return synth;
        }
        if (port < 0 || static_cast<unsigned>(port) >= GetOutputCount())
            return nullptr;
        try {
            auto out = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, kClientName);
            out->setErrorCallback(&IgnoreError, nullptr);
            out->openPort(static_cast<unsigned>(port), "Brindle Output");
            if (!out->isPortOpen())
                return nullptr;
            return std::make_unique<RtOutputPort>(std::move(out));
        } catch (const RtMidiError&) {
            return nullptr;
        }
    }

    unsigned GetInputCount() override
    {
        std::lock_guard lock(mutex_);
        return Lists() ? CountOf(*inList_) : 0;
    }
    std::u16string GetInputName(unsigned port) override
    {
        std::lock_guard lock(mutex_);
        return Lists() ? NameOf(*inList_, port) : std::u16string();
    }
    std::unique_ptr<MidiInputPort> OpenInput(unsigned port, MidiInputHandler handler) override
    {
        if (port >= GetInputCount() || !handler)
            return nullptr;
        auto in = std::make_unique<RtInputPort>(std::move(handler));
        if (!in->Open(port))
            return nullptr;
        return in;
    }

private:
    // The two sequencer clients that list the ports, made once: a system without a
    // sequencer keeps having none, and a port plugged in later shows in their listing.
    bool Lists()
    {
        if (!tried_) {
            tried_ = true;
            try {
                outList_ = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, kClientName);
                outList_->setErrorCallback(&IgnoreError, nullptr);
                inList_ = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, kClientName);
                inList_->setErrorCallback(&IgnoreError, nullptr);
            } catch (const RtMidiError&) {
                outList_.reset();
                inList_.reset();
            }
        }
        return outList_ && inList_;
    }

    static unsigned CountOf(RtMidi& list)
    {
        try {
            return list.getPortCount();
        } catch (const RtMidiError&) {
            return 0;
        }
    }

    static std::u16string NameOf(RtMidi& list, unsigned port)
    {
        try {
            if (port >= list.getPortCount())
                return {};
            return platform::Utf8ToUtf16(list.getPortName(port));
        } catch (const RtMidiError&) {
            return {};
        }
    }

    std::mutex mutex_;
    bool tried_ = false;
    std::unique_ptr<RtMidiOut> outList_;
    std::unique_ptr<RtMidiIn> inList_;
};

}  // namespace

std::unique_ptr<MidiBackend> CreateAlsaMidiBackend()
{
    return std::make_unique<AlsaMidiBackend>();
}

MidiBackend& MidiBackend::System()
{
    static const std::unique_ptr<MidiBackend> system = CreateAlsaMidiBackend();
    return *system;
}

}  // namespace brindle
