// The logical font record of the score: what the drawing device turns into a real font.
// A plain record with the same fields and widths as the desktop's logical font, so that
// font blocks stored in documents and settings keep their meaning.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace quaverly {

struct LogFont {
    static constexpr std::size_t kFaceNameSize = 32;  // 31 UTF-16 units and a terminator

    std::int32_t height = 0;  // negative: character (em) height; positive: cell height
    std::int32_t width = 0;
    std::int32_t escapement = 0;  // tenths of a degree
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    char16_t faceName[kFaceNameSize] = {};

    // The face name up to its terminator.
    std::u16string FaceName() const
    {
        std::size_t n = 0;
        while (n < kFaceNameSize && faceName[n] != u'\0')
            ++n;
        return std::u16string(faceName, n);
    }

    // Stores at most 31 units of the name; the rest of the array is zeroed.
    void SetFaceName(std::u16string_view name)
    {
        std::fill(std::begin(faceName), std::end(faceName), u'\0');
        const std::size_t n = std::min(name.size(), kFaceNameSize - 1);
        std::copy_n(name.begin(), n, faceName);
    }

    friend bool operator==(const LogFont&, const LogFont&) = default;
};

}  // namespace quaverly
