// The application: it starts the program (the context, the settings, the music fonts,
// the resource-language library, the recent-file list, the document, the view and the
// main window), ends it in order, and carries three commands of its own: the about box,
// the help page and opening a file from the recent-file list.
#pragma once

#include <QUrl>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/shell/app_context.h"
#include "platform/command_target.h"

class QSettings;
class QWidget;

namespace brindle {

class CBrindleDoc;
class CBrindleView;
class CMainFrame;
class RecentFileList;

class CBrindleApp : public platform::CommandTarget {
public:
    static constexpr std::u16string_view kSettingsFileName = u"Tansy.ini";
    static constexpr std::u16string_view kCompanyName = u"Corvanne Tessel Software";

    struct Options {
        // The data folder; empty: the program's own (GetAppDirectory).
        std::filesystem::path appDirectory;
        // Where the resource-language library lies; empty: beside the program, then
        // the data folder.
        std::filesystem::path resourceLibraryFolder;
        AppContextFactories factories;
        // Where the recent-file list is kept; null: the user's settings under the
        // company name.
        std::function<std::unique_ptr<QSettings>()> recentFileSettings;
        // Opens help pages and links, false when nothing could; null: the desktop's URL
        // handler.
        std::function<bool(const QUrl&)> openUrl;
        unsigned autosaveInterval = 120000;
        // False keeps the window hidden (tests).
        bool showWindow = true;
    };

    CBrindleApp();
    explicit CBrindleApp(Options options);
    ~CBrindleApp() override;
    CBrindleApp(const CBrindleApp&) = delete;
    CBrindleApp& operator=(const CBrindleApp&) = delete;

    // `arguments` are the command line after the program's name: an optional document
    // path. False when the program cannot start; the user was told why.
    bool InitInstance(const std::vector<std::u16string>& arguments);
    // Ends everything that InitInstance made, also after a failed start. The exit code.
    int ExitInstance();

    CMainFrame* GetMainWnd() const { return m_pFrame.get(); }
    CBrindleDoc* GetDocument() const { return m_pDocument.get(); }
    CBrindleView* GetActiveView() const { return m_pView; }
    RecentFileList* RecentFiles() const { return m_pRecentFiles.get(); }
    const std::filesystem::path& AppDirectory() const { return folder_; }

    void AddToRecentFileList(std::u16string_view path);
    // Removes the first entry equal to the path; nothing when none matches.
    void RemoveFromRecentFiles(std::u16string_view path);

    void OnAppAbout();
    void OnHelp();
    // The printer set-up dialog for the view's printer: paper and orientation of the
    // next print.
    void OnFilePrintSetup();
    void OnOpenRecentFile(int id);
    // The help page named in the settings.
    std::filesystem::path HelpFilePath() const;

private:
    bool InitSettingsAndFont();
    // Removes what an earlier run that was killed left behind.
    void RemoveLeftovers();
    void LoadResourceLibrary();
    // Opens the address in the desktop's browser; when none can, beeps and tells the
    // user with the hyperlink control's failure text, over `parent`.
    bool OpenUrl(const QUrl& url, QWidget* parent) const;

    Options options_;
    std::filesystem::path folder_;
    std::filesystem::path fontFile_;
    bool fontAdded_ = false;
    bool started_ = false;
    std::unique_ptr<RecentFileList> m_pRecentFiles;
    std::unique_ptr<CBrindleDoc> m_pDocument;
    CBrindleView* m_pView = nullptr;  // owned by the frame
    std::unique_ptr<CMainFrame> m_pFrame;
};

// A file named in the settings, below `folder`; backslashes in `name` separate folders.
std::filesystem::path JoinDataPath(const std::filesystem::path& folder, std::u16string_view name);

}  // namespace brindle
