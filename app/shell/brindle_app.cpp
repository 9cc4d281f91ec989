#include "app/shell/brindle_app.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPixmap>
#include <QSettings>

#include "app/dialogs/beep_service.h"
#include "app/dialogs/link_static.h"
#include "app/settings/profile_file.h"
#include "app/settings/system_info_section.h"
#include "app/shell/about_dlg.h"
#include "app/shell/app_directory.h"
#include "app/shell/brindle_doc.h"
#include "app/shell/brindle_view.h"
#include "app/shell/command_ids.h"
#include "app/shell/document_loader.h"
#include "app/shell/document_paths.h"
#include "app/shell/leftover_files.h"
#include "app/shell/main_frame.h"
#include "app/shell/own_strings.h"
#include "app/shell/recent_file_list.h"
#include "platform/dialog_service.h"
#include "platform/font_resources.h"
#include "platform/string_table.h"

namespace brindle {

namespace {

void Fail(std::u16string_view text)
{
    platform::ShowMessage(text, platform::kMbOk | platform::kMbIconStop);
}

// The program's icon: a numbered note on a blue tile.
QIcon ProgramIcon()
{
    QPixmap image(32, 32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 160));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 32, 28), Qt::AlignCenter, QStringLiteral("5"));
    p.fillRect(QRectF(9, 27, 14, 2), Qt::white);
    return QIcon(image);
}

}  // namespace

std::filesystem::path JoinDataPath(const std::filesystem::path& folder, std::u16string_view name)
{
    std::u16string relative(name);
    for (char16_t& c : relative)
        if (c == u'\\')
            c = u'/';
    if (relative.empty())
        return folder;
    return folder / std::filesystem::path(QString::fromStdU16String(relative).toStdString());
}

CBrindleApp::CBrindleApp() : CBrindleApp(Options{}) {}

CBrindleApp::CBrindleApp(Options options) : options_(std::move(options))
{
    MapCommand(cmd::kAppAbout, [this] { OnAppAbout(); });
    MapCommand(cmd::kHelp, [this] { OnHelp(); });
    MapCommand(cmd::kFilePrintSetup, [this] { OnFilePrintSetup(); });
    MapCommandRange(cmd::kFileMru1, cmd::kFileMru16, [this](int id) { OnOpenRecentFile(id); });
    MapUpdateRange(cmd::kFileMru1, cmd::kFileMru16, [this](platform::CommandUI& ui) {
        ui.Enable(m_pRecentFiles && static_cast<std::size_t>(ui.Id() - cmd::kFileMru1) < m_pRecentFiles->Size());
    });
}

CBrindleApp::~CBrindleApp()
{
    if (started_ || AppContext::Instance())
        ExitInstance();
}

bool CBrindleApp::InitInstance(const std::vector<std::u16string>& arguments)
{
    started_ = true;
    folder_ = options_.appDirectory.empty() ? std::filesystem::path(QString::fromStdU16String(GetAppDirectory()).toStdString())
                                            : options_.appDirectory;
    RegisterOwnStrings();
    platform::SetMessageCaption(platform::LoadResourceString(ids::kAppTitle));

    AppContext* context = AppContext::Create();
    if (!context->Init(options_.factories)) {
        std::u16string text = u"程序无法启动：无法创建";
        for (std::size_t i = 0; i < context->Missing().size(); ++i)
            text += (i ? u"、" : u"") + context->Missing()[i];
        Fail(text + u"。");
        return false;
    }

    if (!InitSettingsAndFont())
        return false;
    LoadResourceLibrary();

    {
        auto settings = options_.recentFileSettings
                            ? options_.recentFileSettings()
                            : std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                          QString::fromStdU16String(std::u16string(kCompanyName)),
                                                          QString::fromStdU16String(platform::LoadResourceString(ids::kAppTitle)));
        m_pRecentFiles = std::make_unique<RecentFileList>(std::move(settings), RecentFileList::kDefaultSize);
        m_pRecentFiles->Load();
    }
    RemoveLeftovers();

    // The single document, its view and the main window; a document named on the
    // command line is opened through the document, and the view takes it from there.
    std::u16string path;
    for (const std::u16string& argument : arguments) {
        if (!argument.empty()) {
            path = argument;
            break;
        }
    }
    platform::ScopedResourceSource library(platform::ResourceSource::Library);
    platform::SetMessageCaption(platform::LoadResourceString(ids::kAppTitle));
    m_pDocument = std::make_unique<CBrindleDoc>();
    if (path.empty() ? !m_pDocument->OnNewDocument() : !m_pDocument->OnOpenDocument(path)) {
        Fail(u"无法打开文件“" + path + u"”。");
        return false;
    }
    m_pView = new CBrindleView();
    m_pView->SetDocument(m_pDocument.get());
    m_pView->SetDataFolder(PathText(folder_));
    m_pView->SetRecentFileList(m_pRecentFiles.get());
    CMainFrame::Options frameOptions;
    frameOptions.autosaveInterval = options_.autosaveInterval;
    m_pFrame = std::make_unique<CMainFrame>(m_pView, this, frameOptions);
    m_pFrame->SetRecentFileSource([this] { return m_pRecentFiles ? m_pRecentFiles->Entries() : std::vector<std::u16string>{}; });
    if (!m_pFrame->Create() || !m_pView->Create()) {
        Fail(u"程序无法启动：主窗口创建失败。");
        return false;
    }
    m_pFrame->setWindowIcon(ProgramIcon());
    m_pFrame->setWindowTitle(QString::fromStdU16String(platform::LoadResourceString(ids::kAppTitle)));
    m_pFrame->resize(1024, 720);
    m_pView->InitialUpdate();
    if (options_.showWindow)
        m_pFrame->showMaximized();
    return true;
}

void CBrindleApp::RemoveLeftovers()
{
    // A program killed while it saved, autosaved or opened a document left its temporary
    // files: in the data folder (autosave, settings), beside the documents it saved and in
    // the temporary folder (the copies being opened).
    std::vector<std::filesystem::path> folders = {folder_, TemporaryCopyFolder()};
    if (m_pRecentFiles)
        for (const std::u16string& entry : m_pRecentFiles->Entries())
            folders.push_back(NativePath(entry).parent_path());
    RemoveLeftoverFiles(folders);
}

bool CBrindleApp::InitSettingsAndFont()
{
    auto settings = AppContext::Instance()->GetSettingsFile();
    const std::filesystem::path file = folder_ / std::filesystem::path(QString::fromStdU16String(std::u16string(kSettingsFileName)).toStdString());
    settings->SetNativePath(file);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        Fail(u"找不到设置文件“" + PathText(file) + u"”，程序无法启动。请检查程序的数据文件夹是否完整。");
        return false;
    }
    SystemInfoSection info;
    info.SetFile(settings);
    const std::u16string fontName = info.GetSignatureFontFile();
    fontFile_ = JoinDataPath(folder_, fontName);
    fontAdded_ = !fontName.empty() && platform::AddFontResource(fontFile_) > 0;
    if (!fontAdded_) {
        Fail(u"无法加载音乐字体文件“" + PathText(fontFile_) + u"”，程序无法启动。请检查程序的数据文件夹是否完整。");
        return false;
    }
    return true;
}

void CBrindleApp::LoadResourceLibrary()
{
    // The library lies beside the program (the build and the installation put it in
    // the programs' folder), which may differ from the data folder.
    auto& table = platform::StringTable::Instance();
    if (!options_.resourceLibraryFolder.empty()) {
        table.LoadResourceLanguageLibrary(options_.resourceLibraryFolder);
        return;
    }
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (!programFolder.isEmpty() &&
        table.LoadLibrary(std::filesystem::path(programFolder.toStdString()) /
                          QString::fromStdU16String(std::u16string(platform::kResourceLibraryFileName)).toStdString()))
        return;
    table.LoadResourceLanguageLibrary(folder_);
}

int CBrindleApp::ExitInstance()
{
    const bool startedWell = m_pFrame != nullptr;
    m_pFrame.reset();  // the view goes with it
    m_pView = nullptr;
    m_pDocument.reset();
    m_pRecentFiles.reset();
    if (fontAdded_)
        platform::RemoveFontResource(fontFile_);
    fontAdded_ = false;
    AppContext::Destroy();
    started_ = false;
    return startedWell ? 0 : 1;
}

void CBrindleApp::AddToRecentFileList(std::u16string_view path)
{
    if (m_pRecentFiles)
        m_pRecentFiles->Add(path);
}

void CBrindleApp::RemoveFromRecentFiles(std::u16string_view path)
{
    if (m_pRecentFiles)
        m_pRecentFiles->Remove(path);
}

void CBrindleApp::OnOpenRecentFile(int id)
{
    if (!m_pRecentFiles || id < cmd::kFileMru1)
        return;
    const auto index = static_cast<std::size_t>(id - cmd::kFileMru1);
    if (index >= m_pRecentFiles->Size())
        return;
    // The path is taken now: opening may reorder the list before it reports.
    const std::u16string path = m_pRecentFiles->At(index);
    if (m_pView && !m_pView->OpenDroppedFile(path))
        RemoveFromRecentFiles(path);
}

std::filesystem::path CBrindleApp::HelpFilePath() const
{
    auto* context = AppContext::Instance();
    if (!context)
        return {};
    SystemInfoSection info;
    info.SetFile(context->GetSettingsFile());
    return JoinDataPath(folder_, info.GetHelpFileName());
}

void CBrindleApp::OnHelp()
{
    const std::filesystem::path help = HelpFilePath();
    std::error_code ec;
    if (help.empty() || !std::filesystem::is_regular_file(help, ec)) {
        platform::ShowMessage(u"找不到帮助文件“" + PathText(help) + u"”。", platform::kMbOk | platform::kMbIconExclamation,
                              m_pFrame.get());
        return;
    }
    OpenUrl(QUrl::fromLocalFile(QString::fromStdU16String(PathText(help))), m_pFrame.get());
}

void CBrindleApp::OnAppAbout()
{
    const std::filesystem::path help = HelpFilePath();
    CAboutDlg dialog(m_pFrame.get(), QUrl::fromLocalFile(QString::fromStdU16String(PathText(help))),
                     [this, &dialog](const QUrl& url) { OpenUrl(url, &dialog); });
    dialog.DoModal();
}

void CBrindleApp::OnFilePrintSetup()
{
    if (!m_pView)
        return;
    QPageSetupDialog dialog(&m_pView->Printer(), m_pFrame.get());
    dialog.exec();
}

bool CBrindleApp::OpenUrl(const QUrl& url, QWidget* parent) const
{
    const bool opened = options_.openUrl ? options_.openUrl(url) : QDesktopServices::openUrl(url);
    if (!opened) {
        BeepService::Current().Beep(platform::kMbIconExclamation);
        platform::ShowMessage(CLinkStatic::FailureMessage(CLinkStatic::kErrorNoAssociation),
                              platform::kMbOk | platform::kMbIconExclamation, parent);
    }
    return opened;
}

}  // namespace brindle
