// The score view: the one window in which a page of the score is shown, edited, played
// and printed. It holds what lies between the user and the editor: the page geometry in
// screen pixels, the zoom and the scroll origin, the cached picture of the page, the
// drawing resources every drawing device of the view uses, the five mouse tools, the
// note-entry choices and the queue of inputs that wait for the editor.
//
// The editor is not the view's: calls reach the application context's editor (a test
// may point the view at another with UseEditor).
//
// Painting composes the window in a buffer: the desk, the page picture (rendered again
// only when asked, with the editor's queued commands run first at zoom 1 and the page
// drawn at the current zoom), then the caret and the current tool's marks on top.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QImage>

#include "app/dialogs/data_folder.h"
#include "app/dialogs/score_rect_tracker.h"
#include "app/painter/draw_resource_table.h"
#include "app/shell/autosave_lock.h"
#include "app/settings/page_info.h"
#include "app/shell/deferred_input.h"
#include "app/shell/mouse_tool.h"
#include "app/shell/page_painter.h"
#include "app/shell/text_style_change.h"
#include "engine/model/layout_types.h"
#include "engine/model/log_font.h"
#include "platform/view_base.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QPlainTextEdit;

namespace midi {
class MidiOutSink;
}

namespace platform {
class CommandUI;
class DeviceContext;
class FrameWindowBase;
}  // namespace platform

namespace quaverly {
struct NoticePosition;
namespace api {
class ScoreEditor;
}
}  // namespace quaverly

namespace midi {
struct PlayerEvent;
}

namespace brindle {

class CBrindleDoc;
class CScoreTextEdit;
class EditableTextItem;
class KeyCommand;
class ScoreTextItemEditor;
class SymbolKeyCommand;
class ViewEditorListener;
class ViewMidiInListener;
struct MidiInRecord;
struct ViewNotice;
class DocumentWorker;
class ProgressToken;
class RecentFileList;
struct OpenJob;
class PlaybackController;

class CBrindleView : public platform::ViewBase {
    Q_OBJECT

public:
    // The zoom steps and the normal size among them.
    static constexpr int kZoomLevelCount = 9;
    static constexpr int kNormalZoomIndex = 3;
    // Renders the page picture is allowed to owe after a paint.
    static constexpr int kMaxPendingRenders = 3;

    explicit CBrindleView(QWidget* parent = nullptr);
    ~CBrindleView() override;

    void SetDocument(CBrindleDoc* document) { m_pDocument = document; }
    CBrindleDoc* GetDocument() const { return m_pDocument; }
    // The frame that closing is confirmed to (0x601) and tool changes are posted to.
    void SetFrame(platform::FrameWindowBase* frame) { m_pFrame = frame; }

    // The editor the view works on; null: the application context's.
    void UseEditor(quaverly::api::ScoreEditor* editor) { m_pEditorOverride = editor; }
    quaverly::api::ScoreEditor* Editor() const;

    // True while no document is being loaded, played or recorded.
    virtual bool IsIdle() const { return !m_bPlaying && !m_bRecording && !m_bLoading; }
    virtual bool HasScore() const { return m_bScoreReady; }

    // Starts opening a score document on the worker threads; false (after telling the
    // user) when the file is refused for its extension, before anything is closed. A
    // request that comes while a document loads waits until that one is shown.
    virtual bool OpenScoreFile(std::u16string_view path);
    // A file dropped or chosen from the recent-file list: nothing while the view is
    // busy or when the user keeps the current score (both count as success); otherwise
    // as OpenScoreFile.
    virtual bool OpenDroppedFile(std::u16string_view path);

    int CurrentTempo() const { return m_nTempo; }

    // Tools: choosing the current tool again goes back to the selection tool.
    void SetMouseTool(int key);
    int CurrentToolKey() const { return m_nCurrentTool; }
    MouseTool* Tool(int key) const;
    // Replaces a tool (tests watch the switching with their own).
    void ReplaceTool(int key, std::shared_ptr<MouseTool> tool);

    // The cursor over the score: one of the application context's cursors by key.
    void SetViewCursor(int key);

    // Set-up pieces other commands call.
    virtual void ResetViewState();
    // Page metrics from the paper; a paper whose size or margins make no sense falls back
    // to the default A4 page first.
    void ApplyPageInfo();
    void SetPageInfo(const PageInfo& info) { m_PageInfo = info; }
    const PageInfo& GetPageInfo() const { return m_PageInfo; }
    void ShowScore();
    // The document changed (notice 3): one more change than was saved.
    void MarkChanged();

    // Asks for a render of the whole page picture at the next paint (content changed).
    void RequestPageRender()
    {
        ++m_nPageRenderCount;
        m_bRedrawWholePage = true;
    }
    // Asks for a render at the next paint that draws again only what the editor reports
    // changed on the page, when it can tell (the score changed through its commands).
    void RequestPageUpdate() { ++m_nPageRenderCount; }
    int PendingRenders() const { return m_nPageRenderCount; }
    bool IsPageBitmapStale() const { return m_bPageBitmapStale; }
    const QImage& PageBitmap() const { return m_PageBitmap; }

    // Score point (0.01 mm) to window pixel.
    platform::Point ScoreToWindow(int x, int y) const;

    // Zoom.
    void ZoomIn();
    void ZoomOut();
    void ZoomNormal();
    double Zoom() const { return m_dZoom; }
    int ZoomIndex() const { return m_nZoomIndex; }
    bool CanZoomIn() const { return m_bScoreReady && m_nZoomIndex < kZoomLevelCount - 1; }
    bool CanZoomOut() const { return m_bScoreReady && m_nZoomIndex > 0; }
    bool CanZoomNormal() const { return m_bScoreReady && m_nZoomIndex != kNormalZoomIndex; }

    // Scrolling.
    void UpdateScrollBars();
    int ScrollX() const { return m_nScrollX; }
    int ScrollY() const { return m_nScrollY; }
    // The scrollable extent in pixels at the current zoom.
    int ExtentWidth() const;
    int ExtentHeight() const;

    // Prints the pages from..to (1-based, clamped to the score's pages) on a printer or a
    // PDF writer, in black and white; the page shown before is shown again after. Returns
    // the number of pages printed.
    int PrintPages(QPagedPaintDevice& device, int fromPage = 1, int toPage = 0x7fffffff);
    // The number of pages the print dialog offers (at least 1).
    int PrintPageCount() const;
    // The print command: the printer dialog, then the chosen pages.
    void OnFilePrint();
    // The printer the view prints on; the print setup chooses its paper and orientation,
    // and the print command keeps what its dialog chose for the next print.
    QPrinter& Printer();

    int PageWidth() const { return m_nPageWidth; }
    int PageHeight() const { return m_nPageHeight; }
    double UnitsPerPixel() const { return m_dUnitsPerPixel; }
    int CurrentPage() const { return m_nCurrentPage; }
    void SetCurrentPage(int page) { m_nCurrentPage = page; }
    bool ShowPageBorder() const { return m_bShowPageBorder; }
    bool ShowTrackBaseLines() const { return m_bShowTrackBaseLines; }
    DrawResourceTable& DrawResources() { return m_DrawResources; }

    // Busy (loading, playing, recording) and score-open states, set by the document and
    // playback commands. The busy states are read from the MIDI and timer threads as well.
    bool m_bScoreReady = false;
    std::atomic<bool> m_bPlaying = false;
    std::atomic<bool> m_bRecording = false;
    std::atomic<bool> m_bLoading = false;

protected:
    bool OnCreate() override;
    bool OnSetCursor(int hitTest) override;
    void OnInitialUpdate() override;
    void OnDraw(platform::QtDeviceContext& dc) override;
    void OnHScroll(int code, int pos) override;
    void OnVScroll(int code, int pos) override;
    bool OnMouseWheel(unsigned flags, int delta, platform::Point point) override;
    void OnSize(int width, int height) override;
    void OnKeyDown(int virtualKey, int repeatCount, unsigned flags) override;

    // The set-up steps, in the order OnInitialUpdate runs them.
    virtual void LoadTextures();
    virtual void RegisterListeners();
    virtual void MeasureScreen();
    virtual void ApplyFontFile();
    virtual void MeasureNoteSizes();
    virtual void BuildKeyCommands();
    virtual void BuildSymbolKeyCommands();
    virtual void ApplyOptionFile();

    // Painting pieces. The page picture is kept between renders: a render after an edit
    // draws again, clipped, only the areas the editor reports changed, over what the
    // picture holds; anything else (zoom, page, size, settings, undo) draws it whole.
    void RenderPageBitmap();
    void DrawPage(platform::DeviceContext& dc);
    void DrawCaretLayer(platform::DeviceContext& dc);

    // 0x5F4: the tasks that wait for the window to be up.
    virtual void OnStartUpTasks();
    // 0x5FB: the playback tempo changed.
    virtual void OnTempoChanged(int tempo);
    // 0x600: time to write the autosave copy.
    virtual void OnAutosave();
    // 0x60C: one field of the free-text font changed.
    virtual void OnFreeTextFont(const TextStyleChange& change);
    // The window is asked to close: refused while busy; otherwise confirmed to the frame.
    virtual void OnClose();

    // ---- documents ----
    // 0x606, 0x607, 0x608: the load pass ended well or badly, the layout pass ended.
    virtual void OnScoreLoaded();
    virtual void OnScoreLoadFailed();
    virtual void OnScoreLaidOut();

    // Textures (null images: plain white page, no pattern).
    QImage m_hPageTexture;
    QImage m_hBackTexture;

    // ---- score, settings and layout menus ----
public:
    // Where the view's own settings are found: the option file, the textures and the
    // layout parameters, and the settings of the dialogs the menus open; the data folder
    // given with SetDataFolder, or the program's own.
    DataFolder SettingsFolder() const
    {
        return m_strDataFolder.empty() ? DataFolder::Program() : DataFolder(m_strDataFolder);
    }
    // The common update rule of the score commands: enabled while a score is shown and no
    // document is being loaded; never checked.
    void OnUpdateScoreCommand(platform::CommandUI& ui) const;
    // Reads the layout parameter file into the drawing resources.
    void ApplyLayoutParameters();

    // ---- note entry and input -----------------------------------------------------------
public:
    // The choices the next typed note is entered with: degree (1 rest, 2-8 Do to Si, 10
    // drum), note value in ticks, octave -3..3, dots 0-3, accidental (1 sharp, 2 double
    // sharp, 4 natural, -1 flat, -2 double flat), grace mode (0 off, 1 before, 2 after).
    int NotePitch() const { return m_nNotePitch; }
    int NoteValue() const { return m_nNoteValue; }
    int NoteOctave() const { return m_nNoteOctave; }
    int NoteDots() const { return m_nNoteDots; }
    int NoteAccidental() const { return m_nNoteAccidental; }
    int GraceKind() const { return m_nGraceKind; }

    // Note-entry commands of the menus, toolbars and keys. The degree commands choose the
    // degree only. The value commands toggle back to the neutral value (the quarter and the
    // middle octave are set, not toggled) and apply the value to the selected notes unless
    // a grace mode is on.
    void OnRest();
    void OnDo();
    void OnRe();
    void OnMe();
    void OnFa();
    void OnSol();
    void OnLa();
    void OnSi();
    void SelectDrum();
    void OnDurationWhole();
    void OnDurationHalf();
    void OnDurationQuarter();
    void OnDurationEighth();
    void OnDuration16th();
    void OnDuration32nd();
    void OnDuration64th();
    void OnDuration128th();
    void OnDot();
    void OnDoubleDot();
    void OnTripleDot();
    void OnOctaveExtraHigh();
    void OnOctaveDoubleHigh();
    void OnOctaveHigh();
    void OnOctaveMiddle();
    void OnOctaveLow();
    void OnOctaveDoubleLow();
    void OnOctaveExtraLow();
    void OnDoubleSharp();
    void OnSharp();
    void OnNatural();
    void OnFlat();
    void OnDoubleFlat();
    void OnPreGrace();
    void OnPostGrace();
    void OnTie();
    void OnTriplet();
    // The tuplet dialog: n notes (n >= 2) in the time of the largest power of two up to n.
    void OnTuplet();
    void OnEnlargeNote();
    void OnShrinkNote();
    // Keys only: the note value doubled (up to the whole note) or halved (down to the
    // 128th), the octave one up or down (within -3..3); nothing else changes.
    void DoubleNoteValue();
    void HalveNoteValue();
    void RaiseOctave();
    void LowerOctave();
    // Enters a note with the current choices and the modifiers held now; the dots hold for
    // this one note.
    void QueueNoteInput();
    // The same for a note placed with the pointer at a score point: the press and the note
    // go to the editor together.
    void QueuePointerNoteInput(quaverly::Point scorePoint, int modifiers);

    // The input queue: typed notes and MIDI chords reach the editor one at a time, each
    // after the commands of the one before it ran (the editor's "pending commands run").
    void QueueInput(std::shared_ptr<DeferredInput> input);
    void RunNextQueuedInput();
    std::size_t QueuedInputCount() const { return m_InputQueue.size(); }
    bool IsEditorBusy() const { return m_bEditorBusy; }

    // Editor notices and MIDI input, as the listeners' copies on this thread.
    void OnEditorNotice(const ViewNotice& notice);
    void OnMidiInput(const MidiInRecord& record);
    // Plays a received short message back on the view's MIDI channel; any thread.
    void EchoMidiInput(std::uint32_t message);
    // Where echoes go; null: the application context's output.
    void UseMidiOut(midi::MidiOutSink* sink) { m_pMidiOutOverride = sink; }
    void SetMidiChannel(int channel) { m_nMidiChannel = channel & 0x0F; }
    const std::vector<int>& ChordKeys() const { return m_ChordKeys; }
    // The adapters, registered by the set-up (null before and after).
    ViewEditorListener* EditorListenerAdapter() const { return m_pEditorListener.get(); }
    ViewMidiInListener* MidiInListenerAdapter() const { return m_pMidiInListener.get(); }
    // Stops the MIDI input, then gives the editor and the input null listeners and drops
    // the adapters with whatever they still held.
    void UnregisterListeners();
    // Handles now what the editor reported and the view has not taken yet; or drops it.
    void DeliverEditorNotices();
    void DropEditorNotices();
    // The free-text tool's typed text goes into the score now (before the score is asked
    // about), as leaving the tool would put it there.
    void CommitPendingFreeText();

    // The keyboard commands from the shortcut file and the user symbols' keys, and their
    // building from given files.
    const std::vector<std::shared_ptr<KeyCommand>>& KeyCommands() const { return m_KeyCommands; }
    const std::vector<std::shared_ptr<SymbolKeyCommand>>& SymbolKeyCommands() const { return m_SymbolKeyCommands; }
    void LoadKeyCommands(std::u16string_view shortcutPath);
    void LoadSymbolKeyCommands(std::u16string_view symbolPath);
    // A key press of the selection tool: the editor first, then every matching keyboard
    // command and symbol key in list order.
    void DispatchKey(int virtualKey, int repeat, unsigned flags);

    // The editor for operations from keys, the pointer and command handlers; null while a
    // document loads (the loading thread has the editor then) or when there is none.
    quaverly::api::ScoreEditor* EditorForInput() const;
    // The page and the page inside its margins in window pixels; a window point in score
    // units (0.01 mm from the content's top-left corner).
    platform::Rect PageRect() const;
    platform::Rect ContentRect() const;
    quaverly::Point WindowToScore(int x, int y) const;
    // Scrolls one bar to a position as the thumb would.
    void ScrollToPosition(int bar, int pos);

    // The in-place text box (titles, credits, lyrics) and its placing over a score
    // rectangle; the free-text box, its frame and font. Each box is made, hidden, on its
    // first use.
    CScoreTextEdit* TextEdit();
    void ShowTextEdit(const quaverly::Rect& scoreRect);
    QPlainTextEdit* FreeTextEdit();
    CScoreRectTracker& Tracker() { return m_Tracker; }
    const quaverly::LogFont& FreeTextFont() const { return m_FreeTextFont; }
    // The box's font: the free-text font at the current zoom.
    void RebuildFreeTextFont();

    // Copy with the picture tool: the band's region of the page on the clipboard as a
    // picture, or the message that no region is chosen. False when nothing was copied.
    bool CopyPicture();

protected:
    void OnKeyUp(int virtualKey, int repeatCount, unsigned flags) override;
    void OnLButtonDown(unsigned flags, platform::Point point) override;
    void OnLButtonUp(unsigned flags, platform::Point point) override;
    void OnLButtonDblClk(unsigned flags, platform::Point point) override;
    void OnMouseMove(unsigned flags, platform::Point point) override;
    // Return in the in-place text box ends its edit; so does a blank in a lyric.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The text item editor and the free text's first font, set with the window (the
    // boxes wait for their first use).
    void CreateEditBoxes();
    void MapNoteEntryCommands();
    // ---- documents ----
public:
    // The data folder: the autosave copy, the DTD, the option file and the wizard's lists
    // (empty: the program's own).
    void SetDataFolder(std::u16string folder) { m_strDataFolder = std::move(folder); }
    // Where opened and saved documents are remembered (not owned; null: nowhere).
    void SetRecentFileList(RecentFileList* list) { m_pRecentFiles = list; }
    const std::u16string& DocumentPath() const { return m_strPathName; }
    bool IsModified() const { return m_dwChangeTime != m_dwSaveTime; }
    // One flag per MIDI channel that a part of the score uses.
    const std::vector<bool>& UsedChannels() const { return m_UsedChannels; }
    // This copy's autosave file: the first slot no other running copy of the program
    // holds, taken at the first call and kept while the view lives; empty when no slot
    // could be taken (then nothing is autosaved).
    std::filesystem::path AutosavePath() const;
    // Waits until no worker of the opening runs (its message may still be queued).
    void WaitForDocumentWorker();

    // The file commands. The save commands say whether the score was written.
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnFileClose();
    void OnExportMidi();
    void OnExportMetafile();
    // Writes the score to the document path; false (after telling the user) on failure,
    // and the score stays modified.
    bool SaveScoreFile();
    // Writes the score to a file, leaving the document path and the modified mark as
    // they are; false when it could not be written.
    bool WriteScore(const std::u16string& path);
    // Drops the score and shows the empty desk.
    void CloseScore();
    // Yes, No or Cancel to saving the modified score.
    int AskToSave();
    // Before the score is replaced or closed: true to go on. A modified score is offered
    // for saving; Cancel, and a save that failed or was cancelled, keep it.
    bool SaveGuard();
    // At start-up: the autosave copy left by a run that did not end normally.
    void OfferRecovery();

    // Clipboard and dropped files.
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    bool CanCopy() const;
    bool CanCut() const;
    bool CanPaste() const;
    void OnDropFiles(const std::vector<std::u16string>& paths);
    // ---- playback ----
public:
    // The playback commands. Play is ignored while recording and Record while playing;
    // Stop ends either. The metronome switch makes the clicks heard or silent.
    void OnPlay();
    void OnStop();
    void OnRecord();
    void OnMetronome();
    // Space: Play when neither playing nor recording and no document is being loaded,
    // otherwise Stop; nothing while no score is shown.
    void OnPlayKey();
    // "播放及录音设备...": the device dialog.
    void OnMidiDevices();
    // Opens the devices chosen in the option file, with the reminders for what fails
    // (the last of the start-up tasks, while a document named on the command line
    // loads). With the output's reminder on, the output is opened on a worker and its
    // reminder, if it failed, is shown once the outcome is back on this thread.
    virtual void OpenMidiDevices();
    // True from the start-up's device check until the outcome of the output's opening
    // has been dealt with.
    bool IsCheckingMidiOut() const { return m_pMidiOutOpening != nullptr; }
    // The editor says what is played changed: the song is rebuilt now, or once the
    // player has let go of it.
    void BuildPlaybackData();
    // The cursor (or page) moved to a bar and an offset in it (engine ticks): where
    // playback and the metronome start.
    void SetPlaybackCursor(int bar, int offset);
    // The player's reports, on the player clock's thread.
    void OnPlayerNotice(const midi::PlayerEvent& event);
    bool IsPlaying() const;
    bool IsRecording() const;
    bool IsMetronomeOn() const { return m_bMetronomeOn; }
    int PlayStartTick() const { return m_nPlayStartTick; }

protected:
    // 0x5FD: the player's position (packed bar, beat and subdivision; tick).
    virtual void OnPlayerPosition(platform::WParam packed, platform::LParam tick);
    // The option file that keeps the device choices.
    virtual std::u16string OptionFilePath() const;

private:
    struct PlaybackState;
    struct PlaybackStateDeleter {
        void operator()(PlaybackState* state) const;
    };
    void MapPlaybackCommands();
    // The playback commands of this view over the application context's player,
    // metronome and devices; null while the context has none.
    PlaybackController* Playback();
    // Runs one of the commands and takes the state it left.
    void RunPlaybackCommand(void (PlaybackController::*command)());
    // The view's flags from the commands' state, after a command or a reset notice.
    void SyncPlaybackState();
    // A score was created or opened: idle, the song out of date, the cursor at the start.
    void ResetPlayback();
    // The document changed: the next Play or Record builds the song afresh.
    void NotePlaybackStale();

private:
    void MapCommands();
    // One scroll-bar code on either bar: lines, pages, thumb, top and bottom.
    void Scroll(int bar, int code, int pos);
    void ScrollTo(int bar, int pos);
    void AfterZoom();
    int LineStep(int bar) const;
    // 0.01 mm per screen pixel; a 96-dpi screen's until the screen is measured.
    double ScreenUnitsPerPixel() const
    {
        return m_dUnitsPerPixel > 0.0 ? m_dUnitsPerPixel : platform::HundredthsOfMmPerPixel(96);
    }

    CBrindleDoc* m_pDocument = nullptr;
    platform::FrameWindowBase* m_pFrame = nullptr;
    quaverly::api::ScoreEditor* m_pEditorOverride = nullptr;

    int m_nMarginLeft = 0;
    int m_nMarginRight = 0;
    int m_nMarginTop = 0;
    int m_nMarginBottom = 0;
    int m_nGapLeft = 50;
    int m_nGapRight = 30;
    int m_nGapTop = 50;
    int m_nGapBottom = 30;
    int m_nPageWidth = 0;
    int m_nPageHeight = 0;
    double m_dUnitsPerPixel = 0.0;
    PageInfo m_PageInfo;
    // Change counts: every change of the document adds one to the first; a save takes
    // its value. Modified: changed since saved.
    std::uint64_t m_dwChangeTime = 0;
    std::uint64_t m_dwSaveTime = 0;
    double m_dZoom = 1.25;
    int m_nZoomIndex = kNormalZoomIndex;
    std::vector<double> m_ZoomLevels;
    int m_nScrollX = 0;
    int m_nScrollY = 0;
    QImage m_PageBitmap;
    // The window as the last paint composed it.
    QImage m_WindowBuffer;
    DrawResourceTable m_DrawResources;
    bool m_bPageBitmapStale = true;
    int m_nPageRenderCount = 1;
    // The next render draws the page picture whole; the page the picture shows.
    bool m_bRedrawWholePage = true;
    int m_nPicturePage = -1;
    // The queued commands at zoom 1, then the page at the current zoom: whole, or only
    // within the device rectangles of the areas the editor reported changed.
    void RunPageCommands(platform::DeviceContext& dc);
    void DrawPageContent(platform::DeviceContext& dc);
    std::vector<QRect> ChangedPageBands(platform::DeviceContext& dc, const std::vector<quaverly::Rect>& areas) const;
    void FillPageBackground(const QRect& area);
    // The desk around the page: its picture tiled, or its colour.
    void FillDesk(QPainter& painter, const QRect& area) const;
    int m_nCurrentPage = 0;
    std::atomic<int> m_nMidiChannel = 0;
    int m_nCurrentTool = kSelectTool;
    std::map<int, std::shared_ptr<MouseTool>> m_Tools;
    int m_nNotePitch = 2;
    int m_nNoteValue = 161280;
    int m_nNoteOctave = 0;
    int m_nNoteDots = 0;
    int m_nNoteAccidental = 0;
    int m_nGraceKind = 0;
    std::u16string m_strPathName;
    bool m_bMetronomeOn = false;
    std::vector<int> m_ChordKeys;
    int m_nPlayStartTick = 0;
    // The bar where playback starts, as last reported or followed.
    int m_nCursorBar = 0;
    int m_nCursorTime = 0;  // the cursor's time within m_nCursorBar
    bool m_bShowPageBorder = true;
    bool m_bShowTrackBaseLines = true;
    bool m_bShowLineBreakMarks = true;
    bool m_bShowIndentMarks = false;
    bool m_bShowLineSpacingMarks = false;
    bool m_bShowLinePositionMarks = false;
    bool m_bShowBarWidthMarks = false;
    bool m_bShowLyricLineMarks = false;
    bool m_bHideEmptyLines = false;
    int m_nTempo = 0;
    std::vector<bool> m_UsedChannels = std::vector<bool>(16, false);
    const QCursor* m_hCursor = nullptr;
    platform::Rect m_rcCaret{};
    std::atomic<bool> m_bEditorBusy = false;
    std::deque<std::shared_ptr<DeferredInput>> m_InputQueue;
    // Wheel movement below one notch, kept until it adds up to one.
    int m_nWheelRemainder = 0;

    // ---- score, settings and layout menus ----
    void MapMenuCommands();
    void MapPageAndHistoryCommands();
    void MapViewOptionCommands();
    void MapMenuMessages();
    bool CanRunScoreCommand() const { return m_bScoreReady && !m_bLoading; }
    // Asks "该操作不能Undo, 是否继续？"; true on Yes.
    bool ConfirmIrreversible();
    // The channel for a new voice: 9 for percussion, else the first free one (marked used).
    int TakeVoiceChannel(bool percussion);
    void OnAddVoice();
    void OnDeleteVoice();
    void OnAddBars();
    void OnDeleteBars();
    void OnKeySignature();
    void OnTimeSignature();
    void OnTempo();
    void OnTempoText();
    void OnTranspose();
    void OnOctaveShift();
    void OnOtherSymbols();
    void OnBarNumbers();
    void OnFontSettings();
    void OnBackgroundSettings();
    void OnScoreInfo();
    void OnPageSetup();
    void OnShortcutKeys();
    void OnParameters();
    void OnPreviousPage();
    void OnNextPage();
    void OnNavigateHome();
    void OnNavigateEnd();
    void OnUpdatePageIndicator();
    void OnPreviewTexture(QImage& texture, std::u16string path);
    void OnBarsPerLine();
    void OnLinesOnPage();
    void OnRestoreDefaultLayout();
    void OnEditLyrics();
    void OnHeaderText(std::u16string_view label, std::u16string (quaverly::api::ScoreEditor::*get)() const,
                      void (quaverly::api::ScoreEditor::*set)(const std::u16string&));
    void OnInstrumentName();
    void OnTextEditMove(bool next);
    // The two textures from the option file's choice (null images for none).
    void LoadTextureFiles();

    // ---- note entry and input -----------------------------------------------------------
    // One choice of the note-entry state: toggled back to `neutral` when it already holds
    // `value` (unless `toggle` is false), then applied to the selection with `apply`.
    void ChooseValue(int& field, int value, int neutral, bool toggle, void (CBrindleView::*apply)());
    void ApplyNoteValue();
    void ApplyDots();
    void ApplyOctave();
    void ApplyAccidental();
    void ApplyToSelection(void (quaverly::api::ScoreEditor::*operation)(int), int value);
    void OnEditorNoticeMessage();
    void OnMidiInputMessage();
    void TrackCaret(const quaverly::Rect& caret);
    void ShowTextItem(std::shared_ptr<EditableTextItem> item, const quaverly::Rect& scoreRect);
    void RecomputePlayStart(const quaverly::NoticePosition& position);
    // The position display shows where playback starts.
    void ShowPlayStart();
    // After a click or a key: the bar the editor's cursor is on becomes the start of
    // playback when the editor moved the cursor without saying so (`placed`: a click of
    // the selection tool put it there).
    void FollowEditorCursor(bool placed = false);

    std::unique_ptr<ViewEditorListener> m_pEditorListener;
    std::unique_ptr<ViewMidiInListener> m_pMidiInListener;
    std::vector<std::shared_ptr<KeyCommand>> m_KeyCommands;
    std::vector<std::shared_ptr<SymbolKeyCommand>> m_SymbolKeyCommands;
    // Both boxes are children of the viewport, which deletes them.
    CScoreTextEdit* m_TextEdit = nullptr;
    QPlainTextEdit* m_FreeTextEdit = nullptr;
    CScoreRectTracker m_Tracker{platform::Rect{}, platform::RectTracker::kDottedLine | platform::RectTracker::kResizeOutside};
    quaverly::LogFont m_FreeTextFont;
    std::unique_ptr<ScoreTextItemEditor> m_pTextItemEditor;
    midi::MidiOutSink* m_pMidiOutOverride = nullptr;
    // The editor's count of "pending commands run" when the last queued input went in: an
    // older such notice does not let the next input in.
    std::uint64_t m_nRunsAtHandOff = 0;
    // Long operations the editor reported begun and not yet ended (wait cursor).
    int m_nLongOperations = 0;
    // ---- documents ----
    void MapDocumentCommands();
    // The page in screen pixels at zoom 1, as every drawing pass maps it.
    PageGeometry PageOnScreen() const { return {m_nPageWidth, m_nPageHeight, m_nMarginLeft, m_nMarginTop}; }
    // The view goes: the worker is waited for and the progress dialog left to the frame.
    void EndDocumentWork();
    void StartOpening(std::u16string path, bool recovering);
    void SetDocumentTitle(std::u16string title);
    bool SaveAs();
    // The save dialog with the document's name proposed; false when cancelled.
    bool AskSaveName(std::u16string_view filter, std::u16string_view extension, std::u16string& path);
    std::u16string m_strDataFolder;
    RecentFileList* m_pRecentFiles = nullptr;
    std::vector<std::shared_ptr<ProgressToken>> m_ProgressTokens;
    std::shared_ptr<OpenJob> m_pOpenJob;
    std::unique_ptr<DocumentWorker> m_pDocumentWorker;
    unsigned m_nOpenFilterIndex = 1;
    // A document asked for while another one loads, opened once that one is shown.
    std::u16string m_strWaitingPath;
    std::unique_ptr<QPrinter> m_pPrinter;  // made at the first print or print setup
    mutable AutosaveLock m_AutosaveLock;
    // ---- playback ----
    std::unique_ptr<PlaybackState, PlaybackStateDeleter> m_pPlayback;
    // The start-up's opening of the MIDI output, kept until its outcome is dealt with.
    std::unique_ptr<DocumentWorker> m_pMidiOutOpening;
    // 0x6A1: the output's reminder when it did not open.
    void OnMidiOutOpened(bool opened);
    // The view goes: a worker still opening the output is waited for.
    void EndMidiOutOpening();
};

}  // namespace brindle
