// A settings file as it was at one moment, parsed once. A settings object that reads
// many keys in one go (a font, a symbol, a paper, a whole list) takes a snapshot and
// reads them from it, so the file is looked at once instead of once per key. The typed
// reads follow the same rules as ProfileFile's (see profile_file.h); a snapshot of a
// missing or unreadable file reads every key as its default.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
struct LoadedIniFile;
}

namespace brindle {

class ProfileSnapshot {
public:
    // An empty file: every key reads as its default.
    ProfileSnapshot() = default;
    explicit ProfileSnapshot(std::shared_ptr<const platform::LoadedIniFile> file) : file_(std::move(file)) {}

    std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view defaultValue) const;
    int ReadInt(std::u16string_view section, std::u16string_view key, int defaultValue) const;
    double ReadFloat(std::u16string_view section, std::u16string_view key, double defaultValue) const;
    bool ReadBool(std::u16string_view section, std::u16string_view key, bool defaultValue) const;

    // Section names in file order, each once.
    std::vector<std::u16string> GetSectionNames() const;
    int GetSectionCount() const;
    // The name of a section by its place in file order; empty for an index outside
    // 0 .. count - 1.
    std::u16string GetSectionName(int index) const;

private:
    std::shared_ptr<const platform::LoadedIniFile> file_;
};

}  // namespace brindle
