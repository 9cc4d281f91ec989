// The player driven by a clock on a thread of its own while the test thread calls it,
// as the program does with its millisecond timer.
#include <atomic>
#include <chrono>
#include <map>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "midi/midi_data.h"
#include "midi/midi_player.h"
#include "player_fakes.h"

namespace midi {
namespace {

using namespace midi::testing;
using namespace std::chrono_literals;

// Delivers a tick about every 50 us, counting milliseconds of playing time, so songs
// play some twenty times faster than real time. Stop waits for a tick in progress unless
// it is called from inside one.
class ThreadClock final : public PlayerClock {
public:
    ~ThreadClock()
    {
        stop_ = true;
        Join();
    }
    void Start() override
    {
        Stop();
        Join();
        stop_ = false;
        paused_ = false;
        thread_ = std::thread([this] { Run(); });
    }
    void SetPaused(bool paused) override { paused_ = paused; }
    void Stop() override
    {
        stop_ = true;
        if (std::this_thread::get_id() != clockThreadId_)
            Join();
    }
    void SetTarget(ClockTarget* target) override { target_ = target; }

private:
    void Join()
    {
        if (thread_.joinable())
            thread_.join();
    }
    void Run()
    {
        clockThreadId_ = std::this_thread::get_id();
        int elapsed = 0;
        while (!stop_) {
            ClockTarget* target = target_;
            if (!paused_ && target != nullptr)
                target->OnTick(elapsed++);
            std::this_thread::sleep_for(50us);
        }
    }

    std::thread thread_;
    std::atomic<std::thread::id> clockThreadId_{};
    std::atomic<bool> stop_{true};
    std::atomic<bool> paused_{false};
    std::atomic<ClockTarget*> target_{nullptr};
};

struct ThreadRig {
    ThreadRig()
    {
        data = create_midi_data();
        player = create_midi_player();
        player->SetClock(&clock);
        player->SetOutput(&sink);
        player->SetMidiData(data);
        player->SetListener(&listener);
        clock.SetTarget(player);
        data->AddTempo({0, 500000});
    }
    ~ThreadRig()
    {
        player->Reset();
        player->Release();
        data->Release();
    }
    ThreadRig(const ThreadRig&) = delete;
    ThreadRig& operator=(const ThreadRig&) = delete;

    // Notes of four tracks every 10 ticks, released by velocity-0 note-ons.
    void AddNotes(int lastTick)
    {
        for (int track = 0; track < 4; ++track) {
            std::vector<MidiEvent> events;
            for (int tick = 0; tick + 10 <= lastTick; tick += 10) {
                const int key = 48 + (tick / 10 + track * 3) % 24;
                events.push_back({tick, NoteOn(track, key, 100)});
                events.push_back({tick + 10, NoteOn(track, key, 0)});
            }
            data->AddTrack(track);
            data->GetTrack(track)->AddEvents(events);
        }
    }
    // Waits until the player has stopped itself, then for the clock thread to finish,
    // so that everything the last tick reported has arrived.
    bool WaitUntilStopped(std::chrono::milliseconds limit)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (player->IsPlaying()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(1ms);
        }
        clock.Stop();
        return true;
    }

    Journal journal;
    ThreadClock clock;
    FakeSink sink{journal};
    FakeListener listener{journal};
    MidiData* data = nullptr;
    MidiPlayer* player = nullptr;
};

// Whether every note the sink was told to strike was also released.
bool AllNotesReleased(const std::vector<std::uint32_t>& messages)
{
    std::map<std::uint32_t, bool> sounding;
    for (const std::uint32_t message : messages) {
        const std::uint32_t kind = message & 0xF0;
        if (kind == 0x90 || kind == 0x80)
            sounding[message & 0xFF0F] = kind == 0x90 && ((message >> 16) & 0xFF) != 0;
    }
    for (const auto& [key, on] : sounding) {
        if (on)
            return false;
    }
    return true;
}

TEST(MidiPlayerThreadTest, OwnerCallsDuringPlayAndResetLeaveNothingSounding)
{
    ThreadRig rig;
    rig.AddNotes(48000);
    rig.player->Start();
    for (int i = 0; i < 200; ++i) {
        rig.player->SetVolume(50 + i % 100);
        rig.player->SetSpeed(50 + i % 150);
        const TrackOptions options{true, i % 2 == 0};
        rig.player->SetTrackOptions(i % 4, &options);
        if (i % 20 == 0)
            rig.player->Pause(true);
        if (i % 20 == 5)
            rig.player->Pause(false);
        std::this_thread::sleep_for(200us);
    }
    rig.player->Pause(false);
    rig.player->Reset();
    EXPECT_FALSE(rig.player->IsPlaying());

    // The clock has stopped for good: nothing more arrives.
    const std::size_t size = rig.journal.Size();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(rig.journal.Size(), size);
    EXPECT_EQ(rig.journal.ReportCodes().back(), kPlayerReset);
    EXPECT_TRUE(AllNotesReleased(rig.journal.ShortMessages()));
}

TEST(MidiPlayerThreadTest, TheSongEndsOnTheClockThread)
{
    ThreadRig rig;
    rig.AddNotes(240);  // about 1000 ms of playing time
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        rig.journal.Clear();
        rig.player->Start();
        ASSERT_TRUE(rig.WaitUntilStopped(20s));
        const std::vector<std::int32_t> codes = rig.journal.ReportCodes();
        ASSERT_GE(codes.size(), 3u);
        EXPECT_EQ(codes.front(), kPlayerStarted);
        EXPECT_EQ(codes[codes.size() - 2], kPlayerEndReached);
        EXPECT_EQ(codes.back(), kPlayerReset);
        EXPECT_TRUE(AllNotesReleased(rig.journal.ShortMessages()));
    }
}

}  // namespace
}  // namespace midi
