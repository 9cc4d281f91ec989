// The shortcut dialogs run by the program's own dialog service, in a real modal event
// loop (offscreen), with the user's keys and the close box played by timers: Enter and
// Escape keep the capture dialog open, and a key written before the close box still
// reaches the caller.
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/dialogs/shortcut_dlg.h"
#include "app/dialogs/shortcut_key_dlg.h"
#include "app/settings/shortcut_file.h"
#include "platform/dialog_service.h"
#include "tests/app/dialogs/settings_dialog_test_util.h"

namespace {

using brindle::CShortcutDlg;
using brindle::CShortcutKeyDlg;
using brindle::ShortcutFile;
using brindle::ShortcutKey;
using dialog_test::PressKey;

// Runs `work` once the next modal dialog's event loop is running.
void WhenModal(std::function<void(platform::DialogBase&)> work)
{
    QTimer::singleShot(0, [work] {
        auto* dialog = qobject_cast<platform::DialogBase*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        work(*dialog);
    });
}

TEST(RealEventLoop, CaptureDialogKeepsRunningThroughEnterAndEscape)
{
    CShortcutKeyDlg dialog;
    dialog.SetShortcutKey({0, 0x41, 0x1E, false, false});
    bool stillOpen = false;
    WhenModal([&](platform::DialogBase& d) {
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &d;
        PressKey(focus, Qt::Key_Return);
        PressKey(focus, Qt::Key_Escape);
        PressKey(focus, Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
        stillOpen = d.isVisible() && !d.IsEnded();
        d.Control<QPushButton>(platform::kIdOk)->click();
    });
    EXPECT_EQ(dialog.DoModal(), platform::kIdOk);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dialog.GetShortcutKey(), (ShortcutKey{3, 0x41, 0x22, false, true}));
}

TEST(RealEventLoop, TheCloseBoxAfterAWriteTellsTheCaller)
{
    dialog_test::TestFolder data{dialog_test::TestFolder::Names::SettingsFiles};
    data.Write("settings/Shortcut.ini", "");
    CShortcutDlg dialog;
    dialog.SetDataFolder(data.Data());
    WhenModal([&](platform::DialogBase& d) {
        // The capture dialog the row opens: a key, then its OK button.
        WhenModal([](platform::DialogBase& capture) {
            PressKey(capture.GetDlgItem(platform::kIdOk), Qt::Key_K);
            capture.Control<QPushButton>(platform::kIdOk)->click();
        });
        static_cast<CShortcutDlg&>(d).Pages()[1].page->EditRow(2);
        d.close();  // the window's close box
    });
    EXPECT_EQ(dialog.DoModal(), platform::kIdOk);
    EXPECT_TRUE(dialog.IsShortcutFileWritten());
    ShortcutFile file;
    file.SetFileName(data.Data().PathOf(u"settings\\Shortcut.ini"));
    EXPECT_EQ(file.GetDurationQuarterShortcut(), (ShortcutKey{0, 0, 0x25, false, true}));
}

}  // namespace
