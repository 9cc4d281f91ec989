// A change of the text font that the font toolbar (face and size) and the main window's
// bold, italic and underline buttons send on to the view, which applies it to the text
// being edited in place. Sent with message 0x60C, the record's address in the first
// parameter, valid only during the call.
#pragma once

#include "platform/window_message.h"

#include <cstdint>
#include <string>

namespace brindle {

inline constexpr platform::MessageId kMsgFontChange = 0x60C;

namespace FontChangeKind {
inline constexpr std::int32_t Size = 1;
inline constexpr std::int32_t FaceName = 2;
inline constexpr std::int32_t Bold = 4;
inline constexpr std::int32_t Italic = 8;
inline constexpr std::int32_t Underline = 16;
}  // namespace FontChangeKind

struct FontChangeRecord {
    std::int32_t kind = 0;  // FontChangeKind
    std::int32_t size = 0;  // whole points (kind Size)
    std::uint8_t bold = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::u16string faceName;  // kind FaceName
};

}  // namespace brindle
