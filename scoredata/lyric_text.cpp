#include "scoredata/lyric_text.h"

#include <cerrno>
#include <cstdint>
#include <optional>
#include <vector>

#include <iconv.h>

namespace tabulon {

namespace {

void AppendCodePoint(std::u16string& out, char32_t code)
{
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
    } else {
        code -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    }
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
std::optional<std::u16string> FromUtf8(const std::string& text)
{
    std::u16string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t code = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1F;
            least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0F;
            least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07;
            least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (i + static_cast<std::size_t>(extra) >= text.size() + (extra == 0 ? 1 : 0))
            return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        AppendCodePoint(out, code);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::u16string FromGb18030(const std::string& text)
{
    std::u16string out;
    iconv_t converter = iconv_open("UTF-16LE", "GB18030");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        // No converter: keep what is plain ASCII.
        for (char c : text)
            out.push_back(static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c) : u'\uFFFD');
        return out;
    }
    std::vector<char> input(text.begin(), text.end());
    char* in = input.data();
    std::size_t inLeft = input.size();
    std::vector<char> buffer(input.size() * 4 + 8);
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        const std::size_t produced = buffer.size() - outLeft;
        for (std::size_t k = 0; k + 1 < produced; k += 2) {
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(buffer[k]) |
                                                (static_cast<unsigned char>(buffer[k + 1]) << 8)));
        }
        if (result != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // A byte sequence GB18030 cannot read, or one cut off at the end.
        out.push_back(u'\uFFFD');
        ++in;
        --inLeft;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(converter);
    return out;
}

}  // namespace

std::u16string DecodeLyricText(const std::string& text)
{
    std::u16string wide;
    if (auto utf8 = FromUtf8(text))
        wide = std::move(*utf8);
    else
        wide = FromGb18030(text);
    if (wide.size() > kMaxLyricUnits) {
        std::size_t keep = kMaxLyricUnits;
        if (wide[keep - 1] >= 0xD800 && wide[keep - 1] <= 0xDBFF)
            --keep;
        wide.resize(keep);
    }
    return wide;
}

}  // namespace tabulon
