// Helpers shared by the settings tests.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/private_profile.h"
#include "platform/text_encoding.h"
#include "tests/platform/temp_folder.h"

namespace settings_test {

inline const std::filesystem::path kData = BRINDLE_TEST_DATA;

// The path text a settings object is pointed at.
inline std::u16string PathText(const std::filesystem::path& path)
{
    return platform::PathToUtf16(path);
}

inline std::u16string Fixture(const char* name)
{
    return PathText(kData / name);
}

// The raw text stored under a key, for checking what a setter wrote.
inline std::optional<std::u16string> Stored(const std::filesystem::path& file, std::u16string_view section,
                                            std::u16string_view key)
{
    return platform::ReadProfileString(file, section, key);
}

inline std::string Utf8(std::u16string_view text)
{
    return platform::Utf16ToUtf8(text);
}

}  // namespace settings_test
