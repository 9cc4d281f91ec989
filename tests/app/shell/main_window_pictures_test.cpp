// A picture of the main window as it comes up: build/bin/specimen/main_window.png.
#include <gtest/gtest.h>

#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <QSettings>

#include <filesystem>

#include "../../platform/temp_folder.h"
#include "app/shell/brindle_app.h"
#include "app/shell/brindle_view.h"
#include "app/shell/command_ids.h"
#include "platform/command_manager.h"
#include <QDockWidget>
#include "app/shell/main_frame.h"
#include "platform/scripted_dialog_service.h"
#include "shell_fakes.h"
#include "../mididev/fake_midi_backend.h"
#include "app_test_setup.h"
#include "tests/support/specimen_folder.h"

namespace {

TEST(Specimen, MainWindow)
{
    TempFolder folder;
    mididev_test::FakeMidiBackend backend;
    platform::ScriptedDialogService dialogs;
    platform::ScopedDialogService scoped(dialogs);
    // The program writes its options into its data folder: a copy of the shipped one.
    const std::filesystem::path data = shell_test::CopyDataFolder(folder.Path(), {"fonts", "settings", "lists", "dtd", "help"});
    const brindle::CBrindleApp::Options o = shell_test::TestAppOptions(folder.Path(), data, &backend);
    brindle::CBrindleApp app(o);
    ASSERT_TRUE(app.InitInstance({}));
    brindle::CMainFrame* frame = app.GetMainWnd();
    frame->resize(1200, 800);
    frame->show();
    shell_test::Pump();
    const QImage picture = frame->grab().toImage();
    EXPECT_EQ(picture.width(), 1200);
    const std::filesystem::path out = test_support::SpecimenFolder();
    EXPECT_TRUE(picture.save(QString::fromStdString((out / "main_window.png").string())));
    // With a score open: a palette at the right and the floating font toolbar.
    app.GetActiveView()->m_bScoreReady = true;
    frame->Commands().Execute(brindle::cmd::kBarlinePalette);
    frame->PostMessage(brindle::msg::kMouseToolChanged, 4);
    shell_test::Pump();
    EXPECT_TRUE(frame->grab().toImage().save(QString::fromStdString((out / "main_window_palette.png").string())));
    EXPECT_TRUE(frame->FontToolBar()->grab().toImage().save(QString::fromStdString((out / "font_toolbar.png").string())));
    // The menus are the program's Chinese ones.
    ASSERT_FALSE(frame->menuBar()->actions().isEmpty());
    EXPECT_EQ(frame->menuBar()->actions().front()->text(), QStringLiteral("文件(&F)"));
}

}  // namespace
