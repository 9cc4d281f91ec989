// One INI settings file with typed reads and writes. Holds only the file's path: every
// operation reads or rewrites the file on disk, so a read right after a write sees it
// (a file's parse is reused only while the file is unchanged). Reading many keys at once
// goes through Snapshot, which looks at the file once.
// A missing file, section or key reads as the default given; writes create what is
// missing and report whether the file could be written.
//
// Text forms of the values:
//   int     decimal ("-12"); read: a decimal integer at the start of the text, leading
//           blanks skipped, anything after it ignored ("12abc" reads 12)
//   double  6 significant digits, shortest general form ("0.2", "609.6", "1.23457e+06");
//           read as a single-precision number, then widened
//   bool    "TRUE" or "FALSE"; read: true only for exactly "TRUE"
//   pair    "x;y" (FormatIntPair / ParseIntPair)
// A value present but not starting with a number reads as the default.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/settings/profile_snapshot.h"

namespace brindle {

// Two ints stored as "x;y".
struct IntPair {
    int x = 0;
    int y = 0;
    friend bool operator==(const IntPair&, const IntPair&) = default;
};

class ProfileFile {
public:
    // Longest value that ReadString returns, in UTF-16 units.
    static constexpr std::size_t kMaxValueLength = 1023;

    ProfileFile() = default;
    explicit ProfileFile(std::u16string_view path) { SetPath(path); }

    // The path as the settings name it; backslashes are folder separators.
    void SetPath(std::u16string_view path);
    void SetNativePath(const std::filesystem::path& path) { path_ = path; }
    const std::filesystem::path& GetPath() const { return path_; }

    // The file as it is now, for reading several keys from one parse.
    ProfileSnapshot Snapshot() const;

    // The value, cut to kMaxValueLength units (never inside a surrogate pair).
    std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view defaultValue) const;
    bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
    // Several keys of one section in one rewrite of the file.
    bool WriteStrings(std::u16string_view section,
                      const std::vector<std::pair<std::u16string, std::u16string>>& entries);

    int ReadInt(std::u16string_view section, std::u16string_view key, int defaultValue) const;
    bool WriteInt(std::u16string_view section, std::u16string_view key, int value);
    // Stored through the int form: values above 2147483647 appear as negative numbers
    // and read back with ReadInt to the same bits.
    bool WriteUInt(std::u16string_view section, std::u16string_view key, unsigned int value);

    double ReadFloat(std::u16string_view section, std::u16string_view key, double defaultValue) const;
    bool WriteDouble(std::u16string_view section, std::u16string_view key, double value);

    bool ReadBool(std::u16string_view section, std::u16string_view key, bool defaultValue) const;
    bool WriteBool(std::u16string_view section, std::u16string_view key, bool value);

    // Section names in file order, each once; empty for a missing or empty file.
    std::vector<std::u16string> GetSectionNames() const;

    // Removes the section with all its keys. A missing section is not an error.
    bool DeleteSection(std::u16string_view section);

    // Text forms shared by the typed operations.
    static std::u16string FormatInt(int value);
    static std::u16string FormatDouble(double value);
    static std::u16string FormatBool(bool value) { return value ? u"TRUE" : u"FALSE"; }
    // False when the text does not start with a number; `value` is then unchanged.
    static bool ParseInt(std::u16string_view text, int& value);
    static bool ParseFloat(std::u16string_view text, float& value);

private:
    std::filesystem::path path_;
};

// "x;y", for example "12;-3".
std::u16string FormatIntPair(int x, int y);

// The text up to the first ";" as x and the text after it (up to a further ";") as y,
// each read like ProfileFile::ReadInt; a part that does not parse, or is missing,
// gives 0. An empty text gives (0, 0).
IntPair ParseIntPair(std::u16string_view text);

}  // namespace brindle
