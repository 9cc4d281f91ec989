// Everything a PlayerClock drives: the MIDI player, the metronome.
#pragma once

namespace midi {

class ClockTarget {
public:
    // One tick of the clock. Elapsed is the number of ticks delivered before this one
    // since the clock was last started (0 on the first call): milliseconds of unpaused
    // running time. Called on the clock's thread.
    virtual void OnTick(int elapsed) = 0;

protected:
    ~ClockTarget() = default;
};

}  // namespace midi
