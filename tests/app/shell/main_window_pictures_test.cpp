// Pictures of the main window as it comes up (build/bin/specimen/main_window.png), and of
// its toolbars and palettes at 100 % and 200 % (toolbars_100.png, palettes_100.png, ...).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QToolBar>
#include <QMenuBar>
#include <QPixmap>
#include <QSettings>

#include <filesystem>
#include <memory>
#include <vector>

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

// The program as it starts, on a copy of the shipped data folder (it writes its options
// there), its main window shown at 1200 x 800.
struct ShownProgram {
    TempFolder folder;
    mididev_test::FakeMidiBackend backend;
    platform::ScriptedDialogService dialogs;
    platform::ScopedDialogService scoped{dialogs};
    std::unique_ptr<brindle::CBrindleApp> app;
    brindle::CMainFrame* frame = nullptr;

    bool Start()
    {
        const std::filesystem::path data =
            shell_test::CopyDataFolder(folder.Path(), {"fonts", "settings", "lists", "dtd", "help"});
        app = std::make_unique<brindle::CBrindleApp>(shell_test::TestAppOptions(folder.Path(), data, &backend));
        if (!app->InitInstance({}))
            return false;
        frame = app->GetMainWnd();
        frame->resize(1200, 800);
        frame->show();
        shell_test::Pump();
        // The start-up's reminders come and go before the pictures are taken.
        return shell_test::PumpUntil([this] { return !app->GetActiveView()->IsCheckingMidiOut(); });
    }
};

TEST(Specimen, MainWindow)
{
    ShownProgram program;
    ASSERT_TRUE(program.Start());
    brindle::CBrindleApp& app = *program.app;
    brindle::CMainFrame* frame = program.frame;
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

// The three rows of toolbars, without a score (most buttons disabled) and with one, and
// each palette beside the next. The desktop's scale is in the file names; at 100 % the
// test runs this program once more with the desktop scaled to 200 % for the same pictures.
TEST(Specimen, ToolbarsAndPalettes)
{
    ShownProgram program;
    ASSERT_TRUE(program.Start());
    brindle::CBrindleApp& app = *program.app;
    brindle::CMainFrame* frame = program.frame;
    const int percent = qRound(frame->devicePixelRatioF() * 100);
    const bool scaled = qEnvironmentVariableIsSet("QT_SCALE_FACTOR");
    EXPECT_EQ(percent, scaled ? qRound(qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() * 100) : 100);
    const std::filesystem::path out = test_support::SpecimenFolder();
    auto save = [&](const QImage& image, const std::string& name) {
        const std::filesystem::path file = out / (name + "_" + std::to_string(percent) + ".png");
        EXPECT_TRUE(image.save(QString::fromStdString(file.string()))) << file;
    };
    save(frame->grab().toImage(), "toolbars");

    app.GetActiveView()->m_bScoreReady = true;
    frame->Commands().Execute(brindle::cmd::kBarlinePalette);
    // The buttons follow the view's state when the window is next idle.
    shell_test::PumpUntil([&] { return frame->Commands().Action(brindle::cmd::kZoomIn)->isEnabled(); });
    shell_test::Pump();
    save(frame->grab().toImage(), "toolbars_score");

    // Each palette as it docks at the right, side by side in one picture.
    std::vector<QImage> palettes;
    for (int id : {brindle::cmd::kBarlinePalette, brindle::cmd::kSymbolPalette, brindle::cmd::kLinePalette,
                   brindle::cmd::kDynamicsPalette, brindle::cmd::kLyricPalette, brindle::cmd::kLayoutPalette}) {
        QToolBar* palette = frame->Palette(id);
        ASSERT_NE(palette, nullptr);
        if (!palette->isVisible())
            frame->Commands().Execute(id);
        shell_test::Pump();
        EXPECT_TRUE(palette->isVisible());
        QImage image = palette->grab().toImage();
        image.setDevicePixelRatio(1);
        palettes.push_back(image);
    }
    const int gap = 12 * percent / 100;
    int width = gap;
    int height = 0;
    for (const QImage& image : palettes) {
        width += image.width() + gap;
        height = std::max(height, image.height());
    }
    QImage sheet(width, height + 2 * gap, QImage::Format_ARGB32);
    sheet.fill(QColor(236, 236, 236));
    {
        QPainter painter(&sheet);
        int x = gap;
        for (const QImage& image : palettes) {
            painter.drawImage(x, gap, image);
            x += image.width() + gap;
        }
    }
    save(sheet, "palettes");

    if (scaled)
        return;
    QProcess again;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("BRINDLE_SPECIMEN_DIR"), QString::fromStdString(out.string()));
    again.setProcessEnvironment(environment);
    again.setProcessChannelMode(QProcess::MergedChannels);
    again.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=Specimen.ToolbarsAndPalettes")});
    ASSERT_TRUE(again.waitForFinished(180000));
    EXPECT_EQ(again.exitCode(), 0) << again.readAll().toStdString();
    for (const char* name : {"toolbars_200.png", "toolbars_score_200.png", "palettes_200.png"})
        EXPECT_TRUE(std::filesystem::exists(out / name)) << name;
}

}  // namespace
