// Reading a whole file into memory, refusing one larger than the caller allows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace quaverly {

// Reads the whole file into `bytes`, with `room` bytes of capacity to spare; false when it
// cannot be opened or read, names a folder, or is larger than `maxBytes`, with a short
// reason in `error`.
bool ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes, std::string& bytes,
                   std::string& error, std::size_t room = 0);

}  // namespace quaverly
