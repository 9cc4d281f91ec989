#include "app/settings/shortcut_file.h"

namespace brindle {

ShortcutKey ShortcutFile::ReadShortcut(const ProfileSnapshot& file, std::u16string_view section)
{
    ShortcutKey key;
    key.systemKey = file.ReadInt(section, u"System Key", 0);
    key.virtualKey = file.ReadInt(section, u"Virtual Key", 0);
    key.scanCode = file.ReadInt(section, u"Scan Code", 0);
    key.extendScanCode = file.ReadBool(section, u"Extend Scan Code", false);
    key.usingScanCode = file.ReadBool(section, u"Using Scan Code", false);
    return key;
}

bool ShortcutFile::WriteShortcut(ProfileFile& file, std::u16string_view section, const ShortcutKey& key)
{
    const auto number = [](int value) { return ProfileFile::FormatInt(value); };
    return file.WriteStrings(section, {
                                          {u"System Key", number(key.systemKey)},
                                          {u"Virtual Key", number(key.virtualKey)},
                                          {u"Scan Code", number(key.scanCode)},
                                          {u"Extend Scan Code", ProfileFile::FormatBool(key.extendScanCode)},
                                          {u"Using Scan Code", ProfileFile::FormatBool(key.usingScanCode)},
                                      });
}

}  // namespace brindle
