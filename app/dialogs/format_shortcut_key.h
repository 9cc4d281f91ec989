// The text the shortcut dialogs show for a key: the modifiers, each as " Ctrl +",
// " Shift +" and " Alt +" in that order, then a blank and the key's name, so every text
// that is not empty begins with a blank (" A", " Ctrl + Shift + A"). A key without a
// name (scan code 0 or unknown) gives the empty text, whatever its modifiers. The virtual
// key and the "match by scan code" flag play no part.
#pragma once

#include <string>

#include "app/settings/shortcut_key.h"

namespace brindle {

std::u16string FormatShortcutKey(const ShortcutKey& key);

}  // namespace brindle
