// Keys and mouse buttons as the desktop codes them, so that stored shortcut files keep
// their meaning: Qt keys become virtual-key codes, the keyboard's native codes become
// set-1 scan codes with the extended-key flag, and modifiers become the mask
// Ctrl 1 | Shift 2 | Alt 4 (keys) or the MK_* flags (mouse).
#pragma once

#include <Qt>

#include <cstdint>
#include <string>

class QKeyEvent;

namespace platform {

// Modifier mask of keys and queued inputs.
inline constexpr int kModControl = 1;
inline constexpr int kModShift = 2;
inline constexpr int kModAlt = 4;

// Mouse flags of pointer events.
inline constexpr unsigned kMkLButton = 0x01;
inline constexpr unsigned kMkRButton = 0x02;
inline constexpr unsigned kMkShift = 0x04;
inline constexpr unsigned kMkControl = 0x08;
inline constexpr unsigned kMkMButton = 0x10;

// Virtual keys the program names.
inline constexpr int kVkBack = 0x08;
inline constexpr int kVkTab = 0x09;
inline constexpr int kVkReturn = 0x0D;
inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkMenu = 0x12;  // Alt
inline constexpr int kVkEscape = 0x1B;
inline constexpr int kVkSpace = 0x20;
inline constexpr int kVkPrior = 0x21;  // Page Up
inline constexpr int kVkNext = 0x22;   // Page Down
inline constexpr int kVkEnd = 0x23;
inline constexpr int kVkHome = 0x24;
inline constexpr int kVkLeft = 0x25;
inline constexpr int kVkUp = 0x26;
inline constexpr int kVkRight = 0x27;
inline constexpr int kVkDown = 0x28;
inline constexpr int kVkInsert = 0x2D;
inline constexpr int kVkDelete = 0x2E;
inline constexpr int kVkAdd = 0x6B;
inline constexpr int kVkSubtract = 0x6D;
inline constexpr int kVkOemPlus = 0xBB;
inline constexpr int kVkOemMinus = 0xBD;

// Bits of the key flags word of a key-down: scan code in bits 0-7, extended key in bit 8,
// key already down (auto-repeat) in bit 14.
inline constexpr unsigned kKfExtended = 0x100;
inline constexpr unsigned kKfRepeat = 0x4000;

struct ScanCode {
    int code = 0;  // set-1 scan code, 0 when unknown
    bool extended = false;
    friend bool operator==(const ScanCode&, const ScanCode&) = default;
};

// One key press or release in the desktop's terms.
struct KeyStroke {
    int virtualKey = 0;
    int repeatCount = 1;
    ScanCode scan;
    bool autoRepeat = false;
    int modifiers = 0;  // kMod* mask

    // The key flags word handed to key handlers.
    unsigned Flags() const
    {
        return static_cast<unsigned>(scan.code & 0xFF) | (scan.extended ? kKfExtended : 0u) |
               (autoRepeat ? kKfRepeat : 0u);
    }
};

// Ctrl 1 | Shift 2 | Alt 4.
int ModifierMask(Qt::KeyboardModifiers modifiers);

// MK_* flags of a pointer event: buttons held and Shift / Ctrl.
unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

// The virtual key of a Qt key; the keypad modifier picks the numeric-pad codes. Shifted
// symbols give the key they are on (Shift+1 gives '1'), as a US keyboard has them. 0 for a
// key without a code.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);

// The set-1 scan code of a native key code of the Linux window systems (X11 and Wayland
// key codes: the kernel's key number plus 8). Unknown codes give {0, false}.
ScanCode ScanCodeFromNative(std::uint32_t nativeScanCode);

// The set-1 scan code of a virtual key on a US keyboard; `keypad` picks the numeric-pad
// key where a code has two (Enter, the cursor block, the operators). {0, false} when the
// key has none.
ScanCode ScanCodeFromVirtualKey(int virtualKey, bool keypad);

// The whole translation of a key event: the native code when the window system gives
// one, else the scan code of the virtual key.
KeyStroke TranslateKeyEvent(const QKeyEvent& event);

// The name of a key by its scan code, as shortcut lists show it ("A", "Enter",
// "Num Enter", "F5"); empty for scan code 0 and for codes without a name.
std::u16string KeyNameText(int scanCode, bool extended);

// The modifier mask in force now: while a key or pointer event is being handled, that
// event's modifiers; otherwise the application's last known keyboard state. Handlers that
// ask for the modifier state at the moment of the call use this.
int CurrentModifierMask();

// Makes CurrentModifierMask report the given mask while it lives (event dispatch and
// tests); scopes nest.
class ScopedModifierState {
public:
    explicit ScopedModifierState(int mask);
    ~ScopedModifierState();
    ScopedModifierState(const ScopedModifierState&) = delete;
    ScopedModifierState& operator=(const ScopedModifierState&) = delete;

private:
    int previous_;
    bool hadPrevious_;
};

}  // namespace platform
