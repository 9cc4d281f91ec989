#include "engine/xml/file_bytes.h"

#include <fstream>
#include <system_error>

namespace quaverly {

bool ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes, std::string& bytes,
                   std::string& error, std::size_t room)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = "the path names a folder";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open the file";
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        error = "cannot read the file";
        return false;
    }
    if (static_cast<std::uintmax_t>(size) > maxBytes) {
        error = "the file is too large";
        return false;
    }
    in.seekg(0, std::ios::beg);
    bytes.reserve(static_cast<std::size_t>(size) + room);
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(bytes.data(), size)) {
        error = "cannot read the file";
        return false;
    }
    return true;
}

}  // namespace quaverly
