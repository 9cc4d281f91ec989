// Writing a whole file so that a failure never leaves it half written: the bytes go to a
// new temporary file in the same folder, are flushed to the disk, and only then does the
// temporary file take the place of the old one. When anything fails (no room on the
// disk, a folder that cannot be written, a path that names a folder) the old file stays
// as it was and the temporary file is removed.
//
// A path that is a symbolic link saves into the file the link names (the temporary file
// beside that file), so the link still points at the saved document. A file with more
// than one hard link is written over in place once the new bytes are safely on the disk
// beside it, so every name of it sees the saved document; a failure then puts the old
// bytes back.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quaverly {

class AtomicFileWriter {
public:
    // Writes the bytes as the file at the path. Returns false on failure, with a short
    // reason in `error` when it is given.
    static bool Write(const std::filesystem::path& path, std::string_view bytes,
                      std::string* error = nullptr);
};

}  // namespace quaverly
