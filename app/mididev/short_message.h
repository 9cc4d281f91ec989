// Packed short messages (status byte in bits 0-7, first data byte in bits 8-15, second
// in bits 16-23) as the bytes a MIDI port takes, and the channel rewrite of an echo.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace brindle {

struct ShortMessageBytes {
    std::array<std::uint8_t, 3> bytes{};
    std::size_t length = 0;  // 0: not a message that may be sent
};

// The bytes of a packed message: channel messages with their one or two data bytes,
// system common messages with theirs, real-time messages alone. A status byte without
// its meaning (a data byte in the status place, system-exclusive start or end, the
// undefined codes) and a data byte with its top bit set give length 0, so that no lone
// or malformed byte reaches a device.
ShortMessageBytes UnpackShortMessage(std::uint32_t message);

// Packs received bytes into the short-message form (at most the first three).
std::uint32_t PackShortMessage(const std::uint8_t* bytes, std::size_t length);

// The message moved to another channel (0-15, taken modulo 16). Only channel messages
// (status 0x80 to 0xEF) have a channel; every other message comes back unchanged.
std::uint32_t MoveToChannel(std::uint32_t message, int channel);

}  // namespace brindle
