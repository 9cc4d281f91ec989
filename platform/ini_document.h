// The text of one INI settings file with the desktop's profile-file rules:
//   - "[name]" starts a section; section and key names compare without regard to ASCII
//     case and without the blanks around them;
//   - "key=value" is an entry; blanks around the key and the value are dropped and one
//     pair of matching quotes ('...' or "...") around the value is removed;
//   - lines starting with ";" are comments; other lines without "=" are kept but ignored;
//   - the first section of a name and the first key of a name within it win.
// Edits change only the lines they must: comments, blank lines, order and the line
// endings of untouched lines survive a write, and so do the bytes of lines that were
// not UTF-8 (see KeepOriginalBytes).
//
// Lookups are quick on large files: each line is classified once, and sections are
// found through an index, so reading a key costs the length of its section, not of the
// file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace platform {

class IniDocument {
public:
    IniDocument() = default;

    // Splits the text into lines; CR LF, LF and a lone CR all end a line.
    static IniDocument Parse(std::u16string_view text);

    // The text again, each line with its own line ending.
    std::u16string Serialize() const;

    // Remembers the file's bytes for every line that is not well-formed UTF-8, so that
    // SerializeBytes gives those lines back exactly as they were until an edit changes
    // them: text decoded by a guess is never rewritten in the guessed form. `bytes` must
    // be the bytes the text was decoded from (without a byte order mark), line for line;
    // when their lines do not match the text's, nothing is kept.
    void KeepOriginalBytes(std::string_view bytes);

    // The text as UTF-8, with the original bytes of the lines that kept them.
    std::string SerializeBytes() const;

    // The value of the key in the first section of that name; nullopt when either is missing.
    std::optional<std::u16string> GetValue(std::u16string_view section, std::u16string_view key) const;

    // Replaces the value of an existing key in place, or appends the key after the last
    // entry of the section, or appends the section at the end of the text. Returns false
    // (and changes nothing) for a name that cannot be stored: an empty or blank name, a
    // section name holding "]", a key holding "=" or starting with "[" or ";", or any
    // name holding a line break. Line breaks inside a value become blanks; a value that
    // would not read back as written (blanks at its ends, or enclosed in quotes) is
    // written inside double quotes.
    bool SetValue(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    // Several keys of one section in one edit, in the given order.
    bool SetValues(std::u16string_view section,
                   const std::vector<std::pair<std::u16string, std::u16string>>& entries);

    // Removes the key from the first section of that name. Returns whether it existed.
    bool DeleteKey(std::u16string_view section, std::u16string_view key);

    // Removes every section of that name with all its lines. Returns whether one existed.
    bool DeleteSection(std::u16string_view section);

    // Section names in file order, each name once (the first spelling found).
    const std::vector<std::u16string>& SectionNames() const { return sectionNames_; }

    bool HasSection(std::u16string_view section) const;

    // Line ending used for lines that edits add: the file's first line ending, LF for an
    // empty text.
    const std::u16string& NewLine() const { return newLine_; }

    // Case-insensitive (ASCII) comparison of two names, blanks at their ends ignored.
    static bool NamesEqual(std::u16string_view a, std::u16string_view b);

private:
    enum class Kind : std::uint8_t { Blank, Comment, Header, Entry, Other };

    struct Line {
        std::u16string text;
        std::u16string ending;  // "\r\n", "\n", "\r" or empty for a last line without one
        // What the text says, found once when the text is set: the section name of a
        // header, the key and the raw value (trimmed, quotes kept) of an entry.
        Kind kind = Kind::Other;
        std::uint32_t nameStart = 0, nameLength = 0;
        std::uint32_t valueStart = 0, valueLength = 0;
        // The file's bytes of the text, for a line that was not UTF-8 and is unchanged.
        std::optional<std::string> original;

        std::u16string_view Name() const { return std::u16string_view(text).substr(nameStart, nameLength); }
        std::u16string_view Value() const { return std::u16string_view(text).substr(valueStart, valueLength); }
    };

    static Line MakeLine(std::u16string text, std::u16string ending);
    // The name as the index keys it: blanks at the ends dropped, ASCII letters lowered.
    static std::u16string FoldName(std::u16string_view name);

    // Index of the first header line of the section, or npos.
    std::size_t FindSection(std::u16string_view section) const;
    // One past the last line that belongs to the section whose header is at `header`.
    std::size_t SectionEnd(std::size_t header) const;
    // Index of the key's line inside the section, or npos.
    std::size_t FindKey(std::size_t header, std::u16string_view key) const;
    // Where a new key of the section goes: after its last entry, or after its header.
    std::size_t InsertionPoint(std::size_t header) const;
    void InsertLine(std::size_t at, std::u16string text);
    // Rebuilds the section index after lines were added or removed.
    void Reindex();

    std::vector<Line> lines_;
    std::u16string newLine_ = u"\n";
    // Line indices of all header lines, in order.
    std::vector<std::size_t> headers_;
    // Folded section name -> line index of its first header.
    std::unordered_map<std::u16string, std::size_t> firstHeader_;
    std::vector<std::u16string> sectionNames_;
};

}  // namespace platform
