// Qt key events to virtual keys, set-1 scan codes and modifier masks.
#include "platform/key_translation.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

using platform::KeyStroke;
using platform::ScanCode;
using platform::TranslateKeyEvent;

// X11 and Wayland key codes are the kernel's key numbers plus 8.
constexpr quint32 Native(quint32 kernelKey) { return kernelKey + 8; }

QKeyEvent Key(int key, Qt::KeyboardModifiers modifiers, quint32 native, const QString& text = {})
{
    return QKeyEvent(QEvent::KeyPress, key, modifiers, native, 0, 0, text);
}

TEST(KeyTranslationTest, KeyEventsGiveVirtualKeysScanCodesAndModifiers)
{
    struct Case {
        const char* name;
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        quint32 native;
        int virtualKey;
        ScanCode scan;
        int mask;
    };
    const Case cases[] = {
        {"A", Qt::Key_A, Qt::NoModifier, Native(30), 65, {0x1E, false}, 0},
        {"A without a native code", Qt::Key_A, Qt::NoModifier, 0, 65, {0x1E, false}, 0},
        {"Ctrl+Shift+A", Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, Native(30), 65, {0x1E, false}, 3},
        {"Alt+Z", Qt::Key_Z, Qt::AltModifier, Native(44), 90, {0x2C, false}, 4},
        {"main Enter", Qt::Key_Return, Qt::NoModifier, Native(28), 13, {0x1C, false}, 0},
        {"numeric-pad Enter", Qt::Key_Enter, Qt::KeypadModifier, Native(96), 13, {0x1C, true}, 0},
        {"numeric-pad Enter, no native code", Qt::Key_Enter, Qt::KeypadModifier, 0, 13, {0x1C, true}, 0},
        {"Home", Qt::Key_Home, Qt::NoModifier, Native(102), 0x24, {0x47, true}, 0},
        {"keypad 7 as Home", Qt::Key_Home, Qt::KeypadModifier, Native(71), 0x24, {0x47, false}, 0},
        {"keypad 7 as Home, no native code", Qt::Key_Home, Qt::KeypadModifier, 0, 0x24, {0x47, false}, 0},
        {"keypad 5", Qt::Key_5, Qt::KeypadModifier, Native(76), 0x65, {0x4C, false}, 0},
        {"keypad plus", Qt::Key_Plus, Qt::KeypadModifier, Native(78), 107, {0x4E, false}, 0},
        {"Ctrl with the plus key", Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, Native(13), 187, {0x0D, false}, 3},
        {"minus key", Qt::Key_Minus, Qt::NoModifier, Native(12), 189, {0x0C, false}, 0},
        {"Shift+1 is the 1 key", Qt::Key_Exclam, Qt::ShiftModifier, Native(2), '1', {0x02, false}, 2},
        {"right Ctrl (the event counts the key itself)", Qt::Key_Control, Qt::NoModifier, Native(97), 17, {0x1D, true}, 1},
        {"Delete", Qt::Key_Delete, Qt::NoModifier, Native(111), 46, {0x53, true}, 0},
        {"F5", Qt::Key_F5, Qt::NoModifier, Native(63), 0x74, {0x3F, false}, 0},
        {"F12", Qt::Key_F12, Qt::NoModifier, Native(88), 0x7B, {0x58, false}, 0},
        {"Space", Qt::Key_Space, Qt::NoModifier, Native(57), 32, {0x39, false}, 0},
        {"PageDown", Qt::Key_PageDown, Qt::NoModifier, Native(109), 34, {0x51, true}, 0},
        {"a Cyrillic letter on the A key", 0x0424, Qt::NoModifier, Native(30), 65, {0x1E, false}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QKeyEvent event = Key(c.qtKey, c.modifiers, c.native);
        const KeyStroke stroke = TranslateKeyEvent(event);
        EXPECT_EQ(stroke.virtualKey, c.virtualKey);
        EXPECT_EQ(stroke.scan, c.scan);
        EXPECT_EQ(stroke.modifiers, c.mask);
        EXPECT_EQ(stroke.repeatCount, 1);
    }
}

TEST(KeyTranslationTest, KeyFlagsPackScanCodeExtendedBitAndRepeat)
{
    const QKeyEvent enter = Key(Qt::Key_Enter, Qt::KeypadModifier, Native(96));
    const KeyStroke stroke = TranslateKeyEvent(enter);
    EXPECT_EQ(stroke.Flags(), 0x11Cu);
    EXPECT_EQ(stroke.Flags() & 0xFF, 0x1Cu);
    EXPECT_NE(stroke.Flags() & platform::kKfExtended, 0u);

    const QKeyEvent repeated(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, Native(30), 0, 0, QStringLiteral("a"),
                             true);
    EXPECT_EQ(TranslateKeyEvent(repeated).Flags(), 0x1Eu | platform::kKfRepeat);
}

TEST(KeyTranslationTest, UnknownNativeCodesFallBackOrGiveNothing)
{
    EXPECT_EQ(platform::ScanCodeFromNative(0), ScanCode{});
    EXPECT_EQ(platform::ScanCodeFromNative(5), ScanCode{});
    EXPECT_EQ(platform::ScanCodeFromNative(Native(84)), ScanCode{});
    EXPECT_EQ(platform::ScanCodeFromNative(Native(600)), ScanCode{});
    EXPECT_EQ(platform::VirtualKeyFromQt(Qt::Key_unknown, Qt::NoModifier), 0);
}

TEST(KeyTranslationTest, ModifierAndMouseMasks)
{
    EXPECT_EQ(platform::ModifierMask(Qt::NoModifier), 0);
    EXPECT_EQ(platform::ModifierMask(Qt::ControlModifier | Qt::ShiftModifier), 3);
    EXPECT_EQ(platform::ModifierMask(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier), 7);
    EXPECT_EQ(platform::MouseFlags(Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier), 0x0Du);
    EXPECT_EQ(platform::MouseFlags(Qt::RightButton | Qt::MiddleButton, Qt::AltModifier), 0x12u);
}

TEST(KeyTranslationTest, CurrentModifierMaskFollowsTheEventBeingHandled)
{
    {
        platform::ScopedModifierState outer(3);
        EXPECT_EQ(platform::CurrentModifierMask(), 3);
        {
            platform::ScopedModifierState inner(4);
            EXPECT_EQ(platform::CurrentModifierMask(), 4);
        }
        EXPECT_EQ(platform::CurrentModifierMask(), 3);
    }
    EXPECT_EQ(platform::CurrentModifierMask(), platform::ModifierMask(QGuiApplication::keyboardModifiers()));
}

TEST(KeyTranslationTest, KeyNamesByScanCode)
{
    struct Case {
        int scan;
        bool extended;
        std::u16string name;
    };
    const Case cases[] = {
        {0x1E, false, u"A"},      {0x1C, false, u"Enter"}, {0x1C, true, u"Num Enter"}, {0x47, false, u"Num 7"},
        {0x47, true, u"Home"},    {0x3F, false, u"F5"},    {0x57, false, u"F11"},      {0x0C, false, u"-"},
        {0x39, false, u"Space"},  {0x1D, true, u"Right Ctrl"}, {0, false, u""},        {0x7F, false, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scan);
        EXPECT_EQ(platform::KeyNameText(c.scan, c.extended), c.name);
    }
}

}  // namespace
