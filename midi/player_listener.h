// What a MidiPlayer reports about its state and position.
#pragma once

#include <cstdint>

namespace midi {

// Report codes of PlayerEvent.
enum PlayerEventCode : std::int32_t {
    kPlayerStarted = 2001,         // Start has started the clock
    kPlayerReset = 2002,           // Reset has finished
    kPlayerPauseChanged = 2003,    // param1: 1 paused, 0 resumed
    kPlayerEndReached = 2004,      // no track has events left
    kPlayerPosition = 2005,        // param1: bar * 65536 + beat * 256 + subdivision; param2: tick
    kPlayerNoteEcho = 2006,        // param1: the packed note message; param2: its tick
};

struct PlayerEvent {
    std::int32_t code = 0;
    std::int32_t param1 = 0;
    std::int32_t param2 = 0;
};

// Receives the player's reports, on the thread that caused them (the clock's thread for
// everything a tick triggers). The event is valid only during the call. The player never
// holds its lock while reporting, so the listener may call the player back.
class PlayerListener {
public:
    virtual void OnPlayerEvent(const PlayerEvent* event) = 0;

protected:
    ~PlayerListener() = default;
};

}  // namespace midi
