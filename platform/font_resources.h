// The program's private font table: font files whose faces the program may use by name,
// in place of the desktop's AddFontResource / RemoveFontResource.
#pragma once

#include <filesystem>

namespace platform {

// Makes every face of a font file (a collection gives several) available to the fonts the
// program creates. Returns the number of font families added; 0 when the file is missing
// or not a font. Adding a file again adds nothing and returns the same count.
int AddFontResource(const std::filesystem::path& file);

// Withdraws the faces of a file added before. False when the file was not added.
bool RemoveFontResource(const std::filesystem::path& file);

}  // namespace platform
