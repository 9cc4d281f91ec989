#include "app/settings/extend_symbol_file.h"

#include "app/settings/base64_decoder.h"
#include "app/settings/base64_encoder.h"
#include "app/settings/font_file.h"
#include "app/settings/shortcut_file.h"

namespace brindle {

int ExtendSymbolFile::GetSymbolCount() const
{
    return static_cast<int>(File().GetSectionNames().size());
}

ExtendSymbol ExtendSymbolFile::GetSymbol(int index) const
{
    const std::vector<std::u16string> names = File().GetSectionNames();
    if (index < 0 || static_cast<std::size_t>(index) >= names.size())
        return ExtendSymbol{};
    return ReadSymbol(names[static_cast<std::size_t>(index)]);
}

bool ExtendSymbolFile::SetSymbol(const ExtendSymbol& symbol)
{
    return WriteSymbol(symbol.name, symbol);
}

bool ExtendSymbolFile::DeleteSymbol(std::u16string_view name)
{
    return File().DeleteSection(name);
}

ExtendSymbol ExtendSymbolFile::ReadSymbol(std::u16string_view section) const
{
    ExtendSymbol symbol;
    symbol.name = std::u16string(section);
    symbol.font = FontFile::ReadFont(File(), section);
    symbol.charText = Base64Decoder().Decode(File().ReadString(section, u"Char Name", u""));
    symbol.placement = File().ReadInt(section, u"Placement", 0);
    symbol.hOffset = File().ReadInt(section, u"H Offset", 0);
    symbol.vOffset = File().ReadInt(section, u"V Offset", 0);
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
