// The extended symbol file: one section per user symbol, named after it. A section
// holds the fourteen font keys of the font file, "Char Name" (base64 of the character
// text's UTF-16LE bytes), "Placement", "H Offset", "V Offset" and, when the symbol has
// one, its shortcut under the five keys of the shortcut file. Each operation looks at
// the file once, however many sections it has.
#pragma once

#include <string>
#include <string_view>

#include "app/settings/extend_symbol.h"
#include "app/settings/settings_file_base.h"
#include "app/settings/shortcut_key.h"

namespace brindle {

class ExtendSymbolFile : public SettingsFileBase {
public:
    ExtendSymbolFile() = default;

    // Number of symbols (sections) in the file.
    int GetSymbolCount() const;
    // The symbol of the index-th section in file order; an empty record (ExtendSymbol{})
    // for an index outside 0 .. count - 1.
    ExtendSymbol GetSymbol(int index) const;
    // Writes the symbol into the section of its name, creating it if needed. False for an
    // empty name or when the file could not be written.
    bool SetSymbol(const ExtendSymbol& symbol);
    // Removes the symbol's section, its shortcut with it.
    bool DeleteSymbol(std::u16string_view name);
    bool DeleteSymbol(const ExtendSymbol& symbol) { return DeleteSymbol(symbol.name); }

    ShortcutKey GetShortcut(std::u16string_view name) const { return ReadShortcut(name); }
    bool SetShortcut(std::u16string_view name, const ShortcutKey& key) { return WriteShortcut(name, key); }

    // A symbol read from a section: a missing section gives an empty character text, the
    // font of a missing font section and zero offsets and placement.
    ExtendSymbol ReadSymbol(std::u16string_view section) const { return ReadSymbol(File().Snapshot(), section); }
    static ExtendSymbol ReadSymbol(const ProfileSnapshot& file, std::u16string_view section);
    bool WriteSymbol(std::u16string_view section, const ExtendSymbol& symbol);
    ShortcutKey ReadShortcut(std::u16string_view section) const;
    bool WriteShortcut(std::u16string_view section, const ShortcutKey& key);
};

}  // namespace brindle
