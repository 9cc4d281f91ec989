// The events of one track chunk of a standard MIDI file while it is assembled: each
// with its absolute tick and its bytes without the delta time, then sorted and turned
// into delta times.
//
// What goes into a file is always well-formed: ticks lie between 0 and the largest
// delta a four-byte variable-length number holds, data bytes of channel messages are
// masked to seven bits, a message without a channel status is left out, and texts
// longer than a length can say are cut.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "midi/midi_records.h"

namespace brindle {

// The largest number a variable-length quantity of four bytes holds.
inline constexpr int kMaxVarLen = 0x0FFFFFFF;

// The MIDI variable-length quantity: seven bits a byte, most significant first, bit 7
// set on every byte but the last. Values are held between 0 and kMaxVarLen, so at most
// four bytes come out.
std::vector<std::uint8_t> EncodeVarLen(int value);

// The largest k with 2^k <= x for x >= 1; -1 for x < 1.
int FloorLog2(int x);

struct MidiFileEvent {
    int tick = 0;  // absolute until ToDeltas
    std::vector<std::uint8_t> bytes;
};

class MidiFileEventList {
public:
    // A meta event of the type at tick 0: FF, type, length, text.
    void AddMeta(const std::string& text, int type);
    // A meta event of the type at the record's tick.
    void AddTimedMeta(const midi::MidiTextRecord& record, int type);
    // Sequencer-specific data: FF 7F, length, data.
    void AddSequencerData(const midi::MidiByteRecord& record);
    // FF 51 03 and three bytes of microseconds per quarter; a tempo of zero or less is
    // left out, one above 24 bits is held at the slowest.
    void AddTempo(const midi::MidiTempoRecord& record);
    // FF 58 04, numerator, power of two of the denominator, clocks per click, 32nds per
    // quarter (low bytes); a meter with a numerator or denominator below 1 is left out.
    void AddTimeSignature(const midi::MidiMeterRecord& record);
    // FF 59 02, sharps or flats, minor flag (low bytes).
    void AddKeySignature(const midi::MidiKeyRecord& record);
    // F0, the length of the rest, the rest; a record that does not begin with F0 is left
    // out.
    void AddSysEx(const midi::MidiByteRecord& record);
    // A channel message with its own status byte (no running status): three bytes, two
    // for program changes and channel pressure.
    void AddChannelMessage(const midi::MidiEvent& event);

    // By tick, stable; at one tick sounding note-ons go after everything else, so that
    // a note ending where another of its key starts never silences it.
    void SortByTick();
    // Each tick becomes its distance from the tick before it (the first from 0).
    void ToDeltas();

    const std::vector<MidiFileEvent>& Events() const { return events_; }

private:
    void Add(int tick, std::vector<std::uint8_t> bytes);
    void AddMetaBytes(int tick, int type, const std::uint8_t* data, std::size_t length);

    std::vector<MidiFileEvent> events_;
};

}  // namespace brindle
