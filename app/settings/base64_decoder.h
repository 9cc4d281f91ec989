// Decoding of base64 text (standard alphabet, "=" padding). The same codec serves the
// settings files and the score documents, so it follows the lenient rules both need:
//   - each character's low 8 bits are decoded (text arrives as UTF-16);
//   - carriage returns and line feeds are skipped;
//   - any other character outside the alphabet counts as 0, so bad text still decodes
//     (to wrong bytes) instead of failing or being dropped;
//   - a group of four gives its first byte, a second unless its third character is "=",
//     a third unless its third or fourth character is "="; padding in the first two
//     places of a group gives nothing;
//   - an incomplete last group gives only its complete bytes (2 characters give 1 byte,
//     3 give 2, a lone character gives nothing); nothing is read past the text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {

class Base64Decoder {
public:
    Base64Decoder();

    // The bytes of base64 text given one character per byte.
    std::string DecodeBytes(std::string_view text) const;
    // The same for UTF-16 text: each unit's low byte is decoded.
    std::string DecodeBytes(std::u16string_view text) const;

    // The bytes read as UTF-16LE text; an odd last byte is dropped.
    std::u16string Decode(std::u16string_view text) const;

private:
    std::array<std::uint8_t, 256> table_{};
};

}  // namespace brindle
