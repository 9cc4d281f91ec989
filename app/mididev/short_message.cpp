#include "app/mididev/short_message.h"

namespace brindle {

namespace {

// Data bytes that follow a status byte; -1 for a status that is never sent alone.
int DataLength(std::uint8_t status)
{
    if (status < 0x80)
        return -1;
    if (status < 0xF0)
        return (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
    switch (status) {
    case 0xF1:  // time code quarter frame
    case 0xF3:  // song select
        return 1;
    case 0xF2:  // song position
        return 2;
    case 0xF6:  // tune request
    case 0xF8:  // timing clock
    case 0xFA:  // start
    case 0xFB:  // continue
    case 0xFC:  // stop
    case 0xFE:  // active sensing
    case 0xFF:  // system reset
        return 0;
    default:  // 0xF0 and 0xF7 belong to long messages; 0xF4, 0xF5, 0xF9, 0xFD are undefined
        return -1;
    }
}

}  // namespace

ShortMessageBytes UnpackShortMessage(std::uint32_t message)
{
    ShortMessageBytes result;
    const auto status = static_cast<std::uint8_t>(message & 0xFF);
    const int dataLength = DataLength(status);
    if (dataLength < 0)
        return result;
    result.bytes[0] = status;
    for (int i = 1; i <= dataLength; ++i) {
        const auto data = static_cast<std::uint8_t>((message >> (8 * i)) & 0xFF);
        if (data >= 0x80)
            return ShortMessageBytes{};
        result.bytes[static_cast<std::size_t>(i)] = data;
    }
    result.length = static_cast<std::size_t>(dataLength) + 1;
    return result;
}

std::uint32_t PackShortMessage(const std::uint8_t* bytes, std::size_t length)
{
    std::uint32_t message = 0;
    for (std::size_t i = 0; i < length && i < 3; ++i)
        message |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    return message;
}

std::uint32_t MoveToChannel(std::uint32_t message, int channel)
{
    const std::uint32_t status = message & 0xFF;
    if (status < 0x80 || status > 0xEF)
        return message;
    return (message & ~0x0Fu) | (static_cast<std::uint32_t>(channel) & 0x0Fu);
}

}  // namespace brindle
