// Fakes around the MIDI player: a clock driven by hand, a sink and a listener that write
// everything into one journal, so tests can check the order of sends, clock calls and
// reports together.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "midi/midi_out_sink.h"
#include "midi/player_clock.h"
#include "midi/player_listener.h"

namespace midi::testing {

struct JournalEntry {
    enum Kind { kShort, kLong, kReport, kClockStart, kClockStop, kClockPaused };
    Kind kind = kShort;
    std::uint32_t message = 0;        // kShort
    std::vector<std::uint8_t> bytes;  // kLong
    PlayerEvent event;                // kReport
    bool paused = false;              // kClockPaused
};

// Thread-safe, since the threaded tests write from the clock's thread.
class Journal {
public:
    void Add(JournalEntry entry)
    {
        std::lock_guard lock(mutex_);
        entries_.push_back(std::move(entry));
    }
    std::vector<JournalEntry> Entries() const
    {
        std::lock_guard lock(mutex_);
        return entries_;
    }
    void Clear()
    {
        std::lock_guard lock(mutex_);
        entries_.clear();
    }
    std::size_t Size() const
    {
        std::lock_guard lock(mutex_);
        return entries_.size();
    }
    std::vector<std::uint32_t> ShortMessages() const
    {
        std::vector<std::uint32_t> result;
        for (const JournalEntry& entry : Entries()) {
            if (entry.kind == JournalEntry::kShort)
                result.push_back(entry.message);
        }
        return result;
    }
    std::vector<PlayerEvent> Reports() const
    {
        std::vector<PlayerEvent> result;
        for (const JournalEntry& entry : Entries()) {
            if (entry.kind == JournalEntry::kReport)
                result.push_back(entry.event);
        }
        return result;
    }
    std::vector<std::int32_t> ReportCodes() const
    {
        std::vector<std::int32_t> result;
        for (const PlayerEvent& event : Reports())
            result.push_back(event.code);
        return result;
    }

private:
    mutable std::mutex mutex_;
    std::vector<JournalEntry> entries_;
};

class FakeSink final : public MidiOutSink {
public:
    explicit FakeSink(Journal& journal) : journal_(journal) {}
    void Reset() override {}
    void SendShortMessage(std::uint32_t message) override
    {
        journal_.Add({JournalEntry::kShort, message, {}, {}, false});
    }
    void SendLongMessage(const std::uint8_t* data, std::uint32_t length) override
    {
        journal_.Add({JournalEntry::kLong, 0, {data, data + length}, {}, false});
    }

private:
    Journal& journal_;
};

class FakeListener final : public PlayerListener {
public:
    explicit FakeListener(Journal& journal) : journal_(journal) {}
    void OnPlayerEvent(const PlayerEvent* event) override
    {
        journal_.Add({JournalEntry::kReport, 0, {}, *event, false});
    }

private:
    Journal& journal_;
};

// A clock the test drives by calling the player's Tick itself.
class FakeClock final : public PlayerClock {
public:
    explicit FakeClock(Journal& journal) : journal_(journal) {}
    void Start() override
    {
        running = true;
        journal_.Add({JournalEntry::kClockStart, 0, {}, {}, false});
    }
    void SetPaused(bool value) override
    {
        paused = value;
        journal_.Add({JournalEntry::kClockPaused, 0, {}, {}, value});
    }
    void Stop() override
    {
        running = false;
        journal_.Add({JournalEntry::kClockStop, 0, {}, {}, false});
    }
    void SetTarget(ClockTarget* value) override { target = value; }

    bool running = false;
    bool paused = false;
    ClockTarget* target = nullptr;

private:
    Journal& journal_;
};

// Packed messages.
constexpr std::uint32_t NoteOn(int channel, int key, int velocity)
{
    return 0x90u + static_cast<std::uint32_t>(channel) + (static_cast<std::uint32_t>(key) << 8) +
           (static_cast<std::uint32_t>(velocity) << 16);
}
constexpr std::uint32_t NoteOff(int channel, int key)
{
    return 0x80u + static_cast<std::uint32_t>(channel) + (static_cast<std::uint32_t>(key) << 8);
}
constexpr std::uint32_t Control(int channel, int controller, int value)
{
    return 0xB0u + static_cast<std::uint32_t>(channel) +
           (static_cast<std::uint32_t>(controller) << 8) + (static_cast<std::uint32_t>(value) << 16);
}
constexpr std::uint32_t Program(int channel, int program)
{
    return 0xC0u + static_cast<std::uint32_t>(channel) + (static_cast<std::uint32_t>(program) << 8);
}

}  // namespace midi::testing
