// One change of the free-text font, sent (never posted) with message 0x60C: the record
// lives on the sender's stack for the call. Exactly one field is meant, named by kind.
#pragma once

#include <cstdint>
#include <string>

#include "engine/model/log_font.h"

namespace brindle {

struct TextStyleChange {
    static constexpr std::uint32_t kSize = 1;
    static constexpr std::uint32_t kFaceName = 2;
    static constexpr std::uint32_t kBold = 4;
    static constexpr std::uint32_t kItalic = 8;
    static constexpr std::uint32_t kUnderline = 16;

    std::uint32_t kind = 0;
    std::int32_t size = 0;  // points
    std::uint8_t bold = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::u16string faceName;
};

// Changes the one field of `font` the record names (the kind is a value, not a set of
// bits: any other kind changes nothing). A size in points becomes the em height in pixels
// of a screen with `logPixelsY` dots per inch.
void ApplyTextStyleChange(quaverly::LogFont& font, const TextStyleChange& change, int logPixelsY);

}  // namespace brindle
