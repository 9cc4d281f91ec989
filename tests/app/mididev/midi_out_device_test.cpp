#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>
#include <vector>

#include "app/mididev/midi_out_device.h"
#include "tests/app/mididev/fake_midi_backend.h"

namespace {

using brindle::MidiOutDevice;
using mididev_test::Bytes;
using mididev_test::FakeMidiBackend;

// This machine, like the build machines, has no MIDI sequencer: the system's back end
// must show no port and open nothing, without failing.
TEST(MidiOutDeviceSystem, PortsBeyondTheListingHaveNoNameAndDoNotOpen)
{
    const unsigned count = MidiOutDevice::GetDeviceCount();
    std::error_code error;
    if (!std::filesystem::exists("/dev/snd/seq", error)) {
        EXPECT_EQ(count, 0u) << "no sequencer, yet ports are listed";
    }
    for (unsigned device = 0; device < count; ++device)
        EXPECT_FALSE(MidiOutDevice::GetDeviceName(device).empty());
    EXPECT_TRUE(MidiOutDevice::GetDeviceName(count).empty());
    EXPECT_TRUE(MidiOutDevice::GetDeviceName(0xFFFFFFFFu).empty());

    MidiOutDevice device;
    EXPECT_FALSE(device.Open(static_cast<int>(count)));
    EXPECT_FALSE(device.Open(-2));
    EXPECT_FALSE(device.IsOpen());
    device.SendShortMessage(0x643C90);
    const std::uint8_t sysex[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    device.SendLongMessage(sysex, sizeof sysex);
    device.Reset();
}

// Device -1 opens only where the synthesizer can be heard (a sound server or a sound
// card and a SoundFont); elsewhere, as on the build machines, it fails cleanly.
TEST(MidiOutDeviceSystem, SynthesizerOpensOrFailsCleanly)
{
    MidiOutDevice device;
    const bool opened = device.Open(-1);
    EXPECT_EQ(device.IsOpen(), opened);
    device.SendShortMessage(0x643C90);
    device.Reset();
    device.Close();
    EXPECT_FALSE(device.IsOpen());
}

TEST(MidiOutDevice, WithNoDeviceAtAllEveryOpenFailsAndSendsAreIgnored)
{
    FakeMidiBackend backend;  // no ports, no synthesizer
    MidiOutDevice device(backend);
    for (const int number : {-1, 0, 1})
        EXPECT_FALSE(device.Open(number)) << number;
    device.SendShortMessage(0x643C90);
    device.Reset();
    EXPECT_EQ(backend.openOutputs, 0);
    EXPECT_TRUE(backend.Sent().empty());
}

TEST(MidiOutDevice, OpeningAnOpenDeviceClosesItFirst)
{
    FakeMidiBackend backend;
    backend.outputs = {u"Port A", u"Port B"};
    backend.synthesizer = true;
    MidiOutDevice device(backend);
    ASSERT_TRUE(device.Open(0));
    ASSERT_TRUE(device.Open(-1));
    EXPECT_EQ(backend.openOutputs, 1);
    EXPECT_FALSE(device.Open(5));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(backend.openOutputs, 0);
    EXPECT_EQ(backend.outputOpens, (std::vector<int>{0, -1, 5}));
}

TEST(MidiOutDevice, SendsWellFormedBytesAndDropsMalformedMessages)
{
    FakeMidiBackend backend;
    backend.outputs = {u"Port A"};
    MidiOutDevice device(backend);
    ASSERT_TRUE(device.Open(0));
    device.SendShortMessage(0x643C90);
    device.SendShortMessage(0x05C9);
    device.SendShortMessage(0xF9);      // undefined: never a lone byte
    device.SendShortMessage(0xF0);      // a long message's start
    device.SendShortMessage(0x803C90);  // velocity with its top bit
    const std::uint8_t sysex[] = {0xF0, 0x41, 0x10, 0x42, 0xF7};
    device.SendLongMessage(sysex, sizeof sysex);
    device.SendLongMessage(nullptr, 4);
    device.SendLongMessage(sysex, 0);
    EXPECT_EQ(backend.Sent(), (std::vector<Bytes>{{0x90, 0x3C, 0x64},
                                                  {0xC9, 0x05},
                                                  {0xF0, 0x41, 0x10, 0x42, 0xF7}}));
}

TEST(MidiOutDevice, ResetReleasesThePedalAndEndsNotesOnEveryChannel)
{
    FakeMidiBackend backend;
    backend.outputs = {u"Port A"};
    MidiOutDevice device(backend);
    ASSERT_TRUE(device.Open(0));
    device.Reset();
    std::vector<Bytes> expected;
    for (std::uint8_t channel = 0; channel < 16; ++channel) {
        expected.push_back({static_cast<std::uint8_t>(0xB0 + channel), 64, 0});
        expected.push_back({static_cast<std::uint8_t>(0xB0 + channel), 123, 0});
    }
    EXPECT_EQ(backend.Sent(), expected);
}

TEST(MidiOutDevice, ClosedDeviceIgnoresSends)
{
    FakeMidiBackend backend;
    backend.outputs = {u"Port A"};
    MidiOutDevice device(backend);
    ASSERT_TRUE(device.Open(0));
    device.Close();
    device.Close();
    device.SendShortMessage(0x643C90);
    device.Reset();
    EXPECT_TRUE(backend.Sent().empty());
    EXPECT_EQ(backend.openOutputs, 0);
}

// The player, the metronome, the input echo and the window all send at once: every
// message must reach the port whole, one after the other.
TEST(MidiOutDevice, SendsFromManyThreadsNeverInterleave)
{
    FakeMidiBackend backend;
    backend.outputs = {u"Port A"};
    MidiOutDevice device(backend);
    ASSERT_TRUE(device.Open(0));
    constexpr int kThreads = 4;
    constexpr int kMessages = 2000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&device, t] {
            const std::uint8_t sysex[] = {0xF0, 0x7D, static_cast<std::uint8_t>(t), 0xF7};
            for (int i = 0; i < kMessages; ++i) {
                if (i % 2 == 0)
                    device.SendShortMessage(0x90u + static_cast<std::uint32_t>(t) + 0x643C00u);
                else
                    device.SendLongMessage(sysex, sizeof sysex);
            }
        });
    }
    // Reopening under the sends neither crashes nor loses the port.
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(device.Open(0));
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_FALSE(backend.Overlapped());
    EXPECT_EQ(backend.openOutputs, 1);
}

// The start-up opens the output on a worker while the player, the metronome and the
// input's echo may already send: a send waits for the device being opened instead of
// going nowhere, and the device is tried once, whoever asks first.
TEST(MidiOutDevice, SendsWhileTheDeviceOpensWaitForIt)
{
    struct Case {
        const char* what;
        int device;
        bool opens;
    };
    const Case cases[] = {
        {"a port that opens", 0, true},
        {"a port that is gone", 5, false},
    };
    constexpr int kSenders = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeMidiBackend backend;
        backend.outputs = {u"Port A"};
        MidiOutDevice device(backend);
        backend.HoldOutputOpens();
        device.OpenWhenUsed(c.device);
        bool opened = !c.opens;
        std::thread opener([&] { opened = device.IsOpen(); });
        ASSERT_TRUE(backend.WaitUntilOpenHeld());
        std::vector<std::thread> senders;
        for (int s = 0; s < kSenders; ++s)
            senders.emplace_back([&device, s] { device.SendShortMessage(0x640090u + (static_cast<std::uint32_t>(60 + s) << 8)); });
        // Let the sends reach the device while it is still opening.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        backend.ReleaseOutputOpens();
        opener.join();
        for (std::thread& sender : senders)
            sender.join();
        EXPECT_EQ(opened, c.opens);
        EXPECT_EQ(backend.outputOpens, std::vector<int>{c.device});
        EXPECT_EQ(backend.Sent().size(), c.opens ? std::size_t{kSenders} : 0u);
    }
}

// Closing (the program ends, another device is chosen) while the device is still being
// opened does not wait for the opening, and the port it brings is not kept.
TEST(MidiOutDevice, ClosingWhileTheDeviceOpensLeavesItClosed)
{
    FakeMidiBackend backend;
    backend.outputs = {u"Port A"};
    MidiOutDevice device(backend);
    backend.HoldOutputOpens();
    device.OpenWhenUsed(0);
    bool opened = true;
    std::thread opener([&] { opened = device.IsOpen(); });
    ASSERT_TRUE(backend.WaitUntilOpenHeld());
    device.Close();
    EXPECT_TRUE(backend.OpenHeld());
    backend.ReleaseOutputOpens();
    opener.join();
    EXPECT_FALSE(opened);
    EXPECT_EQ(backend.openOutputs, 0);
    device.SendShortMessage(0x643C90);
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(backend.outputOpens, std::vector<int>{0});
    EXPECT_TRUE(backend.Sent().empty());
}

}  // namespace
