// Decoding of base64 text (standard alphabet, "=" padding) in the settings files. The
// bytes come from the engine's codec, the one the score documents use, so both follow
// the same lenient rules:
//   - each character's low 8 bits are decoded (text arrives as UTF-16);
//   - carriage returns and line feeds are skipped, wherever they stand;
//   - any other character outside the alphabet counts as 0, so bad text still decodes
//     (to wrong bytes) instead of failing or being dropped;
//   - an incomplete last group gives only its complete bytes; nothing is read past the
//     text.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

class Base64Decoder {
public:
    Base64Decoder() = default;

    // The bytes of base64 text given one character per byte.
    std::string DecodeBytes(std::string_view text) const;
    // The same for UTF-16 text: each unit's low byte is decoded.
    std::string DecodeBytes(std::u16string_view text) const;

    // The bytes read as UTF-16LE text; an odd last byte is dropped.
    std::u16string Decode(std::u16string_view text) const;
};

}  // namespace brindle
