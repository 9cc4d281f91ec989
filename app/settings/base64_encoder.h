// Base64 (standard alphabet, "=" padding, no line breaks) of bytes and of UTF-16 text:
// the score documents' codec (quaverly's Base64 text), so a symbol's character text is
// the same Base64 in the settings files and in a document.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

class Base64Encoder {
public:
    // Every 3 bytes become 4 characters; a last 1 or 2 bytes are padded with "==" or "=".
    static std::string EncodeBytes(std::string_view bytes);

    // Base64 of the text's UTF-16LE bytes (two per unit, low byte first).
    std::u16string Encode(std::u16string_view text) const;
};

}  // namespace brindle
