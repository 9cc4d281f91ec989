#include "app/settings/base64_encoder.h"

#include <cstdint>

namespace brindle {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

std::string Base64Encoder::EncodeBytes(std::string_view bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    const auto at = [&](std::size_t k) { return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[k])); };
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t v = (at(i) << 16) | (at(i + 1) << 8) | at(i + 2);
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest == 1) {
        const std::uint32_t v = at(i) << 16;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += "==";
    } else if (rest == 2) {
        const std::uint32_t v = (at(i) << 16) | (at(i + 1) << 8);
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += '=';
    }
    return out;
}

std::u16string Base64Encoder::Encode(std::u16string_view text) const
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    const std::string encoded = EncodeBytes(bytes);
    return std::u16string(encoded.begin(), encoded.end());
}

}  // namespace brindle
