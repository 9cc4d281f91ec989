// Decoding of base64 text (standard alphabet, "=" padding) in the settings files.
//
// The bytes come from the score documents' codec (quaverly's Base64 text). A settings
// value is checked first, because a value that is not Base64 at all is better read as
// nothing than as stray characters: line breaks and blanks anywhere in the text are
// skipped, and any other character outside the alphabet, or data after the padding,
// makes the text invalid. A text cut short decodes as far as it goes: a last group of 2
// or 3 characters gives 1 or 2 bytes, a last single character gives nothing. Decoding
// never reads past the end of the text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brindle {

class Base64Decoder {
public:
    Base64Decoder() = default;

    // The bytes; nullopt when the text is not valid base64.
    std::optional<std::string> DecodeBytes(std::u16string_view text) const;

    // The bytes read as UTF-16LE text (an odd last byte is dropped); empty when the text
    // is not valid base64.
    std::u16string Decode(std::u16string_view text) const;

private:
    // The text without its blanks and line breaks; nullopt when what is left is not
    // Base64.
    static std::optional<std::u16string> Checked(std::u16string_view text);
};

}  // namespace brindle
