// The Base64 form in which free text travels inside score documents (page texts, the
// characters of user symbols): the text's UTF-16 units, two bytes each with the low
// byte first, in Base64 with the standard alphabet, "=" fill and no line breaks.
//
// Reading is forgiving, so a document edited by hand or by another program still gives
// a text: each character's low 8 bits are taken; a character outside the alphabet counts
// as 0; a carriage return or line feed where a group of four begins is skipped; a last
// group cut short gives only the bytes it holds completely; nothing is read past the
// end of the text. The bytes are paired into units, low byte first, and an odd last byte
// is dropped.
#pragma once

#include <string>
#include <string_view>

namespace quaverly {

std::u16string EncodeBase64Text(std::u16string_view text);
std::u16string DecodeBase64Text(std::u16string_view base64);

// The same codec on plain bytes, for the settings files' binary values: Base64 of the
// bytes, and the bytes of a Base64 text read by the forgiving rule above (before they
// are paired into units).
std::string EncodeBase64Bytes(std::string_view bytes);
std::string DecodeBase64Bytes(std::u16string_view base64);

}  // namespace quaverly
