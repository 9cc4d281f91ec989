// One keyboard shortcut as the settings files store it.
#pragma once

namespace brindle {

struct ShortcutKey {
    int systemKey = 0;            // modifier mask: 1 Ctrl, 2 Shift, 4 Alt; 0 none
    int virtualKey = 0;           // desktop virtual-key code
    int scanCode = 0;             // keyboard scan code (set 1)
    bool extendScanCode = false;  // extended key (scan code prefixed by E0)
    bool usingScanCode = false;   // match by scan code instead of virtual key

    friend bool operator==(const ShortcutKey&, const ShortcutKey&) = default;
};

}  // namespace brindle
