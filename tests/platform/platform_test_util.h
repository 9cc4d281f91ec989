// Helpers shared by the drawing-context tests: the program's font file, the score view's
// 0.01 mm units, font records as the settings files give them, and the dark pixels of a
// picture.
#pragma once

#include "engine/model/log_font.h"

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace platform_test {

inline const std::filesystem::path kFontFile =
    std::filesystem::path(BRINDLE_SOURCE_DIR) / "data" / "fonts" / "Tansy.ttc";

inline constexpr double kUnitsPerPixel = 2540.0 / 96.0;  // 0.01 mm per pixel at 96 dpi

// Face, em height (negative), weight, and the angle of the baseline in tenths of a degree.
inline quaverly::LogFont Font(std::u16string_view face, std::int32_t height,
                              std::int32_t weight = 400, std::int32_t escapement = 0)
{
    quaverly::LogFont lf;
    lf.SetFaceName(face);
    lf.height = height;
    lf.weight = weight;
    lf.charSet = 1;
    lf.quality = 4;
    lf.escapement = escapement;
    lf.orientation = escapement;
    return lf;
}

inline bool Dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 140;
}

}  // namespace platform_test
