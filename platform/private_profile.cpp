#include "platform/private_profile.h"

#include <mutex>

#include "platform/atomic_file.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

// Serialises the read-modify-write cycles of this process, so two threads writing
// different keys of one file do not lose one of the changes.
std::mutex& WriteMutex()
{
    static std::mutex mutex;
    return mutex;
}

// The file to edit: its parsed content, or an empty document when it does not exist
// yet. nullopt when it exists but cannot be read (a folder, no permission, too large):
// writing over it would lose what it holds.
std::optional<LoadedIniFile> LoadForEdit(const fs::path& path)
{
    if (auto loaded = LoadIniFile(path))
        return loaded;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return LoadedIniFile{};
    return std::nullopt;
}

}  // namespace

std::optional<LoadedIniFile> LoadIniFile(const fs::path& path)
{
    if (path.empty())
        return std::nullopt;
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes)
        return std::nullopt;
    DecodedText decoded = DecodeText(*bytes);
    return LoadedIniFile{IniDocument::Parse(decoded.text), decoded.encoding};
}

bool SaveIniFile(const fs::path& path, const IniDocument& document, TextEncoding encoding)
{
    std::string bytes;
    if (encoding == TextEncoding::Utf8Bom)
        bytes = "\xEF\xBB\xBF";
    bytes += Utf16ToUtf8(document.Serialize());
    return WriteFileAtomically(path, bytes);
}

std::optional<std::u16string> ReadProfileString(const fs::path& path, std::u16string_view section,
                                                std::u16string_view key)
{
    const std::optional<LoadedIniFile> loaded = LoadIniFile(path);
    if (!loaded)
        return std::nullopt;
    return loaded->document.GetValue(section, key);
}

bool WriteProfileString(const fs::path& path, std::u16string_view section, std::u16string_view key,
                        std::u16string_view value)
{
    return WriteProfileStrings(path, section, {{std::u16string(key), std::u16string(value)}});
}

bool WriteProfileStrings(const fs::path& path, std::u16string_view section,
                         const std::vector<std::pair<std::u16string, std::u16string>>& entries)
{
    if (path.empty())
        return false;
    const std::lock_guard<std::mutex> lock(WriteMutex());
    std::optional<LoadedIniFile> file = LoadForEdit(path);
    if (!file)
        return false;
    if (!file->document.SetValues(section, entries))
        return false;
    // Old files in UTF-16 or GBK are rewritten as UTF-8; a UTF-8 mark is kept.
    const TextEncoding out = file->encoding == TextEncoding::Utf8Bom ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
    return SaveIniFile(path, file->document, out);
}

bool DeleteProfileSection(const fs::path& path, std::u16string_view section)
{
    if (path.empty())
        return false;
    const std::lock_guard<std::mutex> lock(WriteMutex());
    std::error_code ec;
    if (fs::status(path, ec).type() == fs::file_type::not_found)
        return true;
    std::optional<LoadedIniFile> file = LoadIniFile(path);
    if (!file)
        return false;
    if (!file->document.DeleteSection(section))
        return true;
    const TextEncoding out = file->encoding == TextEncoding::Utf8Bom ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
    return SaveIniFile(path, file->document, out);
}

std::vector<std::u16string> ReadProfileSectionNames(const fs::path& path)
{
    const std::optional<LoadedIniFile> loaded = LoadIniFile(path);
    if (!loaded)
        return {};
    return loaded->document.SectionNames();
}

}  // namespace platform
