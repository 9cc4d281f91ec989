// Private profile (INI) files on disk. Every write rewrites the file in place through a
// temporary file. Reads see the file as it is on disk: a file's parse is kept and used
// again only while the file is provably unchanged (same file, size and change times,
// and either written by us or older than the file system's time granularity when it
// was read), so a large file is not parsed again for every key.
//
// Files are read as UTF-8 (with or without a byte order mark), UTF-16 with a byte order
// mark, or GBK, decided line by line (see DecodeText). They are written as UTF-8,
// keeping a UTF-8 byte order mark that was there. Lines that were not UTF-8 keep their
// bytes as long as the program does not change them, except in an old file that is
// GBK throughout, which is written back whole as UTF-8. See IniDocument for the rules
// of sections, keys and values.
#pragma once

#include <filesystem>
#include <memory>
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

// The parsed file, shared by everyone who reads it while it does not change; nullptr
// when it cannot be read (missing, a folder, unreadable).
std::shared_ptr<const LoadedIniFile> LoadSharedIniFile(const std::filesystem::path& path);

// The parsed file; nullopt when it cannot be read (missing, a folder, unreadable).
std::optional<LoadedIniFile> LoadIniFile(const std::filesystem::path& path);

// The file's bytes as the loader reads them.
LoadedIniFile ParseIniBytes(std::string_view bytes);

// Writes the document as UTF-8 (with a byte order mark when `encoding` is Utf8Bom);
// lines that kept their original bytes are written with them.
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
