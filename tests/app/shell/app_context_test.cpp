#include "app/shell/app_context.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/mididev/metronome.h"
#include "app/mididev/midi_out_device.h"
#include "app/settings/profile_file.h"
#include "shell_fakes.h"
#include "../mididev/fake_midi_backend.h"

namespace {

using brindle::AppContext;
using brindle::AppContextFactories;
using shell_test::RecordingPlayer;

class AppContextTest : public ::testing::Test {
protected:
    void TearDown() override { AppContext::Destroy(); }

    AppContextFactories Fakes()
    {
        AppContextFactories f;
        f.createPlayer = [this] { return &player_; };
        f.midiBackend = &backend_;
        return f;
    }

    RecordingPlayer player_;
    mididev_test::FakeMidiBackend backend_;
};

TEST_F(AppContextTest, InitWiresThePlayerToItsClockDataAndOutputInThatOrder)
{
    AppContext* context = AppContext::Create();
    ASSERT_EQ(AppContext::Instance(), context);
    ASSERT_TRUE(context->Init(Fakes()));

    EXPECT_EQ(player_.calls, (std::vector<std::string>{"SetClock", "SetMidiData", "SetOutput"}));
    EXPECT_NE(player_.clock, nullptr);
    EXPECT_EQ(player_.song, context->GetMidiData());
    EXPECT_EQ(player_.output, static_cast<midi::MidiOutSink*>(context->GetMidiOut()));
    EXPECT_EQ(context->GetPlayer(), &player_);
    EXPECT_NE(context->GetEditor(), nullptr);
    EXPECT_NE(context->GetMidiIn(), nullptr);
    EXPECT_NE(context->GetMetronome(), nullptr);
    EXPECT_TRUE(context->Missing().empty());
}

TEST_F(AppContextTest, MetronomeClicksNote34OnTheDownbeatAnd33OnTheOtherBeats)
{
    AppContext* context = AppContext::Create();
    ASSERT_TRUE(context->Init(Fakes()));
    shell_test::RecordingSink sink;
    context->GetMetronome()->SetOutput(&sink);
    context->GetMetronome()->OnBeat(0, 0, 0, 0);
    context->GetMetronome()->OnBeat(0, 1, 0, 480);
    context->GetMetronome()->SetOutput(nullptr);
    // Note-on on channel 10: status 0x99, then note and velocity.
    EXPECT_EQ(sink.shortMessages, (std::vector<std::uint32_t>{0x99u | 34u << 8 | 100u << 16, 0x99u | 33u << 8 | 80u << 16}));
}

TEST_F(AppContextTest, SettingsCopyTakenBeforeThePathIsSetSeesThePathLater)
{
    AppContext* context = AppContext::Create();
    ASSERT_TRUE(context->Init(Fakes()));
    auto early = context->GetSettingsFile();
    ASSERT_NE(early, nullptr);
    EXPECT_TRUE(early->GetPath().empty());
    context->GetSettingsFile()->SetNativePath("/tmp/Tansy.ini");
    EXPECT_EQ(early->GetPath(), std::filesystem::path("/tmp/Tansy.ini"));
    EXPECT_EQ(early.use_count(), 2);
}

TEST_F(AppContextTest, CursorsZeroToThreeAreLoadedAndAnUnknownKeyIsAddedAsNull)
{
    AppContext* context = AppContext::Create();
    ASSERT_TRUE(context->Init(Fakes()));
    for (int key = 0; key <= 3; ++key)
        EXPECT_NE(context->GetCursor(key), nullptr) << key;
    EXPECT_EQ(context->CursorCount(), 4u);
    EXPECT_EQ(context->GetCursor(7), nullptr);
    EXPECT_EQ(context->CursorCount(), 5u);
}

TEST_F(AppContextTest, FailedCreationIsReportedByName)
{
    AppContextFactories f = Fakes();
    f.createPlayer = [] { return static_cast<midi::MidiPlayer*>(nullptr); };
    f.createMidiData = [] { return static_cast<midi::MidiData*>(nullptr); };
    AppContext* context = AppContext::Create();
    EXPECT_FALSE(context->Init(f));
    EXPECT_EQ(context->Missing(), (std::vector<std::u16string>{u"MIDI播放器", u"MIDI数据"}));
    EXPECT_EQ(context->GetPlayer(), nullptr);
    EXPECT_NE(context->GetMetronome(), nullptr);
    // Destroying a half-made context is safe.
    AppContext::Destroy();
    EXPECT_EQ(AppContext::Instance(), nullptr);
}

TEST_F(AppContextTest, DestroyStopsARunningPlayerClockBeforeThePlayerIsReleased)
{
    AppContext* context = AppContext::Create();
    ASSERT_TRUE(context->Init(Fakes()));
    ASSERT_NE(player_.clock, nullptr);
    player_.clock->Start();
    ASSERT_TRUE(shell_test::PumpUntil([this] { return player_.ticks.load() > 3; }));

    AppContext::Destroy();
    ASSERT_TRUE(player_.released);
    const int afterRelease = player_.ticks.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(player_.ticks.load(), afterRelease);
    EXPECT_EQ(player_.ticksAtRelease, afterRelease);
    // The output was detached before the device went.
    EXPECT_EQ(player_.calls.back(), "SetOutput(null)");
    EXPECT_EQ(AppContext::Instance(), nullptr);
}

TEST_F(AppContextTest, CreateAgainReplacesTheContext)
{
    AppContext::Create()->Init(Fakes());
    AppContext* second = AppContext::Create();
    EXPECT_EQ(AppContext::Instance(), second);
    EXPECT_EQ(second->GetEditor(), nullptr);
}

}  // namespace
