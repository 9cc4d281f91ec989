// Private profile (INI) files on disk: every call reads the file afresh, and every
// write rewrites it in place through a temporary file. Files are read as UTF-8 (with or
// without a byte order mark), UTF-16 with a byte order mark, or GBK; they are written as
// UTF-8, keeping a UTF-8 byte order mark that was there. See IniDocument for the rules
// of sections, keys and values.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ini_document.h"
#include "platform/text_encoding.h"

namespace platform {

struct LoadedIniFile {
    IniDocument document;
    TextEncoding encoding = TextEncoding::Utf8;
};

// The parsed file; nullopt when it cannot be read (missing, a folder, unreadable).
std::optional<LoadedIniFile> LoadIniFile(const std::filesystem::path& path);

// Writes the document as UTF-8 (with a byte order mark when `encoding` is Utf8Bom).
bool SaveIniFile(const std::filesystem::path& path, const IniDocument& document,
                 TextEncoding encoding = TextEncoding::Utf8);

// The value of a key; nullopt when the file, the section or the key is missing.
std::optional<std::u16string> ReadProfileString(const std::filesystem::path& path, std::u16string_view section,
                                                std::u16string_view key);

// Sets one key, creating the file, the section and the key as needed. False when the
// file could not be written or the names cannot be stored; the file is then unchanged.
bool WriteProfileString(const std::filesystem::path& path, std::u16string_view section, std::u16string_view key,
                        std::u16string_view value);

// Sets several keys of one section in one rewrite of the file: all of them or none.
bool WriteProfileStrings(const std::filesystem::path& path, std::u16string_view section,
                         const std::vector<std::pair<std::u16string, std::u16string>>& entries);

// Removes a section with all its keys. A missing file or section is not an error
// (nothing is written); false only when the file had to change and could not be written.
bool DeleteProfileSection(const std::filesystem::path& path, std::u16string_view section);

// Names of all sections in file order; empty for a missing or empty file.
std::vector<std::u16string> ReadProfileSectionNames(const std::filesystem::path& path);

}  // namespace platform
