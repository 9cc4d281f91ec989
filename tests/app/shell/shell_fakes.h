// Fakes for the shell's tests: a player that records how it was wired and counts the
// ticks of its clock, an output that records what is sent, and a view that records
// what the frame tells it.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/shell/brindle_view.h"
#include "midi/midi_out_sink.h"
#include "midi/midi_player.h"

namespace shell_test {

class RecordingPlayer final : public midi::MidiPlayer {
public:
    std::vector<std::string> calls;
    midi::PlayerClock* clock = nullptr;
    midi::MidiData* song = nullptr;
    midi::MidiOutSink* output = nullptr;
    std::atomic<int> ticks{0};
    bool released = false;
    int ticksAtRelease = -1;

    void OnTick(int) override { ++ticks; }
    void SetClock(midi::PlayerClock* c) override { calls.push_back("SetClock"); clock = c; }
    void SetOutput(midi::MidiOutSink* o) override { calls.push_back(o ? "SetOutput" : "SetOutput(null)"); output = o; }
    void SetMidiData(midi::MidiData* s) override { calls.push_back("SetMidiData"); song = s; }
    void SetListener(midi::PlayerListener*) override { calls.push_back("SetListener"); }
    void Start() override {}
    void Pause(bool) override {}
    void Reset() override {}
    bool IsPlaying() const override { return false; }
    void SetStartPosition(int) override {}
    void SetTrackOptions(int, const midi::TrackOptions*) override {}
    void SetBeatSubdivisions(int) override {}
    void SetSpeed(int) override {}
    void SetVolume(int) override {}
    // The test owns the object: Release only notes the moment.
    void Release() override
    {
        released = true;
        ticksAtRelease = ticks.load();
    }
};

class RecordingSink final : public midi::MidiOutSink {
public:
    std::vector<std::uint32_t> shortMessages;
    void Reset() override {}
    void SendShortMessage(std::uint32_t message) override { shortMessages.push_back(message); }
    void SendLongMessage(const std::uint8_t*, std::uint32_t) override {}
};

class RecordingView : public brindle::CBrindleView {
public:
    std::vector<int> tempos;
    int autosaves = 0;
    std::vector<brindle::TextStyleChange> styleChanges;
    int closeRequests = 0;

protected:
    void OnTempoChanged(int tempo) override
    {
        tempos.push_back(tempo);
        CBrindleView::OnTempoChanged(tempo);
    }
    void OnAutosave() override { ++autosaves; }
    void OnFreeTextFont(const brindle::TextStyleChange& change) override { styleChanges.push_back(change); }
    void OnClose() override
    {
        ++closeRequests;
        CBrindleView::OnClose();
    }
};

// Runs the event loop until `done` holds or `milliseconds` passed.
inline bool PumpUntil(const std::function<bool()>& done, int milliseconds = 2000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

inline void Pump()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

}  // namespace shell_test
