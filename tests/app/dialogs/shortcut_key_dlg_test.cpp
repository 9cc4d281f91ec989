// The key-capture dialog, answered from a script: keys pressed on its controls are
// captured with the modifiers held, Enter and lone modifiers change nothing, Escape
// clears and closes nothing, OK keeps the virtual key.
#include "app/dialogs/shortcut_key_dlg.h"

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include "platform/scripted_dialog_service.h"
#include "tests/app/dialogs/settings_dialog_test_util.h"

namespace {

using brindle::CShortcutKeyDlg;
using brindle::ShortcutKey;
using dialog_test::PressKey;
using dialog_test::Utf8;
using platform::DialogBase;
using platform::kIdCancel;
using platform::kIdOk;

class ShortcutKeyDlgTest : public ::testing::Test {
protected:
    // Runs the dialog on `key` with `step` doing the user's work.
    int Run(const ShortcutKey& key, std::function<void(CShortcutKeyDlg&)> step)
    {
        service.AnswerModal([step](DialogBase& dialog) { step(static_cast<CShortcutKeyDlg&>(dialog)); });
        dialog.SetShortcutKey(key);
        return dialog.DoModal();
    }
    static std::string Text(const CShortcutKeyDlg& d) { return Utf8(d.GetDlgItemText(CShortcutKeyDlg::kIdKeyText)); }
    static bool Checked(const CShortcutKeyDlg& d, int id) { return d.IsDlgButtonChecked(id) == 1; }
    static QWidget* OkButton(const CShortcutKeyDlg& d) { return d.GetDlgItem(kIdOk); }

    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope{service};
    CShortcutKeyDlg dialog;
};

TEST_F(ShortcutKeyDlgTest, StoredModifiersCheckTheirBoxes)
{
    Run({3, 0x41, 0x1E, false, true}, [](CShortcutKeyDlg& d) {
        EXPECT_TRUE(Checked(d, CShortcutKeyDlg::kIdCtrl));
        EXPECT_TRUE(Checked(d, CShortcutKeyDlg::kIdShift));
        EXPECT_FALSE(Checked(d, CShortcutKeyDlg::kIdAlt));
        EXPECT_EQ(Text(d), " Ctrl + Shift + A");
        d.ClickButton(kIdCancel);
    });
}

TEST_F(ShortcutKeyDlgTest, CtrlAChecksCtrlAndReleasingKeepsIt)
{
    const int result = Run({0, 0x31, 0x02, false, false}, [](CShortcutKeyDlg& d) {
        EXPECT_EQ(Text(d), " 1");
        // Ctrl alone changes nothing, then A with Ctrl held is captured.
        PressKey(OkButton(d), Qt::Key_Control, Qt::ControlModifier);
        EXPECT_FALSE(Checked(d, CShortcutKeyDlg::kIdCtrl));
        EXPECT_EQ(Text(d), " 1");
        PressKey(OkButton(d), Qt::Key_A, Qt::ControlModifier);
        EXPECT_TRUE(Checked(d, CShortcutKeyDlg::kIdCtrl));
        EXPECT_EQ(Text(d), " Ctrl + A");
        // A key without Ctrl does not clear the box.
        PressKey(OkButton(d), Qt::Key_B);
        EXPECT_TRUE(Checked(d, CShortcutKeyDlg::kIdCtrl));
        EXPECT_EQ(Text(d), " Ctrl + B");
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(result, kIdOk);
    EXPECT_EQ(dialog.GetShortcutKey(), (ShortcutKey{1, 0x31, 0x30, false, true}));
}

TEST_F(ShortcutKeyDlgTest, LoneModifiersAndEnterChangeNothingAndDoNotClose)
{
    Run({2, 0x41, 0x1E, false, false}, [](CShortcutKeyDlg& d) {
        for (const int key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Return, Qt::Key_Enter}) {
            PressKey(OkButton(d), key);
            PressKey(&d, key);
            EXPECT_EQ(Text(d), " Shift + A") << key;
            EXPECT_FALSE(d.IsEnded()) << key;
        }
        d.ClickButton(kIdCancel);
    });
}

TEST_F(ShortcutKeyDlgTest, EscapeClearsKeyAndBoxesAndDoesNotClose)
{
    const int result = Run({7, 0x41, 0x1C, true, false}, [](CShortcutKeyDlg& d) {
        EXPECT_EQ(Text(d), " Ctrl + Shift + Alt + Num Enter");
        PressKey(d.GetDlgItem(CShortcutKeyDlg::kIdShift), Qt::Key_Escape);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(Text(d), "");
        EXPECT_FALSE(Checked(d, CShortcutKeyDlg::kIdCtrl));
        EXPECT_FALSE(Checked(d, CShortcutKeyDlg::kIdShift));
        EXPECT_FALSE(Checked(d, CShortcutKeyDlg::kIdAlt));
        // On the dialog window itself as well.
        PressKey(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.IsEnded());
        d.ClickButton(kIdOk);
    });
    ASSERT_EQ(result, kIdOk);
    // No usable key: scan code 0, no modifiers, matched by scan code; the virtual key stays.
    EXPECT_EQ(dialog.GetShortcutKey(), (ShortcutKey{0, 0x41, 0, false, true}));
}

TEST_F(ShortcutKeyDlgTest, ExtendedKeyKeepsItsFlagAndKeyOnTheDialogItselfCounts)
{
    Run({0, 0, 0, false, false}, [](CShortcutKeyDlg& d) {
        EXPECT_EQ(Text(d), "");
        PressKey(&d, Qt::Key_Up, Qt::ShiftModifier);
        EXPECT_EQ(Text(d), " Shift + Up");
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog.GetShortcutKey(), (ShortcutKey{2, 0, 0x48, true, true}));
}

TEST_F(ShortcutKeyDlgTest, KeysWithAltHeldAreSystemKeysAndNotCaptured)
{
    Run({0, 0, 0x1E, false, false}, [](CShortcutKeyDlg& d) {
        PressKey(OkButton(d), Qt::Key_B, Qt::AltModifier);
        EXPECT_EQ(Text(d), " A");
        EXPECT_FALSE(Checked(d, CShortcutKeyDlg::kIdAlt));
        d.ClickButton(kIdCancel);
    });
}

TEST_F(ShortcutKeyDlgTest, ClickingABoxTogglesItsModifier)
{
    Run({0, 0x41, 0x1E, false, false}, [](CShortcutKeyDlg& d) {
        auto* alt = d.Control<QCheckBox>(CShortcutKeyDlg::kIdAlt);
        alt->click();
        EXPECT_EQ(Text(d), " Alt + A");
        d.Control<QCheckBox>(CShortcutKeyDlg::kIdCtrl)->click();
        EXPECT_EQ(Text(d), " Ctrl + Alt + A");
        alt->click();
        EXPECT_EQ(Text(d), " Ctrl + A");
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog.GetShortcutKey(), (ShortcutKey{1, 0x41, 0x1E, false, true}));
}

TEST_F(ShortcutKeyDlgTest, CancelLeavesTheKeyUnchanged)
{
    const ShortcutKey stored{0, 0x41, 0x1E, false, false};
    const int result = Run(stored, [](CShortcutKeyDlg& d) {
        PressKey(OkButton(d), Qt::Key_Z, Qt::ControlModifier);
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(result, kIdCancel);
    EXPECT_EQ(dialog.GetShortcutKey(), stored);
}

}  // namespace
