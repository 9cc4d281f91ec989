// libFuzzer target: the settings files. The input starts with the length of the file
// part (two bytes, little-endian); that many bytes are read as a settings file (UTF-8,
// UTF-16 or GBK, as the program reads them); the rest is a list of edits, one a line, "section<TAB>key<TAB>value" to set a
// key, "section<TAB>key" to delete one, "section" to delete a section. After every edit
// what was written must read back: a key set has that value, a key or section deleted is
// gone, in the document, in its text parsed again and in the file saved and loaded. The
// sections no edit named keep their values. Anything else aborts. See README.md.
#include <cstddef>
#include <cstdint>
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

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// What the edit left must hold in the document.
void CheckEdit(const platform::IniDocument& document, const Edit& edit, bool applied)
{
    if (edit.fields == 3 && applied)
        Check(document.GetValue(edit.section, edit.key) == edit.value);
    else if (edit.fields == 2)
        Check(!document.GetValue(edit.section, edit.key).has_value());
    else if (edit.fields == 1)
        Check(!document.HasSection(edit.section));
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
    std::vector<bool> applied;
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
        // A later edit of the same names decides what they hold.
        for (std::size_t i = 0; i < done.size(); ++i) {
            if (platform::IniDocument::NamesEqual(done[i].section, edit.section) &&
                (edit.fields == 1 || platform::IniDocument::NamesEqual(done[i].key, edit.key)))
                done[i].fields = 0;
        }
        done.push_back(edit);
        applied.push_back(ok);
    }

    // The text parsed again, and the file saved and loaded, say the same.
    const platform::LoadedIniFile again = platform::ParseIniBytes(document.SerializeBytes());
    Check(platform::SaveIniFile(Scratch(), document, loaded.encoding));
    const std::optional<platform::LoadedIniFile> reloaded = platform::LoadIniFile(Scratch());
    Check(reloaded.has_value());
    for (const platform::IniDocument* copy : {&again.document, &reloaded->document}) {
        for (std::size_t i = 0; i < done.size(); ++i)
            CheckEdit(*copy, done[i], applied[i]);
        Check(copy->SectionNames().size() == document.SectionNames().size());
    }
    // Sections that no edit touched are still there.
    for (const std::u16string& section : sectionsBefore) {
        bool touched = false;
        for (const Edit& edit : done)
            touched = touched || platform::IniDocument::NamesEqual(edit.section, section);
        if (!touched)
            Check(again.document.HasSection(section));
    }
    return 0;
}
