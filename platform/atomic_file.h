// Whole-file reads and safe whole-file writes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Files above this size are not read: no settings file comes near it.
constexpr std::uintmax_t kMaxReadableFileSize = 64u * 1024u * 1024u;

// What tells one state of a file from another without reading it: the file itself
// (device and inode: a file replaced by renaming is another file), its size and the
// times of its last change of content and of status, to the nanosecond.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of a regular file (a symbolic link is followed); nullopt when there is none.
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

// The bytes of a regular file; nullopt when it is missing, not a regular file,
// unreadable or larger than kMaxReadableFileSize. With `stamp`, also the file's stamp
// when it did not change while it was read (nullopt when it did).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::optional<FileStamp>& stamp);

// Replaces the file's content with `bytes`: writes a temporary file in the same folder,
// flushes it to disk and renames it over the target, so a reader sees either the old or
// the new content and a failed write leaves the old file as it was. A target that is a
// symbolic link is written through to the file it points at; an existing file keeps its
// permission bits. Returns false when the folder is missing or not writable, when the
// target exists but is not a regular file, or when it is marked read-only (no write
// permission bit at all, which holds even for the administrator).
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
// The same, giving the stamp of the file just written when it is still the one written.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::optional<FileStamp>& written);

}  // namespace platform
