#include "app/settings/base64_decoder.h"

#include <vector>

namespace brindle {

Base64Decoder::Base64Decoder()
{
    table_.fill(kInvalid);
    constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 64; ++i)
        table_[static_cast<std::size_t>(alphabet[i])] = static_cast<std::int8_t>(i);
}

std::optional<std::string> Base64Decoder::DecodeBytes(std::u16string_view text) const
{
    std::vector<std::uint8_t> sextets;
    sextets.reserve(text.size());
    std::size_t padding = 0;
    for (char16_t c : text) {
        if (c == u'\r' || c == u'\n' || c == u' ' || c == u'\t')
            continue;
        if (c == u'=') {
            if (++padding > 2)
                return std::nullopt;
            continue;
        }
        if (padding > 0 || c >= table_.size() || table_[c] == kInvalid)
            return std::nullopt;
        sextets.push_back(static_cast<std::uint8_t>(table_[c]));
    }

    std::string bytes;
    bytes.reserve(sextets.size() / 4 * 3 + 2);
    std::size_t i = 0;
    for (; i + 4 <= sextets.size(); i += 4) {
        const std::uint32_t v = (std::uint32_t{sextets[i]} << 18) | (std::uint32_t{sextets[i + 1]} << 12) |
                                (std::uint32_t{sextets[i + 2]} << 6) | std::uint32_t{sextets[i + 3]};
        bytes.push_back(static_cast<char>((v >> 16) & 0xFF));
        bytes.push_back(static_cast<char>((v >> 8) & 0xFF));
        bytes.push_back(static_cast<char>(v & 0xFF));
    }
    const std::size_t rest = sextets.size() - i;
    if (rest >= 2) {
        std::uint32_t v = (std::uint32_t{sextets[i]} << 18) | (std::uint32_t{sextets[i + 1]} << 12);
        if (rest == 3)
            v |= std::uint32_t{sextets[i + 2]} << 6;
        bytes.push_back(static_cast<char>((v >> 16) & 0xFF));
        if (rest == 3)
            bytes.push_back(static_cast<char>((v >> 8) & 0xFF));
    }
    return bytes;
}

std::u16string Base64Decoder::Decode(std::u16string_view text) const
{
    const std::optional<std::string> bytes = DecodeBytes(text);
    if (!bytes)
        return {};
    std::u16string out;
    out.reserve(bytes->size() / 2);
    for (std::size_t i = 0; i + 1 < bytes->size(); i += 2) {
        const auto lo = static_cast<std::uint8_t>((*bytes)[i]);
        const auto hi = static_cast<std::uint8_t>((*bytes)[i + 1]);
        out.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return out;
}

}  // namespace brindle
