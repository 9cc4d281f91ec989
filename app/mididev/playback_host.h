// What the playback commands need of the score view: building the song from the score,
// starting and stopping the MIDI input, and redrawing.
#pragma once

#include "midi/midi_data.h"

namespace brindle {

class PlaybackHost {
public:
    // Exports the score into a fresh score record and builds the song from it.
    virtual void BuildSong(midi::MidiData& song) = 0;
    // Starts the MIDI input; false when there is no open input.
    virtual bool StartInput() = 0;
    virtual void StopInput() = 0;
    // Redraws the whole view. Called on the player clock's thread too (the end of the
    // song): there it must only post.
    virtual void RedrawView() = 0;

protected:
    PlaybackHost() = default;
    ~PlaybackHost() = default;
};

}  // namespace brindle
