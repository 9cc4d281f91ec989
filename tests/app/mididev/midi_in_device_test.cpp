#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <system_error>
#include <mutex>
#include <thread>
#include <vector>

#include "app/mididev/midi_in_device.h"
#include "tests/app/mididev/fake_midi_backend.h"

namespace {

using brindle::MidiInDevice;
using brindle::MidiInMessage;
using mididev_test::Bytes;
using mididev_test::FakeMidiBackend;
using namespace std::chrono_literals;

// Keeps a copy of what each message carried (the bytes of a long message included).
struct Received {
    std::uint32_t code = 0;
    std::uintptr_t first = 0;
    std::uintptr_t second = 0;
    Bytes bytes;
};

class RecordingListener final : public brindle::MidiInListener {
public:
    void OnMidiIn(const MidiInMessage* message) override
    {
        Received copy{message->code, message->first, message->second, {}};
        if (message->code == brindle::kMidiInLongData) {
            const auto* data = reinterpret_cast<const std::uint8_t*>(message->first);
            copy.bytes.assign(data, data + message->second);
        }
        {
            std::lock_guard lock(mutex_);
            received_.push_back(copy);
        }
        if (action)
            action();
    }
    std::vector<Received> Messages() const
    {
        std::lock_guard lock(mutex_);
        return received_;
    }

    std::function<void()> action;

private:
    mutable std::mutex mutex_;
    std::vector<Received> received_;
};

struct InputFixture : ::testing::Test {
    InputFixture()
    {
        backend.inputs = {u"Keyboard", u"Pads"};
        device.SetListener(&listener);
    }
    FakeMidiBackend backend;
    RecordingListener listener;
    MidiInDevice device{backend};
};

TEST_F(InputFixture, MessagesArriveOnlyBetweenStartAndStop)
{
    ASSERT_TRUE(device.Open(0));
    backend.Receive({0x90, 0x3C, 0x64});  // opened, not started
    ASSERT_TRUE(device.Start());
    backend.Receive({0x90, 0x3E, 0x50});
    device.Stop();
    backend.Receive({0x80, 0x3E, 0x00});
    ASSERT_TRUE(device.Start());
    backend.Receive({0xC0, 0x05});
    device.Close();
    backend.Receive({0x80, 0x3C, 0x00});

    const std::vector<Received> messages = listener.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].code, brindle::kMidiInData);
    EXPECT_EQ(messages[0].first, 0x503E90u);
    EXPECT_EQ(messages[1].first, 0x05C0u);
}

TEST_F(InputFixture, StartFailsWhenClosedAndNegativeDeviceDoesNotOpen)
{
    EXPECT_FALSE(device.Start());
    EXPECT_FALSE(device.Open(-1));
    EXPECT_FALSE(device.Open(2));
    EXPECT_FALSE(device.IsOpen());
}

TEST_F(InputFixture, ReopeningClosesFirstAndLeavesInputStopped)
{
    ASSERT_TRUE(device.Open(0));
    ASSERT_TRUE(device.Start());
    ASSERT_TRUE(device.Open(1));
    EXPECT_EQ(backend.openInputs, 1);
    EXPECT_FALSE(device.IsStarted());
    backend.Receive({0x90, 0x3C, 0x64});
    EXPECT_TRUE(listener.Messages().empty());
}

TEST_F(InputFixture, LongMessageCarriesTheBufferAddressAndLength)
{
    ASSERT_TRUE(device.Open(0));
    ASSERT_TRUE(device.Start());
    const Bytes sysex = {0xF0, 0x43, 0x10, 0x4C, 0x00, 0xF7};
    backend.Receive(sysex);
    Bytes large(2500, 0x11);
    large.front() = 0xF0;
    large.back() = 0xF7;
    backend.Receive(large);

    const std::vector<Received> messages = listener.Messages();
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].code, brindle::kMidiInLongData);
    EXPECT_EQ(messages[0].second, sysex.size());
    EXPECT_EQ(messages[0].bytes, sysex);
    // A block longer than the buffer comes in pieces of the buffer's size.
    Bytes joined;
    for (std::size_t i = 1; i < messages.size(); ++i) {
        EXPECT_LE(messages[i].second, MidiInDevice::kBufferSize);
        joined.insert(joined.end(), messages[i].bytes.begin(), messages[i].bytes.end());
    }
    EXPECT_EQ(joined, large);
}

TEST_F(InputFixture, TimeStampCountsFromStart)
{
    ASSERT_TRUE(device.Open(0));
    ASSERT_TRUE(device.Start());
    std::this_thread::sleep_for(30ms);
    backend.Receive({0x90, 0x3C, 0x64});
    const std::vector<Received> messages = listener.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_GE(messages[0].second, 25u);
    EXPECT_LT(messages[0].second, 5000u);
}

TEST_F(InputFixture, NoListenerNoCall)
{
    device.SetListener(nullptr);
    ASSERT_TRUE(device.Open(0));
    ASSERT_TRUE(device.Start());
    backend.Receive({0x90, 0x3C, 0x64});
    EXPECT_TRUE(listener.Messages().empty());
}

// Stop on the window's thread while the input thread is inside the listener: Stop
// waits for that call, and nothing arrives afterwards.
TEST_F(InputFixture, StopWaitsForTheListenerCallInProgress)
{
    ASSERT_TRUE(device.Open(0));
    ASSERT_TRUE(device.Start());
    std::atomic<bool> inside{false};
    std::atomic<bool> done{false};
    listener.action = [&] {
        inside = true;
        std::this_thread::sleep_for(30ms);
        done = true;
    };
    std::thread input([&] { backend.Receive({0x90, 0x3C, 0x64}); });
    while (!inside)
        std::this_thread::sleep_for(1ms);
    device.Stop();
    EXPECT_TRUE(done);
    input.join();
    listener.action = nullptr;
    backend.Receive({0x80, 0x3C, 0x00});
    EXPECT_EQ(listener.Messages().size(), 1u);
}

TEST_F(InputFixture, StopAndCloseFromInsideTheListenerReturn)
{
    ASSERT_TRUE(device.Open(0));
    ASSERT_TRUE(device.Start());
    listener.action = [&] { device.Close(); };
    std::thread input([&] { backend.Receive({0x90, 0x3C, 0x64}); });
    input.join();
    EXPECT_FALSE(device.IsOpen());
    backend.Receive({0x80, 0x3C, 0x00});
    EXPECT_EQ(listener.Messages().size(), 1u);
    listener.action = nullptr;
    // The next open lets the retired port go.
    ASSERT_TRUE(device.Open(0));
    EXPECT_EQ(backend.openInputs, 1);
}

TEST(MidiInDeviceSystem, PortsBeyondTheListingHaveNoNameAndDoNotOpen)
{
    const unsigned count = MidiInDevice::GetDeviceCount();
    std::error_code error;
    if (!std::filesystem::exists("/dev/snd/seq", error)) {
        EXPECT_EQ(count, 0u) << "no sequencer, yet ports are listed";
    }
    for (unsigned port = 0; port < count; ++port)
        EXPECT_FALSE(MidiInDevice::GetDeviceName(port).empty());
    EXPECT_TRUE(MidiInDevice::GetDeviceName(count).empty());
    MidiInDevice device;
    EXPECT_FALSE(device.Open(static_cast<int>(count)));
    EXPECT_FALSE(device.Open(-1));
    EXPECT_FALSE(device.Start());
    device.Stop();
    device.Close();
}

TEST(MidiInDevice, WithNoDeviceAtAllCountsAreZeroAndOpensFail)
{
    FakeMidiBackend backend;
    MidiInDevice device(backend);
    EXPECT_EQ(backend.GetInputCount(), 0u);
    EXPECT_TRUE(backend.GetInputName(0).empty());
    EXPECT_FALSE(device.Open(0));
    EXPECT_FALSE(device.Start());
}

}  // namespace
