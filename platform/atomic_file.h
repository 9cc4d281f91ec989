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

// The bytes of a regular file; nullopt when it is missing, not a regular file,
// unreadable or larger than kMaxReadableFileSize.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Replaces the file's content with `bytes`: writes a temporary file in the same folder,
// flushes it to disk and renames it over the target, so a reader sees either the old or
// the new content and a failed write leaves the old file as it was. A target that is a
// symbolic link is written through to the file it points at; an existing file keeps its
// permission bits. Returns false when the folder is missing or not writable, when the
// target exists but is not a regular file, or when it is marked read-only (no write
// permission bit at all, which holds even for the administrator).
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace platform
