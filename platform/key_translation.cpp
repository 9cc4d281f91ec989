#include "platform/key_translation.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <array>
#include <optional>

namespace platform {
namespace {

// Kernel key numbers above the plain block that set 1 codes differently.
struct NativeEntry {
    std::uint32_t key;
    ScanCode scan;
};

constexpr NativeEntry kNativeTable[] = {
    {69, {0x45, true}},     // Num Lock carries the extended bit
    {89, {0x73, false}},    // Ro
    {90, {0x78, false}},    // Katakana
    {91, {0x77, false}},    // Hiragana
    {92, {0x79, false}},    // Henkan
    {93, {0x70, false}},    // Katakana/Hiragana
    {94, {0x7B, false}},    // Muhenkan
    {95, {0x5C, false}},    // keypad Japanese comma
    {96, {0x1C, true}},     // keypad Enter
    {97, {0x1D, true}},     // right Ctrl
    {98, {0x35, true}},     // keypad /
    {99, {0x37, true}},     // Print Screen
    {100, {0x38, true}},    // right Alt
    {102, {0x47, true}},    // Home
    {103, {0x48, true}},    // Up
    {104, {0x49, true}},    // Page Up
    {105, {0x4B, true}},    // Left
    {106, {0x4D, true}},    // Right
    {107, {0x4F, true}},    // End
    {108, {0x50, true}},    // Down
    {109, {0x51, true}},    // Page Down
    {110, {0x52, true}},    // Insert
    {111, {0x53, true}},    // Delete
    {113, {0x20, true}},    // Mute
    {114, {0x2E, true}},    // Volume Down
    {115, {0x30, true}},    // Volume Up
    {117, {0x59, false}},   // keypad =
    {119, {0x45, false}},   // Pause
    {121, {0x7E, false}},   // keypad comma
    {124, {0x7D, false}},   // Yen
    {125, {0x5B, true}},    // left Windows key
    {126, {0x5C, true}},    // right Windows key
    {127, {0x5D, true}},    // Menu
    {183, {0x64, false}},   // F13
    {184, {0x65, false}},   // F14
    {185, {0x66, false}},   // F15
    {186, {0x67, false}},   // F16
    {194, {0x76, false}},   // F24
};

// Letters A-Z on the US layout.
constexpr std::array<int, 26> kLetterScan{0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                          0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                          0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
// Numeric pad 0-9 (Num Lock on).
constexpr std::array<int, 10> kNumpadScan{0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};

std::optional<int> g_modifierOverride;

}  // namespace

int ModifierMask(Qt::KeyboardModifiers modifiers)
{
    int mask = 0;
    if (modifiers & Qt::ControlModifier)
        mask |= kModControl;
    if (modifiers & Qt::ShiftModifier)
        mask |= kModShift;
    if (modifiers & Qt::AltModifier)
        mask |= kModAlt;
    return mask;
}

unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    unsigned flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= kMkLButton;
    if (buttons & Qt::RightButton)
        flags |= kMkRButton;
    if (buttons & Qt::MiddleButton)
        flags |= kMkMButton;
    if (modifiers & Qt::ShiftModifier)
        flags |= kMkShift;
    if (modifiers & Qt::ControlModifier)
        flags |= kMkControl;
    return flags;
}

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers & Qt::KeypadModifier;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? 0x60 + (qtKey - Qt::Key_0) : '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return kVkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return kVkTab;
    case Qt::Key_Clear: return 0x0C;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kVkReturn;
    case Qt::Key_Shift: return kVkShift;
    case Qt::Key_Control: return kVkControl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return kVkMenu;
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_CapsLock: return 0x14;
    case Qt::Key_Escape: return kVkEscape;
    case Qt::Key_Space: return kVkSpace;
    case Qt::Key_PageUp: return kVkPrior;
    case Qt::Key_PageDown: return kVkNext;
    case Qt::Key_End: return kVkEnd;
    case Qt::Key_Home: return kVkHome;
    case Qt::Key_Left: return kVkLeft;
    case Qt::Key_Up: return kVkUp;
    case Qt::Key_Right: return kVkRight;
    case Qt::Key_Down: return kVkDown;
    case Qt::Key_Print: return 0x2C;
    case Qt::Key_Insert: return kVkInsert;
    case Qt::Key_Delete: return kVkDelete;
    case Qt::Key_Meta: return 0x5B;
    case Qt::Key_Menu: return 0x5D;
    case Qt::Key_NumLock: return 0x90;
    case Qt::Key_ScrollLock: return 0x91;
    case Qt::Key_Asterisk: return keypad ? 0x6A : '8';
    case Qt::Key_Plus: return keypad ? kVkAdd : kVkOemPlus;
    case Qt::Key_Minus: return keypad ? kVkSubtract : kVkOemMinus;
    case Qt::Key_Period: return keypad ? 0x6E : 0xBE;
    case Qt::Key_Slash: return keypad ? 0x6F : 0xBF;
    case Qt::Key_Comma: return keypad ? 0x6C : 0xBC;
    case Qt::Key_Equal: return kVkOemPlus;
    case Qt::Key_Underscore: return kVkOemMinus;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 0xBA;
    case Qt::Key_Less: return 0xBC;
    case Qt::Key_Greater: return 0xBE;
    case Qt::Key_Question: return 0xBF;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 0xC0;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 0xDB;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 0xDC;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 0xDD;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 0xDE;
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    default: return 0;
    }
}

ScanCode ScanCodeFromNative(std::uint32_t nativeScanCode)
{
    if (nativeScanCode < 8)
        return {};
    const std::uint32_t key = nativeScanCode - 8;
    for (const auto& entry : kNativeTable)
        if (entry.key == key)
            return entry.scan;
    // The main block, the function keys F1-F12 and the numeric pad share their numbers
    // with set 1.
    if (key >= 1 && key <= 88 && key != 84)
        return {static_cast<int>(key), false};
    if (key >= 187 && key <= 193)  // F17-F23
        return {static_cast<int>(0x68 + (key - 187)), false};
    return {};
}

ScanCode ScanCodeFromVirtualKey(int vk, bool keypad)
{
    if (vk >= 'A' && vk <= 'Z')
        return {kLetterScan[static_cast<std::size_t>(vk - 'A')], false};
    if (vk >= '1' && vk <= '9')
        return {0x02 + (vk - '1'), false};
    if (vk >= 0x60 && vk <= 0x69)
        return {kNumpadScan[static_cast<std::size_t>(vk - 0x60)], false};
    if (vk >= 0x70 && vk <= 0x79)  // F1-F10
        return {0x3B + (vk - 0x70), false};
    if (vk >= 0x7C && vk <= 0x86)  // F13-F23
        return {0x64 + (vk - 0x7C), false};
    // The cursor block is extended; its numeric-pad twins (Num Lock off) are not.
    const auto block = [keypad](int code) { return ScanCode{code, !keypad}; };
    switch (vk) {
    case '0': return {0x0B, false};
    case kVkBack: return {0x0E, false};
    case kVkTab: return {0x0F, false};
    case 0x0C: return {0x4C, false};  // Clear: keypad 5 with Num Lock off
    case kVkReturn: return {0x1C, keypad};
    case kVkShift: return {0x2A, false};
    case kVkControl: return {0x1D, false};
    case kVkMenu: return {0x38, false};
    case 0x13: return {0x45, false};  // Pause
    case 0x14: return {0x3A, false};  // Caps Lock
    case kVkEscape: return {0x01, false};
    case kVkSpace: return {0x39, false};
    case kVkPrior: return block(0x49);
    case kVkNext: return block(0x51);
    case kVkEnd: return block(0x4F);
    case kVkHome: return block(0x47);
    case kVkLeft: return block(0x4B);
    case kVkUp: return block(0x48);
    case kVkRight: return block(0x4D);
    case kVkDown: return block(0x50);
    case 0x2C: return {0x37, true};  // Print Screen
    case kVkInsert: return block(0x52);
    case kVkDelete: return block(0x53);
    case 0x5B: return {0x5B, true};
    case 0x5C: return {0x5C, true};
    case 0x5D: return {0x5D, true};
    case 0x6A: return {0x37, false};  // keypad *
    case kVkAdd: return {0x4E, false};
    case kVkSubtract: return {0x4A, false};
    case 0x6E: return {0x53, false};  // keypad .
    case 0x6F: return {0x35, true};   // keypad /
    case 0x7A: return {0x57, false};  // F11
    case 0x7B: return {0x58, false};  // F12
    case 0x87: return {0x76, false};  // F24
    case 0x90: return {0x45, true};   // Num Lock
    case 0x91: return {0x46, false};  // Scroll Lock
    case 0xBA: return {0x27, false};
    case kVkOemPlus: return {0x0D, false};
    case 0xBC: return {0x33, false};
    case kVkOemMinus: return {0x0C, false};
    case 0xBE: return {0x34, false};
    case 0xBF: return {0x35, false};
    case 0xC0: return {0x29, false};
    case 0xDB: return {0x1A, false};
    case 0xDC: return {0x2B, false};
    case 0xDD: return {0x1B, false};
    case 0xDE: return {0x28, false};
    case 0xE2: return {0x56, false};
    default: return {};
    }
}

KeyStroke TranslateKeyEvent(const QKeyEvent& event)
{
    KeyStroke stroke;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    stroke.virtualKey = VirtualKeyFromQt(event.key(), modifiers);
    stroke.repeatCount = event.count() > 0 ? event.count() : 1;
    stroke.autoRepeat = event.isAutoRepeat();
    stroke.modifiers = ModifierMask(modifiers);
    stroke.scan = ScanCodeFromNative(event.nativeScanCode());
    if (stroke.scan.code == 0)
        stroke.scan = ScanCodeFromVirtualKey(stroke.virtualKey, modifiers & Qt::KeypadModifier);
    if (stroke.virtualKey == 0 && stroke.scan.code != 0) {
        // A key of another layout without a Latin meaning: the key at that place on a US
        // keyboard, so bindings by key still work.
        for (int vk = 1; vk < 0xFF && stroke.virtualKey == 0; ++vk)
            for (bool keypad : {false, true})
                if (ScanCodeFromVirtualKey(vk, keypad) == stroke.scan) {
                    stroke.virtualKey = vk;
                    break;
                }
    }
    return stroke;
}

std::u16string KeyNameText(int scanCode, bool extended)
{
    // Keys whose name is the character on them (US layout), by scan code.
    static const char* const kMainBlock[0x36] = {
        nullptr, nullptr, "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "=", nullptr, nullptr,
        "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "[", "]", nullptr, nullptr, "A", "S",
        "D", "F", "G", "H", "J", "K", "L", ";", "'", "`", nullptr, "\\", "Z", "X", "C", "V",
        "B", "N", "M", ",", ".", "/"};
    struct Named {
        int code;
        const char* plain;
        const char* extendedName;
    };
    static constexpr Named kNamed[] = {
        {0x01, "Esc", "Esc"}, {0x0E, "Backspace", "Backspace"}, {0x0F, "Tab", "Tab"},
        {0x1C, "Enter", "Num Enter"}, {0x1D, "Ctrl", "Right Ctrl"}, {0x2A, "Shift", "Shift"},
        {0x35, "/", "Num /"}, {0x36, "Right Shift", "Right Shift"}, {0x37, "Num *", "Prnt Scrn"},
        {0x38, "Alt", "Right Alt"}, {0x39, "Space", "Space"}, {0x3A, "Caps Lock", "Caps Lock"},
        {0x45, "Pause", "Num Lock"}, {0x46, "Scroll Lock", "Scroll Lock"}, {0x47, "Num 7", "Home"},
        {0x48, "Num 8", "Up"}, {0x49, "Num 9", "Page Up"}, {0x4A, "Num -", "Num -"},
        {0x4B, "Num 4", "Left"}, {0x4C, "Num 5", "Num 5"}, {0x4D, "Num 6", "Right"},
        {0x4E, "Num +", "Num +"}, {0x4F, "Num 1", "End"}, {0x50, "Num 2", "Down"},
        {0x51, "Num 3", "Page Down"}, {0x52, "Num 0", "Insert"}, {0x53, "Num Del", "Delete"},
        {0x56, "\\", "\\"}, {0x57, "F11", "F11"}, {0x58, "F12", "F12"},
        {0x5B, nullptr, "Left Windows"}, {0x5C, nullptr, "Right Windows"}, {0x5D, nullptr, "Application"},
    };
    const auto ascii = [](const char* text) {
        std::u16string out;
        for (const char* p = text; *p; ++p)
            out.push_back(static_cast<char16_t>(*p));
        return out;
    };
    for (const auto& named : kNamed)
        if (named.code == scanCode) {
            const char* name = extended ? named.extendedName : named.plain;
            return name ? ascii(name) : std::u16string();
        }
    if (scanCode >= 0x3B && scanCode <= 0x44)
        return u"F" + ascii(std::to_string(scanCode - 0x3B + 1).c_str());
    if (scanCode > 0 && scanCode < 0x36 && kMainBlock[scanCode])
        return ascii(kMainBlock[scanCode]);
    return {};
}

int CurrentModifierMask()
{
    if (g_modifierOverride)
        return *g_modifierOverride;
    return ModifierMask(QGuiApplication::keyboardModifiers());
}

ScopedModifierState::ScopedModifierState(int mask)
    : previous_(g_modifierOverride.value_or(0)), hadPrevious_(g_modifierOverride.has_value())
{
    g_modifierOverride = mask;
}

ScopedModifierState::~ScopedModifierState()
{
    if (hadPrevious_)
        g_modifierOverride = previous_;
    else
        g_modifierOverride.reset();
}

}  // namespace platform
