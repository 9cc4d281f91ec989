#include "app/dialogs/format_shortcut_key.h"

#include "platform/key_translation.h"

namespace brindle {

std::u16string FormatShortcutKey(const ShortcutKey& key)
{
    // Key names are known by the one byte of a scan code; a stored value outside it
    // names no key (rather than some other key by its low byte).
    if (key.scanCode <= 0 || key.scanCode > 0xFF)
        return {};
    const std::u16string name = platform::KeyNameText(key.scanCode, key.extendScanCode);
    if (name.empty())
        return {};
    std::u16string text;
    if (key.systemKey & platform::kModControl)
        text += u" Ctrl +";
    if (key.systemKey & platform::kModShift)
        text += u" Shift +";
    if (key.systemKey & platform::kModAlt)
        text += u" Alt +";
    text += u' ';
    text += name;
    return text;
}

}  // namespace brindle
