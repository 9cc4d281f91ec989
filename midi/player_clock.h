// The clock that drives a ClockTarget about every millisecond. Implemented outside the
// MIDI library; the owner destroys the concrete object.
#pragma once

#include "midi/clock_target.h"

namespace midi {

class PlayerClock {
public:
    // Starts (or restarts) calling the target's OnTick with the milliseconds since this
    // start, from 0.
    virtual void Start() = 0;
    // While paused no tick arrives and the count does not advance.
    virtual void SetPaused(bool paused) = 0;
    // No further tick. When called from another thread than the clock's, returns only
    // after a tick in progress has finished; when called from inside a tick, returns at
    // once.
    virtual void Stop() = 0;
    // The object that receives the ticks (null: none).
    virtual void SetTarget(ClockTarget* target) = 0;

protected:
    ~PlayerClock() = default;
};

}  // namespace midi
