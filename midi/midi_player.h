// Plays a MidiData in real time. The player owns no timer and no device: a PlayerClock
// calls its Tick (its ClockTarget::OnTick) with the milliseconds of playing time, and the
// player sends every event that has come due to a MidiOutSink and reports its state and
// position to a PlayerListener. Created by create_midi_player, destroyed only through
// Release after Reset has stopped the clock.
//
// Tick runs on the clock's thread; the other operations on the owner's thread. The
// owner must not change, clear or release the song between Start and Reset.
#pragma once

#include "midi/clock_target.h"
#include "midi/midi_data.h"
#include "midi/midi_out_sink.h"
#include "midi/player_clock.h"
#include "midi/player_listener.h"

namespace midi {

// How one track plays: play off mutes it (only its note releases are sent); echo on
// reports its note-ons and note-offs as kPlayerNoteEcho.
struct TrackOptions {
    bool play = true;
    bool echo = false;
};

class MidiPlayer : public ClockTarget {
public:
    // The clock's tick (ClockTarget::OnTick): plays what is due after that many
    // milliseconds since Start.
    void Tick(int milliseconds) { OnTick(milliseconds); }

    // Stores the pointer (null detaches). Nothing is owned. The clock must be set before
    // Start, Pause or Reset, the song before Start.
    virtual void SetClock(PlayerClock* clock) = 0;
    virtual void SetOutput(MidiOutSink* output) = 0;
    virtual void SetMidiData(MidiData* song) = 0;
    virtual void SetListener(PlayerListener* listener) = 0;
    // Resets all controllers, sends the expression of every channel, chases program and
    // control changes up to the start position, reports 2001 and starts the clock.
    // Does nothing while playing.
    virtual void Start() = 0;
    // Pauses or resumes the clock; while playing, held notes are silenced or struck
    // again. Reports 2003.
    virtual void Pause(bool paused) = 0;
    // Stops the clock, silences held notes, rewinds to tick 0 and reports 2002.
    virtual void Reset() = 0;
    virtual bool IsPlaying() const = 0;
    // Where the next Start begins; Reset sets it back to 0.
    virtual void SetStartPosition(int tick) = 0;
    // Options for a track identifier, effective from that track's next event.
    virtual void SetTrackOptions(int trackId, const TrackOptions* options) = 0;
    // Subdivisions per beat of the position reports, used from the next Start.
    virtual void SetBeatSubdivisions(int subdivisions) = 0;
    // Playing speed in percent, applied from the next tick without a jump.
    virtual void SetSpeed(int percent) = 0;
    // Master volume in percent (0 or less: silent), sent at once as the expression
    // controller of every channel.
    virtual void SetVolume(int percent) = 0;
    // Destroys the object; sends nothing and does not stop the clock.
    virtual void Release() = 0;

protected:
    MidiPlayer() = default;
    MidiPlayer(const MidiPlayer&) = delete;
    MidiPlayer& operator=(const MidiPlayer&) = delete;
    ~MidiPlayer() = default;
};

}  // namespace midi

// A new stopped player at speed and volume 100; null when out of memory.
extern "C" __attribute__((visibility("default"))) midi::MidiPlayer* create_midi_player();
