#include "app/settings/extend_symbol_file.h"

#include "app/settings/base64_decoder.h"
#include "app/settings/base64_encoder.h"
#include "app/settings/font_file.h"
#include "app/settings/shortcut_file.h"

namespace brindle {

int ExtendSymbolFile::GetSymbolCount() const
{
    return File().Snapshot().GetSectionCount();
}

ExtendSymbol ExtendSymbolFile::GetSymbol(int index) const
{
    const ProfileSnapshot file = File().Snapshot();
    if (index < 0 || index >= file.GetSectionCount())
        return ExtendSymbol{};
    return ReadSymbol(file, file.GetSectionName(index));
}

bool ExtendSymbolFile::SetSymbol(const ExtendSymbol& symbol)
{
    return WriteSymbol(symbol.name, symbol);
}

bool ExtendSymbolFile::DeleteSymbol(std::u16string_view name)
{
    return File().DeleteSection(name);
}

ExtendSymbol ExtendSymbolFile::ReadSymbol(const ProfileSnapshot& file, std::u16string_view section)
{
    ExtendSymbol symbol;
    symbol.name = std::u16string(section);
    symbol.font = FontFile::ReadFont(file, section);
    symbol.charText = Base64Decoder().Decode(file.ReadString(section, u"Char Name", u""));
    symbol.placement = file.ReadInt(section, u"Placement", 0);
    symbol.hOffset = file.ReadInt(section, u"H Offset", 0);
    symbol.vOffset = file.ReadInt(section, u"V Offset", 0);
    return symbol;
}

bool ExtendSymbolFile::WriteSymbol(std::u16string_view section, const ExtendSymbol& symbol)
{
    auto entries = FontFile::FontEntries(symbol.font);
    entries.emplace_back(u"Char Name", Base64Encoder().Encode(symbol.charText));
    entries.emplace_back(u"Placement", ProfileFile::FormatInt(symbol.placement));
    entries.emplace_back(u"H Offset", ProfileFile::FormatInt(symbol.hOffset));
    entries.emplace_back(u"V Offset", ProfileFile::FormatInt(symbol.vOffset));
    return File().WriteStrings(section, entries);
}

ShortcutKey ExtendSymbolFile::ReadShortcut(std::u16string_view section) const
{
    return ShortcutFile::ReadShortcut(File(), section);
}

bool ExtendSymbolFile::WriteShortcut(std::u16string_view section, const ShortcutKey& key)
{
    return ShortcutFile::WriteShortcut(File(), section, key);
}

}  // namespace brindle
