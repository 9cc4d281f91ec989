// Where the tests put pictures for people to look at: $BRINDLE_SPECIMEN_DIR, or else
// build/bin/specimen. The folder is made when it is missing.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace test_support {

inline std::filesystem::path SpecimenFolder()
{
    const char* dir = std::getenv("BRINDLE_SPECIMEN_DIR");
    const std::filesystem::path folder =
        dir ? std::filesystem::path(dir) : std::filesystem::path(BRINDLE_BIN_DIR) / "specimen";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}

}  // namespace test_support
