// The text shown for a stored key: modifiers in the order Ctrl, Shift, Alt, then a blank
// and the key's name; nothing at all for a key without a name.
#include "app/dialogs/format_shortcut_key.h"

#include <gtest/gtest.h>

#include "tests/app/dialogs/settings_dialog_test_util.h"

namespace {

using brindle::FormatShortcutKey;
using brindle::ShortcutKey;

struct Case {
    const char* what;
    ShortcutKey key;
    std::u16string_view text;
};

const Case kCases[] = {
    {"plain key", {0, 0x41, 0x1E, false, false}, u" A"},
    {"Ctrl", {1, 0x41, 0x1E, false, true}, u" Ctrl + A"},
    {"Shift", {2, 0, 0x02, false, true}, u" Shift + 1"},
    {"Alt", {4, 0, 0x3B, false, true}, u" Alt + F1"},
    {"Ctrl and Shift", {3, 0, 0x1E, false, true}, u" Ctrl + Shift + A"},
    {"all three in fixed order", {7, 0, 0x2C, false, true}, u" Ctrl + Shift + Alt + Z"},
    {"extended key", {0, 0, 0x1C, true, true}, u" Num Enter"},
    {"same scan code, not extended", {0, 0, 0x1C, false, true}, u" Enter"},
    {"extended cursor key", {1, 0, 0x48, true, true}, u" Ctrl + Up"},
    {"virtual key plays no part", {0, 0x70, 0x1E, false, false}, u" A"},
    {"scan code 0 has no name", {0, 0x41, 0, false, false}, u""},
    {"no name means no modifiers either", {7, 0x41, 0, false, true}, u""},
    {"unknown scan code", {1, 0, 0x7F, false, true}, u""},
    {"stored code beyond one byte", {0, 0, 0x11E, false, true}, u""},
    {"negative stored code", {0, 0, -5, false, true}, u""},
};

TEST(FormatShortcutKey, TableOfKeys)
{
    for (const Case& c : kCases)
        EXPECT_EQ(dialog_test::Utf8(FormatShortcutKey(c.key)), dialog_test::Utf8(c.text)) << c.what;
}

}  // namespace
