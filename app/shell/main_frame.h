// The program's main window: the status bar, the docking toolbars and palettes, the
// floating font toolbar, the tempo controls of the playback toolbar, the progress
// dialog shown while a document opens, and the two window timers (autosave every two
// minutes, progress steps every 500 ms while the dialog shows). Commands go to the view
// first; the frame keeps only its own state (palettes, text style toggles, tempo
// display) and tells the view of changes without asking it. Closing goes through the
// view, which confirms with 0x601.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/frame_window_base.h"

class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QDialog;
class QDockWidget;
class QFont;
class QFontComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QSlider;
class QToolBar;

namespace platform {
class CommandManager;
}

namespace brindle {

class CBrindleView;

class CMainFrame : public platform::FrameWindowBase {
    Q_OBJECT

public:
    static constexpr std::uintptr_t kAutosaveTimer = 1;
    static constexpr std::uintptr_t kProgressTimer = 2;
    static constexpr unsigned kAutosaveInterval = 120000;
    static constexpr unsigned kProgressInterval = 500;
    static constexpr int kMinTempo = 40;
    static constexpr int kMaxTempo = 250;
    static constexpr int kProgressSteps = 20;
    static constexpr int kMinFontPoints = 1;
    static constexpr int kMaxFontPoints = 500;

    // Control ids on the playback toolbar.
    static constexpr int kTempoLabelId = 107;
    static constexpr int kTempoNumberId = 104;
    static constexpr int kTempoSliderId = 105;
    static constexpr int kPositionId = 106;
    static constexpr int kControlBarPalette = 0xE800;

    struct Options {
        unsigned autosaveInterval = kAutosaveInterval;
    };

    // The view becomes the frame's client; `application` handles what neither the view
    // nor the frame handles (about, help, recent files). Neither is owned.
    CMainFrame(CBrindleView* view, platform::CommandTarget* application, Options options);
    CMainFrame(CBrindleView* view, platform::CommandTarget* application) : CMainFrame(view, application, Options{}) {}
    ~CMainFrame() override;

    // Builds the window's bars, fonts, progress dialog and autosave timer. False when a
    // bar could not be made.
    bool Create();

    CBrindleView* GetActiveView() const { return m_pView; }
    platform::CommandManager& Commands() { return *m_pCommands; }
    // The recent-file entries the File menu shows.
    void SetRecentFileSource(std::function<std::vector<std::u16string>()> source) { recentFiles_ = std::move(source); }

    // The page pane of the status bar.
    void SetStatusText(std::u16string_view text);
    std::u16string StatusText() const;

    // The control bars in the order they were made, and what tests look at.
    const std::vector<QToolBar*>& ToolBars() const { return m_toolBars; }
    QToolBar* FindToolBar(int controlBarId) const;
    QToolBar* Palette(int switchCommand) const;
    QDockWidget* FontToolBar() const { return m_pFontDock; }
    // The font bar's face and size boxes, made (with the bar hidden) when first needed:
    // the face box reads the font list and loads its code, which a program whose
    // free-text tool is never used has no use for.
    QFontComboBox* FontFaceBox();
    QComboBox* FontSizeBox();
    QLabel* TempoLabel() const { return m_pTempoLabel; }
    QLabel* TempoNumber() const { return m_pTempoNumber; }
    QSlider* TempoSlider() const { return m_pTempoSlider; }
    QLabel* PositionDisplay() const { return m_pPosition; }
    QDialog* ProgressDialog() const { return m_pProgressDlg; }
    int ProgressValue() const;
    std::uintptr_t AutosaveTimerId() const { return m_nAutosaveTimer; }
    std::uintptr_t ProgressTimerId() const { return m_nProgressTimer; }
    bool IsBold() const { return m_bBold; }

protected:
    void OnClose() override;
    void OnTimer(std::uintptr_t id) override;
    // Files dropped anywhere on the window go to the view.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct PaletteSlot {
        int command;
        bool* shown;
        QToolBar* bar;
    };

    void BuildMenus();
    void AddExportMenu(QMenu* fileMenu);
    void GuardShortcutsOfDisabledCommands();
    void UpdateRecentFileItems(QMenu* menu);
    QToolBar* CreateToolBar(const QString& title, int controlBarId, const std::vector<int>& commands);
    bool CreateFileToolBar();
    bool CreatePageAndZoomToolBars();
    bool CreatePlaybackToolBar();
    bool CreateNoteToolBar();
    bool CreatePaletteSwitchToolBar();
    bool CreateGraceAndSizeToolBars();
    QToolBar* CreatePalette(const QString& title, const std::vector<int>& commands);
    bool CreateFontToolBar();
    void CreateFontBoxes();
    void CreateStatusBar();
    void CreateFonts();
    void MapFrameCommands();

    void OnTogglePalette(int command);
    void ShowPalette(QToolBar* palette, bool show);
    void ToggleStyle(bool& flag, std::uint32_t kind);
    platform::LResult OnTempoSliderMoved(int position);
    platform::LResult OnSetTempo(int tempo);
    platform::LResult OnShowPosition(int first, int second);
    platform::LResult OnShowProgress();
    platform::LResult OnHideProgress();
    platform::LResult OnCloseConfirmed();
    void StepProgress();

    CBrindleView* m_pView;
    platform::CommandTarget* m_pApplication;
    Options options_;
    platform::CommandManager* m_pCommands;
    std::function<std::vector<std::u16string>()> recentFiles_;

    QLabel* m_pTempoLabel = nullptr;
    QLabel* m_pTempoNumber = nullptr;
    QLabel* m_pPosition = nullptr;
    QSlider* m_pTempoSlider = nullptr;
    QFont* m_pSignatureFont = nullptr;
    QFont* m_pNumberFont = nullptr;
    std::uintptr_t m_nAutosaveTimer = 0;
    std::uintptr_t m_nProgressTimer = 0;
    QDialog* m_pProgressDlg = nullptr;
    QProgressBar* m_pProgressBar = nullptr;
    bool m_bBold = false;
    bool m_bItalic = false;
    bool m_bUnderline = false;
    bool m_bBarlineShown = false;
    bool m_bSymbolShown = false;
    bool m_bLineShown = false;
    bool m_bLayoutShown = false;
    bool m_bDynamicsShown = false;
    bool m_bLyricShown = false;
    bool settingSlider_ = false;

    std::vector<QToolBar*> m_toolBars;  // in the order they were made
    std::vector<PaletteSlot> m_palettes;  // line, layout, barline, symbol, dynamics, lyric
    QToolBar* m_pFileToolBar = nullptr;
    QDockWidget* m_pFontDock = nullptr;
    QFontComboBox* m_pFaceBox = nullptr;
    QComboBox* m_pSizeBox = nullptr;
    QLabel* m_pPagePane = nullptr;
};

}  // namespace brindle
