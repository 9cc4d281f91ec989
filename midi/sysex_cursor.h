// The player's reading position in the song's system-exclusive records (internal).
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "midi/midi_records.h"

namespace midi {

class SysExCursor {
public:
    using Callback = std::function<void(const MidiByteRecord&)>;

    // Reads the live record vector, which must outlive the cursor unchanged.
    SysExCursor(const std::vector<MidiByteRecord>& records, Callback callback);

    // Passes every unsent record up to the tick, in order. True when records remain.
    bool Advance(int tick);
    // Passes every record before the tick, in order; the next advance goes on with the
    // first record at or after it.
    void Seek(int tick);

private:
    const std::vector<MidiByteRecord>& records_;
    std::ptrdiff_t index_ = -1;  // the last record sent
    Callback callback_;
};

}  // namespace midi
