// Fakes for the shell's tests: a player that records how it was wired, counts the ticks
// of its clock and keeps the state the playback commands give it, an output that records
// what is sent, and a view that records what the frame tells it.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/shell/brindle_view.h"
#include "midi/midi_data.h"
#include "midi/midi_out_sink.h"
#include "midi/midi_player.h"
#include "midi/player_listener.h"

namespace shell_test {

// Plays nothing: starting and resetting only change its state, and a reset is reported to
// its listener as the real player reports it (also on another thread, through EndSong).
class RecordingPlayer final : public midi::MidiPlayer {
public:
    std::vector<std::string> calls;
    midi::PlayerClock* clock = nullptr;
    midi::MidiData* song = nullptr;
    midi::MidiOutSink* output = nullptr;
    std::atomic<int> ticks{0};
    bool released = false;
    int ticksAtRelease = -1;
    std::atomic<midi::PlayerListener*> listener{nullptr};
    std::atomic<bool> playing{false};
    std::atomic<int> starts{0};
    std::atomic<int> resets{0};
    std::atomic<int> speed{100};
    std::atomic<int> startPosition{0};
    // How many notes the song had when playback last started.
    std::atomic<std::size_t> notesAtStart{0};

    void OnTick(int) override { ++ticks; }
    void SetClock(midi::PlayerClock* c) override { calls.push_back("SetClock"); clock = c; }
    void SetOutput(midi::MidiOutSink* o) override { calls.push_back(o ? "SetOutput" : "SetOutput(null)"); output = o; }
    void SetMidiData(midi::MidiData* s) override { calls.push_back("SetMidiData"); song = s; }
    void SetListener(midi::PlayerListener* l) override
    {
        calls.push_back(l ? "SetListener" : "SetListener(null)");
        listener = l;
    }
    void Start() override
    {
        std::size_t notes = 0;
        if (song != nullptr)
            for (const int id : song->GetTrackIds())
                if (const midi::MidiTrack* track = song->GetTrack(id))
                    for (const midi::MidiEvent& event : track->GetEvents())
                        if ((event.message & 0xF0) == 0x90 && (event.message >> 16 & 0x7F) != 0)
                            ++notes;
        notesAtStart = notes;
        ++starts;
        playing = true;
    }
    void Pause(bool) override {}
    void Reset() override
    {
        ++resets;
        playing = false;
        startPosition = 0;
        Report({midi::kPlayerReset, 0, 0});
    }
    bool IsPlaying() const override { return playing; }
    void SetStartPosition(int tick) override { startPosition = tick; }
    void SetTrackOptions(int, const midi::TrackOptions*) override {}
    void SetBeatSubdivisions(int) override {}
    void SetSpeed(int percent) override { speed = percent; }
    void SetVolume(int) override {}
    // The test owns the object: Release only notes the moment.
    void Release() override
    {
        released = true;
        ticksAtRelease = ticks.load();
    }

    void Report(midi::PlayerEvent event)
    {
        if (midi::PlayerListener* l = listener.load())
            l->OnPlayerEvent(&event);
    }
    // The last events played: the player resets itself, as it does on its clock's thread.
    void EndSong() { Reset(); }
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
