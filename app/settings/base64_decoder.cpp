#include "app/settings/base64_decoder.h"

namespace brindle {

Base64Decoder::Base64Decoder()
{
    // Characters outside the alphabet (the padding "=" among them) stay 0.
    constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 64; ++i)
        table_[static_cast<unsigned char>(alphabet[i])] = static_cast<std::uint8_t>(i);
}

std::string Base64Decoder::DecodeBytes(std::string_view text) const
{
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3 + 2);
    // The characters of the group being read; line breaks never enter a group.
    unsigned char group[4] = {};
    std::size_t filled = 0;
    const auto flush = [&] {
        const auto value = [&](std::size_t k) { return std::uint32_t{table_[group[k]]}; };
        const std::uint32_t v = (value(0) << 18) | (value(1) << 12) | (filled > 2 ? value(2) << 6 : 0) |
                                (filled > 3 ? value(3) : 0);
        if (filled < 2 || group[0] == '=' || group[1] == '=')
            return;
        bytes.push_back(static_cast<char>((v >> 16) & 0xFF));
        if (filled < 3 || group[2] == '=')
            return;
        bytes.push_back(static_cast<char>((v >> 8) & 0xFF));
        if (filled < 4 || group[3] == '=')
            return;
        bytes.push_back(static_cast<char>(v & 0xFF));
    };
    for (const char c : text) {
        if (c == '\r' || c == '\n')
            continue;
        group[filled++] = static_cast<unsigned char>(c);
        if (filled == 4) {
            flush();
            filled = 0;
        }
    }
    flush();
    return bytes;
}

std::string Base64Decoder::DecodeBytes(std::u16string_view text) const
{
    std::string narrow;
    narrow.reserve(text.size());
    for (const char16_t c : text)
        narrow.push_back(static_cast<char>(c & 0xFF));
    return DecodeBytes(std::string_view(narrow));
}

std::u16string Base64Decoder::Decode(std::u16string_view text) const
{
    const std::string bytes = DecodeBytes(text);
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<std::uint8_t>(bytes[i]);
        const auto hi = static_cast<std::uint8_t>(bytes[i + 1]);
        out.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return out;
}

}  // namespace brindle
