// libFuzzer target: the settings files. The input starts with the length of the file
// part (two bytes, little-endian); that many bytes are read as a settings file (UTF-8,
// UTF-16 or GBK, as the program reads them); the rest is a list of edits, one a line, "section<TAB>key<TAB>value" to set a
// key, "section<TAB>key" to delete one, "section" to delete a section. A key set reads
// back with that value and a section deleted is gone; after the edits the document's
// text parsed again and the file saved and loaded read exactly as the document does for
// every name the edits used and every section the file had. Anything else aborts. See
// README.md.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "platform/ini_document.h"
#include "platform/private_profile.h"
#include "platform/text_encoding.h"

namespace {

namespace fs = std::filesystem;

struct Edit {
    std::u16string section;
    std::u16string key;
    std::u16string value;
    int fields = 0;
};

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// Says which property failed, then aborts.
void Check(bool condition, int line = __builtin_LINE())
{
    if (!condition) {
        std::fprintf(stderr, "settings_file_fuzzer.cpp:%d: the check failed\n", line);
        std::abort();
    }
}

// What an edit left must hold in the document itself. Deleting a key removes its first
// entry only (a later entry of the same name then reads), as the profile rules have it.
void CheckEdit(const platform::IniDocument& document, const Edit& edit, bool applied)
{
    if (edit.fields == 3 && applied) {
        // Line breaks inside a value are stored as blanks.
        std::u16string stored = edit.value;
        for (char16_t& c : stored)
            if (c == u'\r' || c == u'\n')
                c = u' ';
        Check(document.GetValue(edit.section, edit.key) == stored);
    }
    else if (edit.fields == 1)
        Check(!document.HasSection(edit.section));
}

// The copy reads as the document does.
void CheckSame(const platform::IniDocument& document, const platform::IniDocument& copy, const std::vector<Edit>& edits,
               const std::vector<std::u16string>& sections)
{
    Check(copy.SectionNames() == document.SectionNames());
    for (const Edit& edit : edits) {
        Check(copy.HasSection(edit.section) == document.HasSection(edit.section));
        Check(copy.GetValue(edit.section, edit.key) == document.GetValue(edit.section, edit.key));
    }
    for (const std::u16string& section : sections)
        Check(copy.HasSection(section) == document.HasSection(section));
}

const fs::path& Scratch()
{
    static const fs::path path =
        fs::temp_directory_path() / ("brindle-fuzz-settings-" + std::to_string(::getpid()) + ".ini");
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::size_t length = std::min<std::size_t>(data[0] | (std::size_t{data[1]} << 8), input.size());
    const std::string_view file = input.substr(0, length);
    const std::string_view edits = input.substr(length);

    platform::LoadedIniFile loaded = platform::ParseIniBytes(file);
    platform::IniDocument& document = loaded.document;
    const std::vector<std::u16string> sectionsBefore = document.SectionNames();

    std::vector<Edit> done;
    for (const std::string_view line : Split(edits, '\n')) {
        if (edits.empty() || done.size() >= 16)
            break;
        const std::vector<std::string_view> fields = Split(line, '\t');
        Edit edit;
        edit.fields = static_cast<int>(std::min<std::size_t>(fields.size(), 3));
        edit.section = platform::Utf8ToUtf16(fields[0]);
        if (fields.size() > 1)
            edit.key = platform::Utf8ToUtf16(fields[1]);
        if (fields.size() > 2)
            edit.value = platform::Utf8ToUtf16(fields[2]);
        bool ok = true;
        if (edit.fields == 3)
            ok = document.SetValue(edit.section, edit.key, edit.value);
        else if (edit.fields == 2)
            document.DeleteKey(edit.section, edit.key);
        else
            document.DeleteSection(edit.section);
        CheckEdit(document, edit, ok);
        done.push_back(edit);
    }

    // The text parsed again, and the file saved and loaded, read as the document does.
    const platform::LoadedIniFile again = platform::ParseIniBytes(document.SerializeBytes());
    CheckSame(document, again.document, done, sectionsBefore);
    Check(platform::SaveIniFile(Scratch(), document, loaded.encoding));
    const std::optional<platform::LoadedIniFile> reloaded = platform::LoadIniFile(Scratch());
    Check(reloaded.has_value());
    CheckSame(document, reloaded->document, done, sectionsBefore);
    return 0;
}
