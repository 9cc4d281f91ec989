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

std::string EncodeBase64Bytes(std::string_view bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    const auto byteAt = [&bytes](std::size_t k) -> std::uint32_t {
        return static_cast<std::uint8_t>(bytes[k]);
    };
    const auto put = [&out](std::uint32_t sextet) {
        out.push_back(static_cast<char>(kAlphabet[sextet & 63]));
    };
    std::size_t k = 0;
    for (; k + 3 <= bytes.size(); k += 3) {
        const std::uint32_t v = (byteAt(k) << 16) | (byteAt(k + 1) << 8) | byteAt(k + 2);
        put(v >> 18);
        put(v >> 12);
        put(v >> 6);
        put(v);
    }
    const std::size_t rest = bytes.size() - k;
    if (rest == 1) {
        const std::uint32_t v = byteAt(k) << 16;
        put(v >> 18);
        put(v >> 12);
        out += "==";
    } else if (rest == 2) {
        const std::uint32_t v = (byteAt(k) << 16) | (byteAt(k + 1) << 8);
        put(v >> 18);
        put(v >> 12);
        put(v >> 6);
        out += '=';
    }
    return out;
}

std::string DecodeBase64Bytes(std::u16string_view base64)
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
        // Fill in the first two places leaves the group without a whole byte.
        if (group[0] == '=' || group[1] == '=')
            continue;
        bytes.push_back(static_cast<char>((a * 4 + b / 16) & 0xFF));
        if (count >= 3 && group[2] != '=') {
            bytes.push_back(static_cast<char>((b * 16 + c / 4) & 0xFF));
            if (count == 4 && group[3] != '=')
                bytes.push_back(static_cast<char>((c * 64 + d) & 0xFF));
        }
    }
    return bytes;
}

std::u16string EncodeBase64Text(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    const std::string base64 = EncodeBase64Bytes(bytes);
    return std::u16string(base64.begin(), base64.end());
}

std::u16string DecodeBase64Text(std::u16string_view base64)
{
    const std::string bytes = DecodeBase64Bytes(base64);
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
