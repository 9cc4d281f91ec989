#include "app/shell/brindle_app.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>
#include <QToolBar>

#include <filesystem>

#include <sys/stat.h>

#include "../../platform/temp_folder.h"
#include "app/shell/about_dlg.h"
#include "app/shell/brindle_doc.h"
#include "app/shell/brindle_view.h"
#include "app/shell/command_ids.h"
#include "app/shell/main_frame.h"
#include "app/shell/recent_file_list.h"
#include "platform/command_manager.h"
#include "platform/scripted_dialog_service.h"
#include "platform/string_table.h"
#include "app/shell/document_loader.h"
#include "app/shell/document_paths.h"
#include "dead_process.h"
#include "engine/xml/temporary_file_name.h"
#include "app_test_setup.h"
#include "score_documents.h"
#include "shell_fakes.h"
#include "../mididev/fake_midi_backend.h"

namespace {

namespace fs = std::filesystem;
using brindle::CBrindleApp;
using shell_test::Pump;
using shell_test::PumpUntil;

// The shipped data folder, copied so a test may break it.
class BrindleAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data_ = shell_test::CopyDataFolder(folder_.Path(), {"fonts", "help", "settings"});
    }

    CBrindleApp::Options Options()
    {
        CBrindleApp::Options o = shell_test::TestAppOptions(folder_.Path(), data_, &backend_);
        // The desktop's URL handler: it records the address and opens it when a browser
        // is there.
        o.openUrl = [this](const QUrl& url) {
            opened_.push_back(url);
            return browser_;
        };
        return o;
    }

    std::u16string WriteFile(const char* name)
    {
        const fs::path path = folder_ / name;
        TempFolder::Write(path, "<score-partwise/>");
        return QString::fromStdString(path.string()).toStdU16String();
    }

    std::vector<std::u16string> MessageTexts() const
    {
        std::vector<std::u16string> texts;
        for (const auto& call : dialogs_.MessageBoxes())
            texts.push_back(call.text);
        return texts;
    }

    TempFolder folder_;
    fs::path data_;
    mididev_test::FakeMidiBackend backend_;
    platform::ScriptedDialogService dialogs_;
    platform::ScopedDialogService scoped_{dialogs_};
    std::vector<QUrl> opened_;
    bool browser_ = true;
};

TEST_F(BrindleAppTest, StartsWithTheMainWindowTitledFromTheResourceLibrary)
{
    CBrindleApp app(Options());
    ASSERT_TRUE(app.InitInstance({}));
    ASSERT_NE(app.GetMainWnd(), nullptr);
    EXPECT_EQ(app.GetMainWnd()->windowTitle(), QStringLiteral("Larkspire简谱"));
    EXPECT_TRUE(platform::StringTable::Instance().HasLibrary());
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());
    EXPECT_EQ(app.GetMainWnd()->GetActiveView(), app.GetActiveView());
    EXPECT_TRUE(app.GetDocument()->OpenPath().empty());
    Pump();
    EXPECT_TRUE(app.GetActiveView()->DocumentPath().empty());
    EXPECT_FALSE(app.GetActiveView()->HasScore());
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(brindle::AppContext::Instance(), nullptr);
}

TEST_F(BrindleAppTest, MissingSettingsOrFontFileIsReportedAndStartUpFails)
{
    struct Case {
        const char* remove;
        const char16_t* says;
    };
    for (const Case c : {Case{"Tansy.ini", u"Tansy.ini"}, Case{"fonts/Tansy.ttc", u"Tansy.ttc"}}) {
        SCOPED_TRACE(c.remove);
        fs::remove_all(data_);
        SetUp();  // a fresh copy of the data folder
        fs::remove(data_ / c.remove);
        platform::ScriptedDialogService dialogs;
        platform::ScopedDialogService scoped(dialogs);
        CBrindleApp app(Options());
        EXPECT_FALSE(app.InitInstance({}));
        EXPECT_EQ(app.GetMainWnd(), nullptr);
        ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
        EXPECT_NE(dialogs.MessageBoxes()[0].text.find(c.says), std::u16string::npos);
        EXPECT_NE(dialogs.MessageBoxes()[0].text.find(u"无法启动"), std::u16string::npos);
        EXPECT_EQ(app.ExitInstance(), 1);
    }
}

TEST_F(BrindleAppTest, WithoutTheResourceLibraryItSaysSoAndRunsOn)
{
    CBrindleApp::Options o = Options();
    o.resourceLibraryFolder = folder_.Path();
    CBrindleApp app(o);
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_EQ(MessageTexts(), std::vector<std::u16string>{u"资源加载失败！"});
    EXPECT_FALSE(platform::StringTable::Instance().HasLibrary());
    // The program's own strings stand in.
    EXPECT_EQ(app.GetMainWnd()->windowTitle(), QStringLiteral("Larkspire简谱"));
    EXPECT_EQ(app.GetMainWnd()->FindToolBar(0xE801)->actions().front()->toolTip(), QStringLiteral("新建"));
}

TEST_F(BrindleAppTest, CommandLineDocumentOpensOnceTheWindowIsUp)
{
    const fs::path file = folder_ / "song.exl";
    ASSERT_TRUE(shell_test::WriteScoreDocument(file));
    const std::u16string path = brindle::PathText(file);
    CBrindleApp app(Options());
    ASSERT_TRUE(app.InitInstance({path}));
    EXPECT_EQ(app.GetDocument()->OpenPath(), path);
    ASSERT_TRUE(PumpUntil([&] { return app.GetActiveView()->HasScore(); }, 10000));
    EXPECT_EQ(app.GetActiveView()->DocumentPath(), path);
    EXPECT_EQ(app.GetDocument()->GetTitle(), u"song");
    EXPECT_EQ(app.RecentFiles()->Entries(), std::vector<std::u16string>{path});
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());
}

TEST_F(BrindleAppTest, CommandLineFileOfAnotherTypeIsRefusedByTheView)
{
    const std::u16string path = WriteFile("notes.txt");
    CBrindleApp app(Options());
    ASSERT_TRUE(app.InitInstance({path}));
    ASSERT_TRUE(PumpUntil([&] { return !dialogs_.MessageBoxes().empty(); }));
    EXPECT_EQ(MessageTexts(), std::vector<std::u16string>{u"软件目前不支技该格式文件，打开失败！"});
    EXPECT_TRUE(app.GetActiveView()->DocumentPath().empty());
}

TEST_F(BrindleAppTest, CommandLinePathThatCannotBeReadEndsTheStartUp)
{
    CBrindleApp app(Options());
    EXPECT_FALSE(app.InitInstance({u"/nonexistent/folder/song.exl"}));
    ASSERT_EQ(dialogs_.MessageBoxes().size(), 1u);
    EXPECT_NE(dialogs_.MessageBoxes()[0].text.find(u"song.exl"), std::u16string::npos);
}

TEST_F(BrindleAppTest, CommandLinePipeIsRefusedByTheViewWithoutWaiting)
{
    const fs::path pipe = folder_ / "pipe.exl";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    CBrindleApp app(Options());
    ASSERT_TRUE(app.InitInstance({brindle::PathText(pipe)}));
    ASSERT_TRUE(PumpUntil([&] { return !dialogs_.MessageBoxes().empty(); }, 10000));
    EXPECT_EQ(MessageTexts(), std::vector<std::u16string>{u"文件打开失败！"});
    EXPECT_FALSE(app.GetActiveView()->HasScore());
    EXPECT_TRUE(app.RecentFiles()->Entries().empty());
}

TEST_F(BrindleAppTest, StartUpRemovesWhatAKilledRunLeftBehind)
{
    const long ended = shell_test::EndedProcessId();
    const long running = static_cast<long>(::getppid());
    const fs::path documents = folder_ / "歌曲";
    fs::create_directories(documents);
    ASSERT_TRUE(shell_test::WriteScoreDocument(documents / "song.exl"));
    const std::string copy = "~tn_temp-" + std::to_string(ended) + "-4242.xml";
    const std::vector<fs::path> leftovers = {
        data_ / quaverly::TemporaryFileName("~autosave.exl", ended, 0),
        data_ / quaverly::TemporaryFileName("Option.ini", ended, 1),
        documents / quaverly::TemporaryFileName("song.exl", ended, 2),
        brindle::TemporaryCopyFolder() / copy,
    };
    const std::vector<fs::path> kept = {
        documents / quaverly::TemporaryFileName("song.exl", running, 3),
        documents / "song.exl",
        folder_ / quaverly::TemporaryFileName("elsewhere.exl", ended, 4),  // no document of ours there
    };
    for (const fs::path& path : leftovers)
        TempFolder::Write(path, "left");
    for (const fs::path& path : kept)
        if (!fs::exists(path))
            TempFolder::Write(path, "kept");
    {
        CBrindleApp app(Options());
        ASSERT_TRUE(app.InitInstance({}));
        app.AddToRecentFileList(brindle::PathText(documents / "song.exl"));
        app.ExitInstance();
    }
    CBrindleApp app(Options());
    ASSERT_TRUE(app.InitInstance({}));
    for (const fs::path& path : leftovers)
        EXPECT_FALSE(fs::exists(path)) << path;
    for (const fs::path& path : kept)
        EXPECT_TRUE(fs::exists(path)) << path;
}

TEST_F(BrindleAppTest, RecentFilesKeepFourPersistAndAreRemovedByPath)
{
    {
        CBrindleApp app(Options());
        ASSERT_TRUE(app.InitInstance({}));
        for (const char16_t* p : {u"/a.exl", u"/b.exl", u"/c.exl", u"/d.exl", u"/e.exl", u"/c.exl"})
            app.AddToRecentFileList(p);
        EXPECT_EQ(app.RecentFiles()->Entries(), (std::vector<std::u16string>{u"/c.exl", u"/e.exl", u"/d.exl", u"/b.exl"}));
        app.RemoveFromRecentFiles(u"/nothing.exl");
        app.RemoveFromRecentFiles(u"/D.exl");  // exact comparison
        EXPECT_EQ(app.RecentFiles()->Size(), 4u);
        app.RemoveFromRecentFiles(u"/e.exl");
        app.ExitInstance();
    }
    CBrindleApp again(Options());
    ASSERT_TRUE(again.InitInstance({}));
    EXPECT_EQ(again.RecentFiles()->Entries(), (std::vector<std::u16string>{u"/c.exl", u"/d.exl", u"/b.exl"}));
}

TEST_F(BrindleAppTest, RefusedRecentFileLeavesTheListByItsPath)
{
    CBrindleApp app(Options());
    ASSERT_TRUE(app.InitInstance({}));
    const std::u16string good = WriteFile("good.exl");
    app.AddToRecentFileList(u"/other/notes.txt");
    app.AddToRecentFileList(good);
    // Entry 2 is the text file: refused by the view and removed, the others stay.
    auto& commands = app.GetMainWnd()->Commands();
    ASSERT_TRUE(commands.Execute(brindle::cmd::kFileMru1 + 1));
    EXPECT_EQ(app.RecentFiles()->Entries(), std::vector<std::u16string>{good});
    ASSERT_TRUE(commands.Execute(brindle::cmd::kFileMru1));
    EXPECT_EQ(app.GetActiveView()->DocumentPath(), good);
    EXPECT_EQ(app.RecentFiles()->Entries(), std::vector<std::u16string>{good});

    // While the view is busy nothing happens and the entry stays.
    app.AddToRecentFileList(u"/other/notes.txt");
    app.GetActiveView()->m_bRecording = true;
    ASSERT_TRUE(commands.Execute(brindle::cmd::kFileMru1));
    EXPECT_EQ(app.RecentFiles()->Size(), 2u);
    // An entry past the list is disabled.
    EXPECT_FALSE(commands.Execute(brindle::cmd::kFileMru1 + 3));
}

TEST_F(BrindleAppTest, HelpOpensTheChineseHelpPageWithTheDesktopHandler)
{
    CBrindleApp app(Options());
    ASSERT_TRUE(app.InitInstance({}));
    ASSERT_TRUE(app.GetMainWnd()->Commands().Execute(brindle::cmd::kHelp));
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_TRUE(opened_[0].isLocalFile());
    const fs::path page = opened_[0].toLocalFile().toStdString();
    EXPECT_EQ(page, data_ / "help" / "index.html");
    const std::string html = TempFolder::Read(page);
    EXPECT_NE(html.find("lang=\"zh-CN\""), std::string::npos);
    EXPECT_NE(html.find("帮助"), std::string::npos);
    EXPECT_NE(html.find("Ctrl+Z"), std::string::npos);

    // Without the page the user is told, and nothing is opened.
    fs::remove(page);
    ASSERT_TRUE(app.GetMainWnd()->Commands().Execute(brindle::cmd::kHelp));
    EXPECT_EQ(opened_.size(), 1u);
    ASSERT_EQ(dialogs_.MessageBoxes().size(), 1u);
    EXPECT_NE(dialogs_.MessageBoxes()[0].text.find(u"帮助文件"), std::u16string::npos);
}

TEST_F(BrindleAppTest, HelpWithoutABrowserSaysSoWithTheLinkFailureText)
{
    browser_ = false;
    CBrindleApp app(Options());
    ASSERT_TRUE(app.InitInstance({}));
    ASSERT_TRUE(app.GetMainWnd()->Commands().Execute(brindle::cmd::kHelp));
    ASSERT_EQ(opened_.size(), 1u);
    ASSERT_EQ(dialogs_.MessageBoxes().size(), 1u);
    const auto told = dialogs_.MessageBoxes()[0];
    EXPECT_EQ(told.text, u"Unable to open hyperlink:\n\nThere is no application associated\n"
                         u"with the given filename extension.");
    EXPECT_EQ(told.type & platform::kMbIconMask, platform::kMbIconExclamation);

    // The about box's link says the same.
    dialogs_.AnswerModal([](platform::DialogBase& dialog) {
        emit dialog.Control<QLabel>(brindle::CAboutDlg::kIdLink)->linkActivated(QString());
        dialog.ClickButton(platform::kIdOk);
    });
    ASSERT_TRUE(app.GetMainWnd()->Commands().Execute(brindle::cmd::kAppAbout));
    EXPECT_EQ(opened_.size(), 2u);
    ASSERT_EQ(dialogs_.MessageBoxes().size(), 2u);
    EXPECT_EQ(dialogs_.MessageBoxes()[1].text, told.text);
}

TEST_F(BrindleAppTest, AboutBoxShowsTheNameAndVersion)
{
    QCoreApplication::setApplicationVersion(QStringLiteral("9.8.7"));
    CBrindleApp app(Options());
    ASSERT_TRUE(app.InitInstance({}));
    QString name;
    QString version;
    dialogs_.AnswerModal([&](platform::DialogBase& dialog) {
        EXPECT_EQ(dialog.TemplateId(), brindle::CAboutDlg::kTemplateId);
        name = QString::fromStdU16String(dialog.GetDlgItemText(brindle::CAboutDlg::kIdNameLine));
        version = QString::fromStdU16String(dialog.GetDlgItemText(brindle::CAboutDlg::kIdVersionLine));
        emit dialog.Control<QLabel>(brindle::CAboutDlg::kIdLink)->linkActivated(QString());
        dialog.ClickButton(platform::kIdOk);
    });
    ASSERT_TRUE(app.GetMainWnd()->Commands().Execute(brindle::cmd::kAppAbout));
    EXPECT_EQ(dialogs_.ModalCount(), 1);
    EXPECT_EQ(name, QStringLiteral("Larkspire简谱"));
    EXPECT_EQ(version, QStringLiteral("版本 9.8.7"));
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_TRUE(opened_[0].toLocalFile().endsWith(QStringLiteral("help/index.html")));
    QCoreApplication::setApplicationVersion(QString());
}

// Print setup shows the printer set-up dialog for the printer the view prints on, so
// what it chooses holds for the next print.
TEST_F(BrindleAppTest, PrintSetupSetsUpThePrinterOfThePrintCommand)
{
    CBrindleApp app(Options());
    ASSERT_TRUE(app.InitInstance({}));
    brindle::CMainFrame* frame = app.GetMainWnd();
    frame->Commands().Update(brindle::cmd::kFilePrintSetup);
    EXPECT_TRUE(frame->Commands().Action(brindle::cmd::kFilePrintSetup)->isEnabled());

    QPrinter* shown = nullptr;
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<QPageSetupDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = dialog->printer();
        // The user turns the paper.
        if (auto* landscape = dialog->findChild<QRadioButton*>(QStringLiteral("landscape")))
            landscape->click();
        dialog->accept();
    });
    ASSERT_TRUE(frame->Commands().Execute(brindle::cmd::kFilePrintSetup));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown, &app.GetActiveView()->Printer());
    EXPECT_EQ(app.GetActiveView()->Printer().pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(BrindleAppTest, ExitCommandClosesThroughTheView)
{
    CBrindleApp app(Options());
    ASSERT_TRUE(app.InitInstance({}));
    brindle::CMainFrame* frame = app.GetMainWnd();
    frame->show();
    ASSERT_TRUE(frame->Commands().Execute(brindle::cmd::kAppExit));
    ASSERT_TRUE(PumpUntil([&] { return !frame->isVisible(); }));
    EXPECT_EQ(app.ExitInstance(), 0);
}

}  // namespace
