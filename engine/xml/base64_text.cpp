#include "engine/xml/base64_text.h"

#include <array>
#include <cstdint>

namespace quaverly {

namespace {

constexpr char16_t kAlphabet[] =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Alphabet position of every byte; 0 for the bytes outside the alphabet.
constexpr std::array<std::uint8_t, 256> MakeDecodeTable()
{
    std::array<std::uint8_t, 256> table{};
    for (std::uint8_t i = 0; i < 64; ++i)
        table[static_cast<std::size_t>(kAlphabet[i])] = i;
    return table;
}

constexpr std::array<std::uint8_t, 256> kDecodeTable = MakeDecodeTable();

std::uint8_t LowByte(char16_t c)
{
    return static_cast<std::uint8_t>(c & 0xFF);
}

}  // namespace

std::u16string EncodeBase64Text(std::u16string_view text)
{
    std::u16string out;
    out.reserve((text.size() * 2 + 2) / 3 * 4);
    const std::size_t byteCount = text.size() * 2;
    const auto byteAt = [&text](std::size_t k) -> std::uint32_t {
        const char16_t unit = text[k / 2];
        return (k % 2 == 0) ? (unit & 0xFFu) : (unit >> 8);
    };
    std::size_t k = 0;
    for (; k + 3 <= byteCount; k += 3) {
        const std::uint32_t v = (byteAt(k) << 16) | (byteAt(k + 1) << 8) | byteAt(k + 2);
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    const std::size_t rest = byteCount - k;
    if (rest == 1) {
        const std::uint32_t v = byteAt(k) << 16;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += u"==";
    } else if (rest == 2) {
        const std::uint32_t v = (byteAt(k) << 16) | (byteAt(k + 1) << 8);
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += u'=';
    }
    return out;
}

std::u16string DecodeBase64Text(std::u16string_view base64)
{
    std::string bytes;
    bytes.reserve(base64.size() / 4 * 3 + 2);
    std::size_t i = 0;
    while (i < base64.size()) {
        const std::uint8_t first = LowByte(base64[i]);
        if (first == '\r' || first == '\n') {
            ++i;
            continue;
        }
        // Up to four characters of one group, never past the end of the text.
        std::uint8_t group[4] = {};
        std::size_t count = 0;
        while (count < 4 && i < base64.size())
            group[count++] = LowByte(base64[i++]);
        if (count < 2)
            break;  // a single character holds no whole byte
        const std::uint32_t a = kDecodeTable[group[0]];
        const std::uint32_t b = kDecodeTable[group[1]];
        const std::uint32_t c = kDecodeTable[group[2]];
        const std::uint32_t d = kDecodeTable[group[3]];
        bytes.push_back(static_cast<char>((a * 4 + b / 16) & 0xFF));
        if (count >= 3 && group[2] != '=') {
            bytes.push_back(static_cast<char>((b * 16 + c / 4) & 0xFF));
            if (count == 4 && group[3] != '=')
                bytes.push_back(static_cast<char>((c * 64 + d) & 0xFF));
        }
    }
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t k = 0; k + 1 < bytes.size(); k += 2) {
        const auto low = static_cast<std::uint8_t>(bytes[k]);
        const auto high = static_cast<std::uint8_t>(bytes[k + 1]);
        text.push_back(static_cast<char16_t>(low | (high << 8)));
    }
    return text;
}

}  // namespace quaverly
