// Decoding of base64 text (standard alphabet, "=" padding).
//
// Line breaks and blanks anywhere in the text are skipped. Any other character outside
// the alphabet, or data after the padding, makes the text invalid. A text cut short
// decodes as far as it goes: a last group of 2 or 3 characters gives 1 or 2 bytes, a
// last single character gives nothing. Decoding never reads past the end of the text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brindle {

class Base64Decoder {
public:
    Base64Decoder();

    // The bytes; nullopt when the text is not valid base64.
    std::optional<std::string> DecodeBytes(std::u16string_view text) const;

    // The bytes read as UTF-16LE text (an odd last byte is dropped); empty when the text
    // is not valid base64.
    std::u16string Decode(std::u16string_view text) const;

private:
    static constexpr std::int8_t kInvalid = -1;
    std::array<std::int8_t, 128> table_{};
};

}  // namespace brindle
