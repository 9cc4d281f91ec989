// A MIDI back end for tests: a given list of output and input ports, each open port
// recording what is sent to it, and inputs that the test feeds by hand (from any
// thread), as a MIDI keyboard would. Opening an output can be held, as a synthesizer
// loading its SoundFont holds whoever opens it.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/mididev/midi_backend.h"

namespace mididev_test {

using Bytes = std::vector<std::uint8_t>;
using brindle::MidiInputHandler;

class FakeMidiBackend final : public brindle::MidiBackend {
public:
    struct OutputLog {
        std::mutex mutex;
        std::vector<Bytes> sent;
        std::atomic<bool> sending{false};
        std::atomic<bool> overlapped{false};  // two sends at once: the device let them interleave
    };

    std::vector<std::u16string> outputs;
    std::vector<std::u16string> inputs;
    bool synthesizer = false;  // whether output -1 opens

    // Every output opened, in order, with the number it was opened for.
    std::vector<int> outputOpens;
    std::atomic<int> openOutputs{0};
    std::atomic<int> openInputs{0};

    std::vector<Bytes> Sent()
    {
        std::lock_guard lock(log_->mutex);
        return log_->sent;
    }
    void ClearSent()
    {
        std::lock_guard lock(log_->mutex);
        log_->sent.clear();
    }
    bool Overlapped() const { return log_->overlapped.load(); }

    // While held, OpenOutput waits until released (or, so that a test that goes wrong
    // ends, until 10 s have passed) before it does anything.
    void HoldOutputOpens()
    {
        std::lock_guard lock(gateMutex_);
        held_ = true;
    }
    void ReleaseOutputOpens()
    {
        {
            std::lock_guard lock(gateMutex_);
            held_ = false;
        }
        gateChanged_.notify_all();
    }
    // Waits until an OpenOutput is waiting at the gate; false after 5 s.
    bool WaitUntilOpenHeld()
    {
        std::unique_lock lock(gateMutex_);
        return gateChanged_.wait_for(lock, std::chrono::seconds(5), [this] { return waitingOpens_ > 0; });
    }
    // Whether an OpenOutput is waiting at the gate now.
    bool OpenHeld()
    {
        std::lock_guard lock(gateMutex_);
        return waitingOpens_ > 0;
    }

    // Feeds bytes to the open input port, as its input thread would.
    void Receive(const Bytes& bytes)
    {
        MidiInputHandler handler;
        {
            std::lock_guard lock(inputMutex_);
            handler = handler_;
        }
        if (handler)
            handler(bytes.data(), bytes.size());
    }

    unsigned GetOutputCount() override { return static_cast<unsigned>(outputs.size()); }
    std::u16string GetOutputName(unsigned port) override
    {
        return port < outputs.size() ? outputs[port] : std::u16string();
    }
    std::unique_ptr<brindle::MidiOutputPort> OpenOutput(int port) override
    {
        {
            std::unique_lock lock(gateMutex_);
            ++waitingOpens_;
            gateChanged_.notify_all();
            gateChanged_.wait_for(lock, std::chrono::seconds(10), [this] { return !held_; });
            --waitingOpens_;
        }
        outputOpens.push_back(port);
        const bool known = port == kSynthesizer ? synthesizer
                                                : port >= 0 && static_cast<std::size_t>(port) < outputs.size();
        if (!known)
            return nullptr;
        return std::make_unique<OutputPort>(*this);
    }

    unsigned GetInputCount() override { return static_cast<unsigned>(inputs.size()); }
    std::u16string GetInputName(unsigned port) override
    {
        return port < inputs.size() ? inputs[port] : std::u16string();
    }
    std::unique_ptr<brindle::MidiInputPort> OpenInput(unsigned port, MidiInputHandler handler) override
    {
        if (port >= inputs.size())
            return nullptr;
        return std::make_unique<InputPort>(*this, std::move(handler));
    }

private:
    class OutputPort final : public brindle::MidiOutputPort {
    public:
        explicit OutputPort(FakeMidiBackend& backend) : backend_(backend), log_(backend.log_)
        {
            ++backend_.openOutputs;
        }
        ~OutputPort() override { --backend_.openOutputs; }
        void Send(const std::uint8_t* bytes, std::size_t length) override
        {
            if (log_->sending.exchange(true))
                log_->overlapped = true;
            {
                std::lock_guard lock(log_->mutex);
                log_->sent.emplace_back(bytes, bytes + length);
            }
            log_->sending = false;
        }

    private:
        FakeMidiBackend& backend_;
        std::shared_ptr<OutputLog> log_;
    };

    class InputPort final : public brindle::MidiInputPort {
    public:
        InputPort(FakeMidiBackend& backend, MidiInputHandler handler) : backend_(backend)
        {
            std::lock_guard lock(backend_.inputMutex_);
            backend_.handler_ = std::move(handler);
            ++backend_.openInputs;
        }
        ~InputPort() override
        {
            std::lock_guard lock(backend_.inputMutex_);
            backend_.handler_ = nullptr;
            --backend_.openInputs;
        }

    private:
        FakeMidiBackend& backend_;
    };

    std::shared_ptr<OutputLog> log_ = std::make_shared<OutputLog>();
    std::mutex inputMutex_;
    MidiInputHandler handler_;
    std::mutex gateMutex_;
    std::condition_variable gateChanged_;
    bool held_ = false;
    int waitingOpens_ = 0;
};

}  // namespace mididev_test
