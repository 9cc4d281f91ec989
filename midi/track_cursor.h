// The player's reading position in one track (internal): what has been sent and which
// notes are sounding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "midi/midi_records.h"

namespace midi {

class TrackCursor {
public:
    using Callback = std::function<void(const MidiEvent&)>;

    // Reads the live event vector, which must outlive the cursor unchanged.
    TrackCursor(const std::vector<MidiEvent>& events, Callback callback);

    // Passes every unsent event up to the tick, in order, to the callback and keeps track
    // of the notes it starts and ends. True when an unsent event remains.
    bool Advance(int tick);
    // Makes the first event at or after the tick the next to send, passing on the last
    // program change of every channel and the last control change of every controller
    // and channel met before it (programs first, by channel; then controls by controller
    // and channel). Notes before the tick are not struck. A track that ends before the
    // tick is passed over silently.
    void Seek(int tick);
    // Paused: passes a velocity-0 note-on for every held note; resumed: passes every held
    // note-on again. Held notes stay as they are.
    void Pause(bool paused);
    // Silences the held notes, as Pause(true).
    void Silence() { Pause(true); }

    bool HasEventsLeft() const;

private:
    const std::vector<MidiEvent>& events_;
    std::ptrdiff_t index_ = -1;  // the last event sent
    std::map<std::uint32_t, MidiEvent> heldNotes_;  // by message & 0xFF0F: channel and note
    Callback callback_;
};

}  // namespace midi
