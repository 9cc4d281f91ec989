// The view's document commands: a new score from the wizard, opening a document on the
// worker threads, saving, the autosave copy and its recovery, closing, and the exports.
//
// While a document loads (m_bLoading), the workers hold the editor: the commands that
// would reach it do nothing then (IsIdle), the score is not shown (m_bScoreReady is
// clear, so nothing paints, autosaves or edits), and a document asked for meanwhile
// waits until the one loading is shown. The workers report back only by posting.
#include "app/shell/brindle_view.h"

#include <memory>
#include <utility>

#include "app/dialogs/data_folder.h"
#include "app/dialogs/new_score_wizard.h"
#include "app/dialogs/wait_cursor.h"
#include "app/dialogs/wizard_info_page.h"
#include "app/dialogs/wizard_key_tempo_page.h"
#include "app/dialogs/wizard_paper_page.h"
#include "app/dialogs/wizard_staff_page.h"
#include "app/mididev/midi_file_export.h"
#include "app/settings/option_file.h"
#include "app/shell/brindle_doc.h"
#include "app/shell/command_ids.h"
#include "app/shell/document_loader.h"
#include "app/shell/document_paths.h"
#include "app/shell/new_score_record.h"
#include "app/shell/recent_file_list.h"
#include "engine/editor/editor_interface.h"
#include "engine/editor/new_score_settings.h"
#include "platform/command_ui.h"
#include "platform/dialog_service.h"
#include "platform/frame_window_base.h"
#include "platform/metafile_device_context.h"
#include "platform/string_table.h"
#include "platform/text_encoding.h"

namespace brindle {

namespace fs = std::filesystem;

namespace {

constexpr std::u16string_view kAutosaveFileName = u"~autosave.exl";
constexpr std::u16string_view kSaveFailed = u"文件保存失败!";
constexpr std::u16string_view kReadOnlyFile = u"文件已存在，并且具有只读属性，保存失败！";
constexpr std::u16string_view kExampleFolder = u"Example\\";
constexpr std::u16string_view kMetafileFilter = u"Windows Metafile(*.wmf)|*.wmf||";
constexpr std::u16string_view kMetafileExtension = u"wmf";
constexpr unsigned kSaveFlags = platform::kOfnHideReadOnly | platform::kOfnOverwritePrompt;

// A string of the resource-language library (the program's own when it is missing).
std::u16string LibraryString(unsigned id)
{
    platform::ScopedResourceSource source(platform::ResourceSource::Library);
    return platform::LoadResourceString(id);
}

// Where the document file dialogs start: beside the document shown, else beside the
// last one opened.
std::u16string StartFolder(std::u16string_view document, const RecentFileList* recent)
{
    static const std::vector<std::u16string> kNone;
    return DocumentStartFolder(document, recent ? recent->Entries() : kNone);
}

void Tell(QWidget* parent, std::u16string_view text)
{
    platform::ShowMessage(text, platform::kMbOk | platform::kMbIconExclamation, parent);
}

// The document type of an opened document points at the data folder's DTD. A path that
// could not stand inside the document's quotes is left out, and so is a missing entry.
DocumentTypeRewrite RewriteFor(const DataFolder& data)
{
    const SystemInfoSection system = data.SystemInfo();
    const std::u16string dtdName = system.GetDtdFile();
    if (dtdName.empty())
        return {};
    std::error_code ec;
    const fs::path dtd = fs::absolute(data.NativePathOf(dtdName), ec);
    const std::string replacement = dtd.native();
    if (ec || replacement.find_first_of("\"'<>&") != std::string::npos)
        return {};
    return {platform::Utf16ToUtf8(system.GetDtdReplaceString()), replacement};
}

}  // namespace

void CBrindleView::MapDocumentCommands()
{
    using platform::CommandUI;
    MapCommand(cmd::kFileNew, [this] { OnFileNew(); });
    MapCommand(cmd::kFileOpen, [this] { OnFileOpen(); });
    MapCommand(cmd::kFileSave, [this] { OnFileSave(); });
    MapCommand(cmd::kFileSaveAs, [this] { OnFileSaveAs(); });
    MapCommand(cmd::kFileClose, [this] { OnFileClose(); });
    MapCommand(cmd::kExportMidi, [this] { OnExportMidi(); });
    MapCommand(cmd::kExportMetafile, [this] { OnExportMetafile(); });
    MapCommand(cmd::kEditCopy, [this] { OnEditCopy(); });
    MapCommand(cmd::kEditCut, [this] { OnEditCut(); });
    MapCommand(cmd::kEditPaste, [this] { OnEditPaste(); });
    MapUpdate(cmd::kFileNew, [this](CommandUI& ui) { ui.Enable(IsIdle()); });
    MapUpdate(cmd::kFileOpen, [this](CommandUI& ui) { ui.Enable(IsIdle()); });
    MapUpdate(cmd::kFileSave, [this](CommandUI& ui) { ui.Enable(m_bScoreReady && IsModified()); });
    MapUpdate(cmd::kFileSaveAs, [this](CommandUI& ui) { ui.Enable(m_bScoreReady && IsIdle()); });
    MapUpdate(cmd::kFileClose, [this](CommandUI& ui) { ui.Enable(m_bScoreReady && IsIdle()); });
    MapUpdate(cmd::kExportMidi, [this](CommandUI& ui) { ui.Enable(m_bScoreReady); });
    MapUpdate(cmd::kExportMetafile, [this](CommandUI& ui) { ui.Enable(m_bScoreReady); });
    MapUpdate(cmd::kEditCopy, [this](CommandUI& ui) { ui.Enable(CanCopy()); });
    MapUpdate(cmd::kEditCut, [this](CommandUI& ui) { ui.Enable(CanCut()); });
    MapUpdate(cmd::kEditPaste, [this](CommandUI& ui) { ui.Enable(CanPaste()); });
    MapMessage(msg::kScoreLoaded, [this](platform::WParam, platform::LParam) {
        OnScoreLoaded();
        return platform::LResult{0};
    });
    MapMessage(msg::kScoreLoadFailed, [this](platform::WParam, platform::LParam) {
        OnScoreLoadFailed();
        return platform::LResult{0};
    });
    MapMessage(msg::kScoreLaidOut, [this](platform::WParam, platform::LParam) {
        OnScoreLaidOut();
        return platform::LResult{0};
    });
}

fs::path CBrindleView::AutosavePath() const
{
    const fs::path first = NativePath(SettingsFolder().Folder() + std::u16string(kAutosaveFileName));
    m_AutosaveLock.Acquire(first);
    return m_AutosaveLock.AutosavePath();
}

void CBrindleView::WaitForDocumentWorker()
{
    if (m_pDocumentWorker)
        m_pDocumentWorker->Wait();
}

void CBrindleView::EndDocumentWork()
{
    WaitForDocumentWorker();
    for (const auto& token : m_ProgressTokens)
        token->Dismiss();
    m_ProgressTokens.clear();
}

void CBrindleView::SetDocumentTitle(std::u16string title)
{
    const std::u16string application = LibraryString(ids::kAppTitle);
    if (m_pFrame)
        m_pFrame->setWindowTitle(QString::fromStdU16String(title.empty() ? application : title + u" - " + application));
    if (m_pDocument)
        m_pDocument->SetTitle(std::move(title));
}

// ---- start-up ----------------------------------------------------------------------

void CBrindleView::OnStartUpTasks()
{
    OfferRecovery();
    // The document named on the command line, after the recovery question; when the
    // recovered copy is still loading, it waits for it.
    if (m_pDocument && !m_pDocument->OpenPath().empty())
        OpenScoreFile(m_pDocument->OpenPath());
    // The devices once the document loads on its worker: the input's reminder may be
    // shown meanwhile, and the output, which takes a while to open (the synthesizer is
    // made and its sound output started), opens on a worker of its own.
    OpenMidiDevices();
}

void CBrindleView::OfferRecovery()
{
    // Only the copy of this program's own slot: the slots other running copies hold
    // are theirs, live.
    const fs::path copy = AutosavePath();
    const std::u16string path = PathText(copy);
    if (copy.empty() || !FileExists(path) || m_bLoading)
        return;
    if (platform::ShowMessage(LibraryString(ids::kRecoveryQuestion), platform::kMbYesNo | platform::kMbIconQuestion,
                              this) == platform::kIdYes)
        StartOpening(path, true);
}

// ---- new score ---------------------------------------------------------------------

void CBrindleView::OnFileNew()
{
    if (!IsIdle())
        return;
    const DataFolder data = SettingsFolder();
    // The pages outlive the wizard, which hands them back when it goes.
    CWizardInfoPage info;
    CWizardStaffPage staves(data);
    CWizardKeyTempoPage keyTempo(data);
    CWizardPaperPage paper(data);
    CNewScoreWizard wizard(this);
    wizard.AddPage(&info);
    wizard.AddPage(&staves);
    wizard.AddPage(&keyTempo);
    wizard.AddPage(&paper);
    if (!SaveGuard())
        return;
    if (wizard.DoModal() != platform::kIdOk)
        return;

    CloseScore();
    quaverly::NewScoreSettings settings = BuildNewScoreSettings(info, staves, keyTempo, m_UsedChannels);
    m_PageInfo = paper.GetPageInfo();
    settings.barsPerLine = paper.IsFixedBarsPerLine() ? paper.GetBarsPerLine() : 0;
    ApplyPageInfo();
    ShowScore();
    if (auto* editor = Editor()) {
        editor->NewDocument(settings);
        editor->ShowPageBorder(m_bShowPageBorder);
        editor->ShowTrackBaseLines(m_bShowTrackBaseLines);
    }
    // A new score counts as modified: the first Save asks for a name.
    MarkChanged();
    int beatUnit = 0;
    int perMinute = 0;
    keyTempo.GetTempo(beatUnit, perMinute);
    m_nTempo = NewScoreViewTempo(keyTempo.IsExactTempo(), beatUnit, perMinute, keyTempo.GetTempoTerm());
    if (m_pFrame)
        m_pFrame->PostMessage(msg::kSetTempo, static_cast<platform::WParam>(m_nTempo));
    SetDocumentTitle(LibraryString(ids::kUntitled));
}

// ---- opening -----------------------------------------------------------------------

void CBrindleView::OnFileOpen()
{
    if (!IsIdle() || !SaveGuard())
        return;
    platform::FileDialogRequest request;
    request.open = true;
    request.filter = LibraryString(ids::kOpenFilter);
    request.flags = kSaveFlags;
    request.filterIndex = m_nOpenFilterIndex;
    request.parent = this;
    request.initialFolder = StartFolder(m_strPathName, m_pRecentFiles);

    // The first time, the dialog starts in the examples' folder (unless a document
    // already gives it one).
    const std::u16string optionPath = OptionFilePath();
    if (!optionPath.empty()) {
        OptionFile options;
        options.SetFileName(optionPath);
        if (options.GetRecentDirectory().empty()) {
            std::error_code ec;
            const fs::path examples = fs::current_path(ec) / "Example";
            if (request.initialFolder.empty() && !ec && fs::is_directory(examples, ec))
                request.initialFolder = PathText(examples);
            options.SetRecentDirectory(kExampleFolder);
        }
    }
    if (!platform::DialogService::Current().GetFileName(request))
        return;
    OpenScoreFile(request.fileName);
    m_nOpenFilterIndex = request.filterIndex;
}

bool CBrindleView::OpenScoreFile(std::u16string_view path)
{
    // The type is looked at before anything is closed: a refused file leaves the score.
    if (!HasDocumentExtension(path)) {
        Tell(this, LibraryString(ids::kUnsupportedFile));
        return false;
    }
    if (m_bLoading) {
        m_strWaitingPath = std::u16string(path);
        return true;
    }
    StartOpening(std::u16string(path), false);
    return true;
}

bool CBrindleView::OpenDroppedFile(std::u16string_view path)
{
    if (!IsIdle())
        return true;
    if (!HasDocumentExtension(path))
        return OpenScoreFile(path);
    if (!SaveGuard())
        return true;
    return OpenScoreFile(path);
}

void CBrindleView::StartOpening(std::u16string path, bool recovering)
{
    CloseScore();
    m_strPathName = path;
    m_bLoading = true;
    m_ProgressTokens.push_back(std::make_shared<ProgressToken>(m_pFrame));

    auto job = std::make_shared<OpenJob>();
    job->document = NativePath(path);
    job->rewrite = RewriteFor(SettingsFolder());
    job->temporaryFolder = TemporaryCopyFolder();
    job->resources = &m_DrawResources;
    job->recovering = recovering;
    m_pOpenJob = job;

    quaverly::api::ScoreEditor* editor = Editor();
    if (!editor) {
        PostMessage(msg::kScoreLoadFailed);
        return;
    }
    if (!m_pDocumentWorker)
        m_pDocumentWorker = std::make_unique<DocumentWorker>();
    m_pDocumentWorker->Start([this, job, editor] {
        job->loaded = LoadScoreDocument(*editor, *job);
        PostMessage(job->loaded ? msg::kScoreLoaded : msg::kScoreLoadFailed);
    });
}

void CBrindleView::OnScoreLoaded()
{
    const std::shared_ptr<OpenJob> job = m_pOpenJob;
    if (!job || !m_bLoading)
        return;
    // The load pass has posted its last word; from here the editor is this thread's
    // until the layout pass starts.
    WaitForDocumentWorker();
    const quaverly::PageLayout& page = job->info.page;
    if (page.pageHeight != 0) {
        m_PageInfo.name = page.paperName;
        m_PageInfo.portrait = page.portrait != 0;
        m_PageInfo.width = page.pageWidth;
        m_PageInfo.height = page.pageHeight;
        m_PageInfo.left = page.leftMargin;
        m_PageInfo.top = page.topMargin;
        m_PageInfo.right = page.rightMargin;
        m_PageInfo.bottom = page.bottomMargin;
    } else {
        m_PageInfo = PageInfo{};
    }
    m_nTempo = job->info.tempo > 0 ? job->info.tempo : 120;
    m_bHideEmptyLines = job->info.hideEmptyTrack;
    ApplyPageInfo();
    job->page = PageOnScreen();

    quaverly::api::ScoreEditor* editor = Editor();
    m_pDocumentWorker->Start([this, job, editor] {
        if (editor)
            LayOutLoadedScore(*editor, *job);
        PostMessage(msg::kScoreLaidOut);
    });

    if (job->recovering) {
        // The copy stands in for a document that was never saved under a name.
        m_strPathName.clear();
        SetDocumentTitle(LibraryString(ids::kUntitled));
    } else {
        SetDocumentTitle(StripExtension(FileNameOf(m_strPathName)));
        if (m_pRecentFiles)
            m_pRecentFiles->Add(m_strPathName);
    }
    if (m_pFrame)
        m_pFrame->PostMessage(msg::kSetTempo, static_cast<platform::WParam>(m_nTempo));
}

void CBrindleView::OnScoreLoadFailed()
{
    const std::shared_ptr<OpenJob> job = m_pOpenJob;
    if (!job || !m_bLoading)
        return;
    WaitForDocumentWorker();
    m_ProgressTokens.clear();
    // Only a document that is missing or broken leaves the list.
    if (m_pRecentFiles && !job->recovering && job->documentFailed)
        m_pRecentFiles->Remove(m_strPathName);
    m_strPathName.clear();
    SetDocumentTitle({});
    m_bLoading = false;
    m_pOpenJob.reset();
    // The page pane kept the closed score's pages while the document loaded.
    PostMessage(msg::kUpdatePageIndicator);
    Tell(this, LibraryString(ids::kOpenFailed));
    if (!m_strWaitingPath.empty())
        OpenDroppedFile(std::exchange(m_strWaitingPath, {}));
}

void CBrindleView::OnScoreLaidOut()
{
    const std::shared_ptr<OpenJob> job = m_pOpenJob;
    if (!job || !m_bLoading)
        return;
    WaitForDocumentWorker();
    m_ProgressTokens.clear();
    for (std::size_t channel = 0; channel < job->channels.size() && channel < m_UsedChannels.size(); ++channel)
        m_UsedChannels[channel] = job->channels[channel];
    ShowScore();
    if (auto* editor = Editor()) {
        editor->ShowPageBorder(m_bShowPageBorder);
        editor->ShowTrackBaseLines(m_bShowTrackBaseLines);
    }
    // The document is as its file holds it; a recovered copy has never been saved.
    m_dwSaveTime = m_dwChangeTime;
    if (job->recovering)
        MarkChanged();
    m_bLoading = false;
    m_pOpenJob.reset();
    // Whatever the song was built from while the workers held the editor, it is built
    // afresh from the document now shown.
    NotePlaybackStale();
    PostMessage(msg::kUpdatePageIndicator);
    if (!m_strWaitingPath.empty())
        OpenDroppedFile(std::exchange(m_strWaitingPath, {}));
}

// ---- saving ------------------------------------------------------------------------

int CBrindleView::AskToSave()
{
    std::u16string title = m_pDocument ? m_pDocument->GetTitle() : std::u16string();
    if (title.empty())
        title = LibraryString(ids::kUntitled);
    std::u16string text = LibraryString(platform::kIdsAskToSave);
    const std::size_t at = text.find(u"%1");
    if (at != std::u16string::npos)
        text.replace(at, 2, title);
    return platform::ShowMessage(text, platform::kMbYesNoCancel | platform::kMbIconExclamation, this);
}

bool CBrindleView::SaveGuard()
{
    // Typed free text is part of the score the user is asked about.
    CommitPendingFreeText();
    if (!IsModified())
        return true;
    switch (AskToSave()) {
    case platform::kIdNo: return true;
    case platform::kIdYes: return OnFileSave();
    default: return false;
    }
}

bool CBrindleView::WriteScore(const std::u16string& path)
{
    quaverly::ScoreFileInfo info;
    info.tempo = m_nTempo;
    info.page.paperName = m_PageInfo.name;
    info.page.portrait = m_PageInfo.portrait ? 1 : 0;
    info.page.pageHeight = m_PageInfo.height;
    info.page.pageWidth = m_PageInfo.width;
    info.page.leftMargin = m_PageInfo.left;
    info.page.topMargin = m_PageInfo.top;
    info.page.rightMargin = m_PageInfo.right;
    info.page.bottomMargin = m_PageInfo.bottom;
    info.hideEmptyTrack = m_bHideEmptyLines;
    auto* editor = Editor();
    if (!editor || path.empty())
        return false;
    // What was queued since the last paint (a new score not shown yet) goes in too.
    RunQueuedCommands(*editor, PageOnScreen(), &m_DrawResources);
    return editor->SaveMusicXml(path, info);
}

bool CBrindleView::SaveScoreFile()
{
    if (!WriteScore(m_strPathName)) {
        Tell(this, kSaveFailed);
        return false;
    }
    m_dwSaveTime = m_dwChangeTime;
    return true;
}

bool CBrindleView::OnFileSave()
{
    if (!m_bScoreReady || m_bLoading)
        return false;
    if (!m_strPathName.empty() && FileExtension(m_strPathName) == LibraryString(ids::kDocumentExtension)) {
        if (FileExists(m_strPathName) && IsReadOnlyFile(m_strPathName)) {
            Tell(this, kReadOnlyFile);
            return false;
        }
        return SaveScoreFile();
    }
    return SaveAs();
}

bool CBrindleView::OnFileSaveAs()
{
    if (!IsIdle() || !m_bScoreReady)
        return false;
    return SaveAs();
}

bool CBrindleView::AskSaveName(std::u16string_view filter, std::u16string_view extension, std::u16string& path)
{
    platform::FileDialogRequest request;
    request.open = false;
    request.filter = std::u16string(filter);
    request.defaultExtension = std::u16string(extension);
    request.fileName = StripExtension(FileNameOf(m_strPathName));
    request.initialFolder = StartFolder(m_strPathName, m_pRecentFiles);
    request.flags = kSaveFlags;
    request.parent = this;
    if (!platform::DialogService::Current().GetFileName(request))
        return false;
    path = request.fileName;
    return true;
}

bool CBrindleView::SaveAs()
{
    std::u16string path;
    if (!AskSaveName(LibraryString(ids::kSaveFilter), LibraryString(ids::kDocumentExtension), path))
        return false;
    if (FileExists(path) && IsReadOnlyFile(path)) {
        Tell(this, kReadOnlyFile);
        return false;
    }
    // The document takes the new name only once it is written under it.
    if (!WriteScore(path)) {
        Tell(this, kSaveFailed);
        return false;
    }
    m_strPathName = path;
    SetDocumentTitle(StripExtension(FileNameOf(path)));
    if (m_pRecentFiles)
        m_pRecentFiles->Add(m_strPathName);
    m_dwSaveTime = m_dwChangeTime;
    return true;
}

// ---- autosave and closing ----------------------------------------------------------

void CBrindleView::OnAutosave()
{
    // Written whether or not anything changed since; never while a worker holds the
    // editor. The copy never counts as a save.
    if (!m_bScoreReady || m_bLoading)
        return;
    const fs::path copy = AutosavePath();
    if (copy.empty())
        return;
    WaitCursor wait;
    WriteScore(PathText(copy));
}

void CBrindleView::OnFileClose()
{
    if (!IsIdle() || !SaveGuard())
        return;
    CloseScore();
}

void CBrindleView::CloseScore()
{
    ResetViewState();
    UpdateScrollBars();
    Invalidate();
    SetDocumentTitle({});
}

void CBrindleView::OnClose()
{
    if (!IsIdle())
        return;
    // A score the user keeps, or whose save failed, keeps the program and its safety copy.
    if (!SaveGuard())
        return;
    // Only this copy's own file: another running copy's stays where it is.
    std::error_code ec;
    if (const fs::path copy = AutosavePath(); !copy.empty())
        fs::remove(copy, ec);
    if (m_pFrame)
        m_pFrame->PostMessage(msg::kCloseConfirmed);
}

// ---- exports -----------------------------------------------------------------------

void CBrindleView::OnExportMidi()
{
    auto* editor = Editor();
    if (!editor || !m_bScoreReady || m_bLoading)
        return;
    std::u16string path;
    if (!AskSaveName(kMidiFileFilter, kMidiFileExtension, path))
        return;
    // The file is built from the score as it is now, into a song of its own: the one
    // the player may be reading is left alone.
    RunQueuedCommands(*editor, PageOnScreen(), &m_DrawResources);
    const ScoreDataPtr score = ExportScore(*editor);
    if (!score || !ExportMidiFile(*score, NativePath(path)))
        Tell(this, LibraryString(ids::kMidiExportFailed));
}

void CBrindleView::OnExportMetafile()
{
    auto* editor = Editor();
    if (!editor || !m_bScoreReady || m_bLoading || m_nPageWidth <= 0 || m_nPageHeight <= 0)
        return;
    std::u16string path;
    if (!AskSaveName(kMetafileFilter, kMetafileExtension, path))
        return;

    WaitCursor wait;
    const PageGeometry page = PageOnScreen();
    RunQueuedCommands(*editor, page, &m_DrawResources);
    // The picture of the page shown, in 0.01 mm, measured as on this screen; every colour
    // black, and an outline along the paper's edge.
    const int dpi = logicalDpiX();
    const float f = platform::HundredthsOfMmPerPixel(dpi);
    const platform::Rect frame{0, 0, static_cast<std::int32_t>(page.width * f), static_cast<std::int32_t>(page.height * f)};
    platform::MetafileDeviceContext dc(frame, dpi);
    const float scale = MapPage(dc, page, {page.width, page.height});
    m_DrawResources.SetBlackAndWhite(true);
    {
        GdiScorePainter painter;
        SetUpPagePainter(painter, dc, &m_DrawResources, page, scale);
        editor->Draw(&painter);
    }
    m_DrawResources.SetBlackAndWhite(false);
    const platform::Pen previous = dc.SelectPen(platform::Pen{platform::kPsSolid, 0, 0});
    dc.MoveTo(frame.left, frame.bottom);
    dc.LineTo(frame.left, frame.top);
    dc.LineTo(frame.right, frame.top);
    dc.LineTo(frame.right, frame.bottom);
    dc.LineTo(frame.left, frame.bottom);
    dc.SelectPen(previous);
    if (!platform::SaveMetafile(NativePath(path), dc.Finish()))
        Tell(this, kSaveFailed);
}

}  // namespace brindle
