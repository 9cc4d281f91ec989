// Conversions between the text encodings that settings files and paths use:
// UTF-8, UTF-16 (with byte order mark) and GBK, the encoding of older Chinese files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

enum class TextEncoding {
    Utf8,     // UTF-8 without a byte order mark (plain ASCII included)
    Utf8Bom,  // UTF-8 with the byte order mark EF BB BF
    Utf16LE,  // UTF-16 little endian with the mark FF FE
    Utf16BE,  // UTF-16 big endian with the mark FE FF
    Gbk,      // an old GBK (GB18030) file: no line is UTF-8 beyond ASCII, every line is GBK
    Mixed,    // lines in UTF-8 beside lines that are not: each line decoded on its own
};

struct DecodedText {
    std::u16string text;
    TextEncoding encoding = TextEncoding::Utf8;
};

// UTF-8 to UTF-16; each malformed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// GBK (read as its superset GB18030) to UTF-16; undecodable bytes become U+FFFD.
std::u16string GbkToUtf16(std::string_view gbk);

// UTF-16 to GBK; each character without a GBK form becomes one "?". Used by tests and tools
// that need to produce files in the old encoding.
std::string Utf16ToGbk(std::u16string_view utf16);

// GBK to UTF-16 as above; `lossless` tells whether every byte was part of a GBK character.
std::u16string GbkToUtf16(std::string_view gbk, bool& lossless);

// Decodes the bytes of a text file. A UTF-16 byte order mark decides UTF-16 (an odd last
// byte is dropped). Otherwise the text is decided line by line, so one stray byte does
// not turn the rest of the file into nonsense: a line that is well-formed UTF-8 is
// UTF-8, any other line is GBK. The file is Utf8 (or Utf8Bom) when every line is UTF-8,
// Gbk when the lines beyond ASCII are all GBK and none is UTF-8, Mixed otherwise; a
// UTF-8 byte order mark keeps the file Utf8Bom whatever its lines hold. The mark is not
// part of the text. Line breaks (CR, LF, CR LF) are kept as they are.
DecodedText DecodeText(std::string_view bytes);

// A file-system path from a UTF-16 path text. Backslashes are folder separators (stored
// settings name their folders that way) and become "/".
std::filesystem::path PathFromUtf16(std::u16string_view text);

// The UTF-16 text of a path.
std::u16string PathToUtf16(const std::filesystem::path& path);

}  // namespace platform
