// The timed records of a MIDI song: channel events packed as short messages, and the
// meta and system-exclusive records kept beside them. Plain value records; times are
// absolute ticks from the start of the song (1/division of a quarter note).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace midi {

// A channel message: status byte in bits 0-7, first data byte in bits 8-15, second data
// byte in bits 16-23, bits 24-31 zero (the form a MIDI output takes a short message in).
struct MidiEvent {
    std::int32_t tick = 0;
    std::uint32_t message = 0;

    friend bool operator==(const MidiEvent&, const MidiEvent&) = default;
};

// A tempo change (the meta tempo value).
struct MidiTempoRecord {
    std::int32_t tick = 0;
    std::int32_t microsecondsPerQuarter = 0;

    friend bool operator==(const MidiTempoRecord&, const MidiTempoRecord&) = default;
};

// A time signature; the denominator is the plain note value (4 for a quarter).
struct MidiMeterRecord {
    std::int32_t tick = 0;
    std::int32_t numerator = 0;
    std::int32_t denominator = 0;
    std::int32_t clocksPerClick = 0;
    std::int32_t thirtySecondsPerQuarter = 0;

    friend bool operator==(const MidiMeterRecord&, const MidiMeterRecord&) = default;
};

// A key signature: positive sharps, negative flats; minor 0 major, 1 minor.
struct MidiKeyRecord {
    std::int32_t tick = 0;
    std::int32_t sharpsFlats = 0;
    std::int32_t minor = 0;

    friend bool operator==(const MidiKeyRecord&, const MidiKeyRecord&) = default;
};

// A timed text (marker, cue point, lyric, text), narrow and uninterpreted.
struct MidiTextRecord {
    std::int32_t tick = 0;
    std::string text;

    friend bool operator==(const MidiTextRecord&, const MidiTextRecord&) = default;
};

// Timed raw bytes: one complete system-exclusive message, or sequencer-specific data.
struct MidiByteRecord {
    std::int32_t tick = 0;
    std::vector<std::uint8_t> bytes;

    friend bool operator==(const MidiByteRecord&, const MidiByteRecord&) = default;
};

// Parts of a packed short message.
constexpr std::uint32_t StatusKind(std::uint32_t message) { return message & 0xF0u; }
constexpr std::uint32_t Channel(std::uint32_t message) { return message & 0x0Fu; }
constexpr std::uint32_t FirstData(std::uint32_t message) { return (message >> 8) & 0xFFu; }
constexpr std::uint32_t SecondData(std::uint32_t message) { return (message >> 16) & 0xFFu; }

constexpr std::uint32_t kNoteOff = 0x80;
constexpr std::uint32_t kNoteOn = 0x90;
constexpr std::uint32_t kControlChange = 0xB0;
constexpr std::uint32_t kProgramChange = 0xC0;

}  // namespace midi
