#include "app/shell/brindle_view.h"

#include <QCursor>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegion>

#include <algorithm>
#include <cmath>

#include "app/painter/gdi_score_painter.h"
#include "app/settings/font_file.h"
#include "app/settings/option_file.h"
#include "app/settings/system_info_section.h"
#include "app/settings/texture_info_section.h"
#include "app/dialogs/score_text_edit.h"
#include "app/shell/app_context.h"
#include "app/shell/app_directory.h"
#include "app/shell/brindle_doc.h"
#include "app/shell/command_ids.h"
#include "app/shell/key_command.h"
#include "app/shell/score_text_item_editor.h"
#include "app/shell/view_listeners.h"
#include "app/shell/document_loader.h"
#include "app/shell/page_painter.h"
#include "engine/editor/editor_interface.h"
#include "platform/command_ui.h"
#include "platform/dialog_service.h"
#include "platform/frame_window_base.h"
#include "platform/key_translation.h"
#include "platform/qt_device_context.h"
#include "platform/string_table.h"

namespace brindle {

namespace {

// Commands of the view.
constexpr int kCmdSelectTool = 160;
constexpr int kCmdMouseInputTool = 32843;
constexpr int kCmdPictureCopyTool = 33035;

// The colour of the desk when no background picture is chosen, and of the page shadow.
const QColor kDeskColor(128, 128, 128);
const QColor kShadowColor(139, 139, 139);

constexpr int kWheelNotch = 120;

// A paper the view can divide by: a sensible size with margins that leave room to draw.
bool IsUsablePaper(const PageInfo& info)
{
    constexpr int kMaxMm = 10000;
    if (info.width <= 0 || info.height <= 0 || info.width > kMaxMm || info.height > kMaxMm)
        return false;
    if (info.left < 0 || info.right < 0 || info.top < 0 || info.bottom < 0)
        return false;
    return info.left + info.right < info.width && info.top + info.bottom < info.height;
}

// Paper width, height and margins as the page lies: landscape swaps the sides and turns
// the margins by one place (left <- top, top <- right, right <- bottom, bottom <- left).
struct LaidPaper {
    int width, height, left, top, right, bottom;
};

LaidPaper LayPaper(const PageInfo& info)
{
    if (info.portrait)
        return {info.width, info.height, info.left, info.top, info.right, info.bottom};
    return {info.height, info.width, info.top, info.right, info.bottom, info.left};
}

void FillTiled(QImage& target, const QImage& texture, const QRect& area)
{
    QPainter painter(&target);
    painter.fillRect(area, QBrush(texture));
}

// Hundredths of a millimetre per device pixel of a context.
float DeviceScale(const platform::DeviceContext& dc)
{
    return platform::HundredthsOfMmPerPixel(dc);
}

}  // namespace

CBrindleView::CBrindleView(QWidget* parent)
    : ViewBase(parent), m_ZoomLevels{0.5, 0.75, 1.0, 1.25, 1.5, 1.75, 2.0, 3.0, 4.0}
{
    m_Tools[kSelectTool] = std::make_shared<SelectTool>(this);
    m_Tools[kMouseInputTool] = std::make_shared<MouseInputTool>(this);
    m_Tools[kDragTool] = std::make_shared<DragTool>(this);
    m_Tools[kPictureCopyTool] = std::make_shared<PictureCopyTool>(this);
    m_Tools[kFreeTextTool] = std::make_shared<FreeTextTool>(this);

    MapMessage(msg::kStartUp, [this](platform::WParam, platform::LParam) {
        OnStartUpTasks();
        return platform::LResult{0};
    });
    MapMessage(msg::kTempoChanged, [this](platform::WParam tempo, platform::LParam) {
        OnTempoChanged(static_cast<int>(tempo));
        return platform::LResult{0};
    });
    MapMessage(msg::kAutosave, [this](platform::WParam, platform::LParam) {
        OnAutosave();
        return platform::LResult{0};
    });
    MapMessage(msg::kTextStyleChange, [this](platform::WParam change, platform::LParam) {
        if (change != 0)
            OnFreeTextFont(*reinterpret_cast<const TextStyleChange*>(change));
        return platform::LResult{0};
    });
    MapMessage(platform::kWmClose, [this](platform::WParam, platform::LParam) {
        OnClose();
        return platform::LResult{0};
    });
    MapCommands();
}

CBrindleView::~CBrindleView()
{
    // A worker still holding the editor finishes first, and so does one still opening
    // the MIDI output (its outcome, still to come, is dropped with the window).
    EndDocumentWork();
    EndMidiOutOpening();
    UnregisterListeners();
    // The text box goes with the window, after the view's members: it must not store an
    // edit through them then.
    if (m_TextEdit)
        m_TextEdit->SetTextItem(nullptr);
}

void CBrindleView::MapCommands()
{
    const std::pair<int, int> tools[] = {{kCmdSelectTool, kSelectTool},
                                         {kCmdMouseInputTool, kMouseInputTool},
                                         {cmd::kDragTool, kDragTool},
                                         {kCmdPictureCopyTool, kPictureCopyTool},
                                         {cmd::kFreeTextTool, kFreeTextTool}};
    for (const auto& [id, key] : tools) {
        MapCommand(id, [this, key = key] { SetMouseTool(key); });
        MapUpdate(id, [this, key = key](platform::CommandUI& ui) {
            ui.Enable(m_bScoreReady);
            ui.SetCheck(m_bScoreReady && m_nCurrentTool == key ? 1 : 0);
        });
    }
    MapCommand(cmd::kZoomIn, [this] {
        if (CanZoomIn())
            ZoomIn();
    });
    MapCommand(cmd::kZoomOut, [this] {
        if (CanZoomOut())
            ZoomOut();
    });
    MapCommand(cmd::kZoomDefault, [this] {
        if (CanZoomNormal())
            ZoomNormal();
    });
    MapCommand(cmd::kFilePrint, [this] { OnFilePrint(); });
    MapPlaybackCommands();
    MapUpdate(cmd::kFilePrint, [this](platform::CommandUI& ui) { ui.Enable(m_bScoreReady && IsIdle()); });
    MapUpdate(cmd::kZoomIn, [this](platform::CommandUI& ui) { ui.Enable(CanZoomIn()); });
    MapUpdate(cmd::kZoomOut, [this](platform::CommandUI& ui) { ui.Enable(CanZoomOut()); });
    MapUpdate(cmd::kZoomDefault, [this](platform::CommandUI& ui) { ui.Enable(CanZoomNormal()); });
    MapMenuCommands();
    MapNoteEntryCommands();
    MapDocumentCommands();
}

quaverly::api::ScoreEditor* CBrindleView::Editor() const
{
    if (m_pEditorOverride)
        return m_pEditorOverride;
    AppContext* context = AppContext::Instance();
    return context ? context->GetEditor() : nullptr;
}

// ---- tools -------------------------------------------------------------------------

MouseTool* CBrindleView::Tool(int key) const
{
    const auto it = m_Tools.find(key);
    return it == m_Tools.end() ? nullptr : it->second.get();
}

void CBrindleView::ReplaceTool(int key, std::shared_ptr<MouseTool> tool)
{
    if (key >= 0 && key < kToolCount && tool)
        m_Tools[key] = std::move(tool);
}

void CBrindleView::SetMouseTool(int key)
{
    if (key < 0 || key >= kToolCount)
        return;
    if (m_nCurrentTool == kSelectTool && key == kSelectTool)
        return;
    if (MouseTool* current = Tool(m_nCurrentTool))
        current->Deactivate();
    m_nCurrentTool = key == m_nCurrentTool ? kSelectTool : key;
    if (MouseTool* next = Tool(m_nCurrentTool))
        next->Activate();
    if (m_pFrame)
        m_pFrame->PostMessage(msg::kMouseToolChanged, static_cast<platform::WParam>(m_nCurrentTool), 0);
}

void CBrindleView::SetViewCursor(int key)
{
    AppContext* context = AppContext::Instance();
    m_hCursor = context ? context->GetCursor(key) : nullptr;
    if (m_hCursor)
        SetCursor(*m_hCursor);
}

bool CBrindleView::OnSetCursor(int hitTest)
{
    // Over the free-text frame the frame's handles show their own cursors.
    if (m_nCurrentTool == kFreeTextTool && hitTest == platform::kHtClient) {
        const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
        if (m_Tracker.SetCursor(viewport(), platform::Point{at.x(), at.y()}))
            return true;
    }
    // Over the scroll bars the bars keep their own cursor.
    if (hitTest == platform::kHtHScroll || hitTest == platform::kHtVScroll || m_hCursor == nullptr)
        return false;
    SetCursor(*m_hCursor);
    return true;
}

// ---- set-up ------------------------------------------------------------------------

bool CBrindleView::OnCreate()
{
    CreateEditBoxes();
    return true;
}

void CBrindleView::OnInitialUpdate()
{
    LoadTextures();
    RegisterListeners();
    MeasureScreen();
    ResetViewState();
    ApplyFontFile();
    ApplyLayoutParameters();
    MeasureNoteSizes();
    BuildKeyCommands();
    BuildSymbolKeyCommands();
    ApplyOptionFile();
    if (m_pFrame)
        m_pFrame->PostMessage(msg::kViewSetUpDone);
    PostMessage(msg::kStartUp);
}

void CBrindleView::LoadTextures()
{
    LoadTextureFiles();
    m_nCurrentTool = kSelectTool;
    if (MouseTool* tool = Tool(kSelectTool))
        tool->Activate();
}

void CBrindleView::MeasureScreen()
{
    // The logical resolution, with 96 dpi for a screen that reports nothing sensible.
    m_dUnitsPerPixel = platform::HundredthsOfMmPerPixel(logicalDpiX());
}

void CBrindleView::ResetViewState()
{
    m_nNotePitch = 2;
    m_nNoteValue = 161280;
    m_nNoteOctave = 0;
    m_nNoteDots = 0;
    m_nNoteAccidental = 0;
    m_nGraceKind = 0;
    m_bPlaying = m_bRecording = m_bLoading = m_bEditorBusy = false;
    m_nPlayStartTick = 0;
    m_nCursorBar = 0;
    m_nCursorTime = 0;
    ResetPlayback();
    m_nPageWidth = m_nPageHeight = 0;
    m_nMarginLeft = m_nMarginRight = m_nMarginTop = m_nMarginBottom = 0;
    m_nGapLeft = 50;
    m_nGapRight = 30;
    m_nGapTop = 50;
    m_nGapBottom = 30;
    m_PageInfo.left = m_PageInfo.top = m_PageInfo.right = m_PageInfo.bottom = 0;
    m_dwChangeTime = m_dwSaveTime = 0;
    m_nTempo = 120;
    m_nZoomIndex = kNormalZoomIndex;
    m_dZoom = m_ZoomLevels[static_cast<std::size_t>(m_nZoomIndex)];
    m_bScoreReady = false;
    m_bPageBitmapStale = true;
    m_nPageRenderCount = 1;
    m_nCurrentPage = 0;
    m_nMidiChannel = 0;
    m_bShowLineBreakMarks = true;
    m_bShowIndentMarks = m_bShowLineSpacingMarks = m_bShowLinePositionMarks = false;
    m_bShowBarWidthMarks = m_bShowLyricLineMarks = false;
    m_bHideEmptyLines = false;
    m_UsedChannels.assign(16, false);
    m_strPathName.clear();
    m_InputQueue.clear();
    m_ChordKeys.clear();
    // Text typed into the free-text box belongs to the score being dropped: leaving the
    // tool must not add it, and nothing the old score still reports may mark the empty
    // view modified.
    if (m_FreeTextEdit)
        m_FreeTextEdit->clear();
    SetMouseTool(kSelectTool);
    if (auto* editor = Editor())
        editor->ResetDocument();
    DropEditorNotices();
    m_nScrollX = m_nScrollY = 0;
    SetScrollPos(platform::kSbHorz, 0);
    SetScrollPos(platform::kSbVert, 0);
    if (m_pFrame)
        m_pFrame->PostMessage(msg::kShowPosition);
    PostMessage(msg::kUpdatePageIndicator);
}

void CBrindleView::ApplyFontFile()
{
    const DataFolder data = SettingsFolder();
    const std::u16string name = data.SystemInfo().GetFontFileName();
    if (name.empty())
        return;
    FontFile file;
    file.SetFileName(data.PathOf(name));
    m_DrawResources.ApplyFontFile(file);
}

void CBrindleView::MeasureNoteSizes()
{
    QImage probe(1, 1, QImage::Format_RGB32);
    platform::QtDeviceContext dc(&probe);
    m_DrawResources.MeasureNoteSizes(dc, static_cast<float>(m_dUnitsPerPixel));
}

void CBrindleView::ApplyOptionFile()
{
    OptionFile options;
    const std::u16string path = OptionFilePath();
    if (!path.empty())
        options.SetFileName(path);
    // Without a file both read as their default, shown.
    m_bShowPageBorder = path.empty() || options.GetShowPageEdge();
    m_bShowTrackBaseLines = path.empty() || options.GetShowTrackBaseLine();
}

void CBrindleView::ApplyPageInfo()
{
    // Every division below is by the paper's sides or the screen's resolution; a paper
    // read from a document that makes no sense becomes the default page first.
    if (!IsUsablePaper(m_PageInfo)) {
        const std::u16string name = m_PageInfo.name;
        m_PageInfo = PageInfo{};
        m_PageInfo.name = name;
    }
    if (!(m_dUnitsPerPixel > 0.0))
        MeasureScreen();
    const LaidPaper paper = LayPaper(m_PageInfo);
    if (auto* editor = Editor())
        editor->SetPageContentSize((paper.width - paper.right - paper.left) * 100,
                                   (paper.height - paper.bottom - paper.top) * 100);
    const double pixelsPerMm = 100.0 / m_dUnitsPerPixel;
    m_nPageWidth = static_cast<int>(paper.width * pixelsPerMm);
    m_nPageHeight = static_cast<int>(paper.height * pixelsPerMm);
    m_nMarginLeft = static_cast<int>(paper.left * pixelsPerMm);
    m_nMarginRight = static_cast<int>(paper.right * pixelsPerMm);
    m_nMarginTop = static_cast<int>(paper.top * pixelsPerMm);
    m_nMarginBottom = static_cast<int>(paper.bottom * pixelsPerMm);
}

void CBrindleView::ShowScore()
{
    UpdateScrollBars();
    m_bScoreReady = true;
    m_bPageBitmapStale = true;
    ++m_nPageRenderCount;
    Invalidate();
}

void CBrindleView::MarkChanged()
{
    ++m_dwChangeTime;
    NotePlaybackStale();
}

platform::Point CBrindleView::ScoreToWindow(int x, int y) const
{
    const double upp = ScreenUnitsPerPixel();
    return {static_cast<std::int32_t>(x / upp * m_dZoom + m_nMarginLeft * m_dZoom + m_nGapLeft + m_nScrollX),
            static_cast<std::int32_t>(y / upp * m_dZoom + m_nMarginTop * m_dZoom + m_nGapTop + m_nScrollY)};
}

// ---- frame messages ----------------------------------------------------------------

void CBrindleView::OnFreeTextFont(const TextStyleChange& change)
{
    // A size outside what fonts have is refused: the font stays as it was.
    if (change.kind == TextStyleChange::kSize && (change.size < 1 || change.size > 500))
        return;
    ApplyTextStyleChange(m_FreeTextFont, change, logicalDpiY() > 0 ? logicalDpiY() : 96);
    RebuildFreeTextFont();
}

// ---- painting ----------------------------------------------------------------------

void CBrindleView::OnDraw(platform::QtDeviceContext& dc)
{
    QPainter* target = dc.Painter();
    const platform::Rect client = GetClientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (target == nullptr || width <= 0 || height <= 0)
        return;

    const QRect area(0, 0, width, height);
    const bool pageShown = m_bScoreReady && m_nPageWidth > 0 && m_nPageHeight > 0;
    if (!pageShown) {
        // Without a page the window shows the desk and the tool's marks only: they go
        // straight to the window, whose backing store keeps them from flickering, and no
        // window-sized buffer is held while no score is shown.
        m_WindowBuffer = QImage();
        FillDesk(*target, area);
        if (MouseTool* tool = Tool(m_nCurrentTool))
            tool->Draw(dc);
        return;
    }

    // The whole window is composed here and copied once, so nothing flickers. The buffer
    // is kept from paint to paint while the window keeps its size.
    if (m_WindowBuffer.size() != QSize(width, height))
        m_WindowBuffer = QImage(width, height, QImage::Format_RGB32);
    QImage& buffer = m_WindowBuffer;
    // The desk around the page; under the page the page picture covers everything.
    QRegion desk(area);
    const int zoomedWidth = static_cast<int>(m_nPageWidth * m_dZoom);
    const int zoomedHeight = static_cast<int>(m_nPageHeight * m_dZoom);
    desk -= QRect(m_nScrollX + m_nGapLeft, m_nScrollY + m_nGapTop, zoomedWidth, zoomedHeight);
    if (desk == QRegion(area) && m_hBackTexture.isNull()) {
        buffer.fill(kDeskColor);
    } else {
        QPainter painter(&buffer);
        for (const QRect& part : desk)
            FillDesk(painter, part);
    }

    if (!m_hPageTexture.isNull()) {
        QPainter shadow(&buffer);
        const QRect rect(QPoint(3, 3), QPoint(static_cast<int>((m_nPageWidth + 3) * m_dZoom) - 1,
                                               static_cast<int>((m_nPageHeight + 3) * m_dZoom) - 1));
        shadow.fillRect(rect.translated(m_nScrollX + m_nGapLeft, m_nScrollY + m_nGapTop), kShadowColor);
    }
    RenderPageBitmap();
    if (!m_PageBitmap.isNull()) {
        QPainter copy(&buffer);
        copy.drawImage(QPoint(m_nScrollX + m_nGapLeft, m_nScrollY + m_nGapTop), m_PageBitmap,
                       QRect(0, 0, zoomedWidth, zoomedHeight));
    }
    {
        platform::QtDeviceContext caret(&buffer);
        DrawCaretLayer(caret);
    }
    {
        platform::QtDeviceContext marks(&buffer);
        if (MouseTool* tool = Tool(m_nCurrentTool))
            tool->Draw(marks);
    }
    target->drawImage(QPoint(client.left, client.top), buffer);
}

void CBrindleView::RenderPageBitmap()
{
    const int width = static_cast<int>(m_nPageWidth * m_dZoom);
    const int height = static_cast<int>(m_nPageHeight * m_dZoom);
    if (width <= 0 || height <= 0)
        return;
    if (m_bPageBitmapStale) {
        m_PageBitmap = QImage(width, height, QImage::Format_RGB32);
        m_bPageBitmapStale = false;
        m_bRedrawWholePage = true;
        ++m_nPageRenderCount;
    }
    if (m_nPageRenderCount <= 0)
        return;
    auto* editor = Editor();
    {
        platform::QtDeviceContext dc(&m_PageBitmap);
        RunPageCommands(dc);
    }
    // What the commands changed, asked every time so that the account starts afresh.
    std::vector<quaverly::Rect> areas;
    const bool known = editor != nullptr && editor->TakeChangedAreas(areas);
    const bool whole = m_bRedrawWholePage || !known || m_nPicturePage != m_nCurrentPage ||
                       (editor != nullptr && editor->GetCurrentPage() != m_nCurrentPage);
    if (whole) {
        // Cleared each time: without a paper picture the page is plain white, never the
        // previous render or uninitialised memory.
        FillPageBackground(QRect(0, 0, width, height));
        platform::QtDeviceContext dc(&m_PageBitmap);
        DrawPageContent(dc);
        m_bRedrawWholePage = false;
        m_nPicturePage = m_nCurrentPage;
    } else if (!areas.empty()) {
        std::vector<QRect> bands;
        {
            platform::QtDeviceContext dc(&m_PageBitmap);
            MapPage(dc, PageOnScreen(), {width, height});
            bands = ChangedPageBands(dc, areas);
        }
        if (!bands.empty()) {
            // The bands are cleared and everything the page draws is drawn into them
            // again, in the same order: the picture is the one a whole render gives.
            platform::Region clip;
            for (const QRect& band : bands) {
                FillPageBackground(band);
                const platform::Region piece(platform::Rect{band.left(), band.top(), band.right() + 1, band.bottom() + 1});
                clip = clip.Rects().empty() ? piece : platform::Region::Combine(clip, piece, platform::RegionCombine::Or);
            }
            platform::QtDeviceContext dc(&m_PageBitmap);
            dc.SelectClipRegion(&clip);
            DrawPageContent(dc);
            dc.SelectClipRegion(nullptr);
        }
    }
    m_nPageRenderCount = std::min(m_nPageRenderCount - 1, kMaxPendingRenders);
}

void CBrindleView::FillDesk(QPainter& painter, const QRect& area) const
{
    if (m_hBackTexture.isNull())
        painter.fillRect(area, kDeskColor);
    else
        painter.fillRect(area, QBrush(m_hBackTexture));
}

void CBrindleView::FillPageBackground(const QRect& area)
{
    if (!m_hPageTexture.isNull())
        FillTiled(m_PageBitmap, m_hPageTexture, area);
    else if (area == m_PageBitmap.rect())
        m_PageBitmap.fill(Qt::white);
    else
        QPainter(&m_PageBitmap).fillRect(area, Qt::white);
}

std::vector<QRect> CBrindleView::ChangedPageBands(platform::DeviceContext& dc,
                                                  const std::vector<quaverly::Rect>& areas) const
{
    // Each area becomes a band across the whole page (the page's border crosses every
    // band), widened by the rounding of the mapping and the edges of smoothed strokes.
    const float f = DeviceScale(dc);
    const int originX = static_cast<int>(m_nMarginLeft * f);
    const int originY = static_cast<int>(m_nMarginTop * f);
    const int pad = static_cast<int>(std::ceil(m_dZoom)) + 2;
    const QRect page = m_PageBitmap.rect();
    std::vector<std::pair<int, int>> spans;
    for (const quaverly::Rect& area : areas) {
        const platform::Point top = dc.LPtoDP({originX + area.left, originY + area.top});
        const platform::Point bottom = dc.LPtoDP({originX + area.right, originY + area.bottom});
        spans.emplace_back(std::min(top.y, bottom.y) - pad, std::max(top.y, bottom.y) + pad);
    }
    std::sort(spans.begin(), spans.end());
    std::vector<QRect> bands;
    for (std::size_t i = 0; i < spans.size();) {
        int first = spans[i].first;
        int last = spans[i].second;
        for (++i; i < spans.size() && spans[i].first <= last + 1; ++i)
            last = std::max(last, spans[i].second);
        const QRect band = QRect(QPoint(page.left(), first), QPoint(page.right(), last)).intersected(page);
        if (!band.isEmpty())
            bands.push_back(band);
    }
    return bands;
}

void CBrindleView::RunPageCommands(platform::DeviceContext& dc)
{
    auto* editor = Editor();
    if (!editor)
        return;
    const PageGeometry page = PageOnScreen();
    // The queued commands lay the score out at zoom 1; only the drawing is zoomed.
    const float f = MapPage(dc, page, {m_nPageWidth, m_nPageHeight});
    GdiScorePainter painter;
    SetUpPagePainter(painter, dc, &m_DrawResources, page, f);
    editor->RunPendingCommands(&painter);
    dc.SetMapMode(platform::MapMode::Text);
}

void CBrindleView::DrawPageContent(platform::DeviceContext& dc)
{
    auto* editor = Editor();
    if (!editor)
        return;
    const PageGeometry page = PageOnScreen();
    const float f = MapPage(dc, page,
                            {static_cast<std::int32_t>(m_nPageWidth * m_dZoom),
                             static_cast<std::int32_t>(m_nPageHeight * m_dZoom)});
    GdiScorePainter painter;
    SetUpPagePainter(painter, dc, &m_DrawResources, page, f);
    editor->Draw(&painter);
    dc.SetMapMode(platform::MapMode::Text);
}

void CBrindleView::DrawPage(platform::DeviceContext& dc)
{
    RunPageCommands(dc);
    DrawPageContent(dc);
}

void CBrindleView::DrawCaretLayer(platform::DeviceContext& dc)
{
    auto* editor = Editor();
    if (!editor)
        return;
    const float f = DeviceScale(dc);
    dc.SetViewportOrg({m_nScrollX + m_nGapLeft, m_nScrollY + m_nGapTop});
    dc.SetMapMode(platform::MapMode::Isotropic);
    dc.SetWindowExt({static_cast<std::int32_t>(m_nPageWidth * f), static_cast<std::int32_t>(m_nPageHeight * f)});
    dc.SetViewportExt({static_cast<std::int32_t>(m_nPageWidth * m_dZoom),
                       static_cast<std::int32_t>(m_nPageHeight * m_dZoom)});
    {
        GdiScorePainter painter;
        painter.SetDC(&dc);
        painter.SetResourceTable(&m_DrawResources);
        painter.SetOrigin(static_cast<int>(m_nMarginLeft * f), static_cast<int>(m_nMarginTop * f));
        painter.SetScale(f);
        painter.SetTransparentBackground();
        if (IsIdle())
            editor->DrawCaret(&painter);
        else
            editor->UpdateCaret(&painter);
    }
    dc.SetViewportOrg({0, 0});
    dc.SetMapMode(platform::MapMode::Text);
}

// ---- printing ----------------------------------------------------------------------

int CBrindleView::PrintPageCount() const
{
    auto* editor = Editor();
    return std::max(1, editor ? editor->GetLastPageIndex() : 1);
}

int CBrindleView::PrintPages(QPagedPaintDevice& device, int fromPage, int toPage)
{
    auto* editor = Editor();
    if (!editor || m_nPageWidth <= 0 || m_nPageHeight <= 0)
        return 0;
    // Print pages count from 1, the editor's from 0; the range stops at the real last page.
    const int last = std::min(toPage, PrintPageCount());
    const int first = std::max(1, fromPage);
    if (first > last)
        return 0;

    PageInfo info = IsUsablePaper(m_PageInfo) ? m_PageInfo : PageInfo{};
    device.setPageOrientation(info.portrait ? QPageLayout::Portrait : QPageLayout::Landscape);

    m_DrawResources.SetBlackAndWhite(true);
    int printed = 0;
    {
        platform::QtDeviceContext dc(&device);
        const int horzSize = dc.GetDeviceCaps(platform::DeviceCap::HorzSize);
        const int vertSize = dc.GetDeviceCaps(platform::DeviceCap::VertSize);
        const int horzRes = dc.GetDeviceCaps(platform::DeviceCap::HorzRes);
        const int vertRes = dc.GetDeviceCaps(platform::DeviceCap::VertRes);
        if (horzSize > 0 && vertSize > 0 && horzRes > 0 && vertRes > 0) {
            const double kx = static_cast<double>(horzRes) / horzSize;
            const double ky = static_cast<double>(vertRes) / vertSize;
            // The paper in printer pixels as it lies on the sheet, computed before the
            // turn so that each side keeps its own resolution.
            int w = static_cast<int>(info.width * kx);
            int h = static_cast<int>(info.height * ky);
            int left = static_cast<int>(info.left * kx);
            int top = static_cast<int>(info.top * ky);
            int right = static_cast<int>(info.right * kx);
            int bottom = static_cast<int>(info.bottom * ky);
            if (!info.portrait) {
                std::swap(w, h);
                const int oldLeft = left;
                left = top;
                top = right;
                right = bottom;
                bottom = oldLeft;
            }
            (void)right;
            (void)bottom;
            (void)h;
            const int offX = dc.GetDeviceCaps(platform::DeviceCap::PhysicalOffsetX);
            const int offY = dc.GetDeviceCaps(platform::DeviceCap::PhysicalOffsetY);
            const float r = static_cast<float>(w) / static_cast<float>(m_nPageWidth);
            const float f = static_cast<float>(horzSize * r * 100.0 / horzRes);
            for (int page = first; page <= last; ++page) {
                if (page > first)
                    device.newPage();
                dc.SetMapMode(platform::MapMode::Isotropic);
                dc.SetWindowExt({static_cast<std::int32_t>(m_nPageWidth * f),
                                 static_cast<std::int32_t>(m_nPageHeight * f)});
                dc.SetViewportExt({static_cast<std::int32_t>(m_nPageWidth * r),
                                   static_cast<std::int32_t>(m_nPageHeight * r)});
                GdiScorePainter painter;
                painter.SetDC(&dc);
                painter.SetResourceTable(&m_DrawResources);
                painter.SetOrigin(static_cast<int>((left - offX) * f / r), static_cast<int>((top - offY) * f / r));
                painter.SetScale(f);
                painter.SetTransparentBackground();
                editor->SetCurrentPage(page - 1);
                editor->Draw(&painter);
                dc.SetMapMode(platform::MapMode::Text);
                ++printed;
            }
        }
    }
    m_DrawResources.SetBlackAndWhite(false);
    editor->SetCurrentPage(m_nCurrentPage);
    return printed;
}

void CBrindleView::OnFilePrint()
{
    if (!m_bScoreReady || !IsIdle())
        return;
    QPrinter& printer = Printer();
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, PrintPageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // No range chosen: every page.
    const int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int to = printer.toPage() > 0 ? printer.toPage() : PrintPageCount();
    PrintPages(printer, from, to);
}

QPrinter& CBrindleView::Printer()
{
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

// ---- scrolling ---------------------------------------------------------------------

int CBrindleView::ExtentWidth() const
{
    return static_cast<int>(m_nPageWidth * m_dZoom + m_nGapRight + m_nGapLeft);
}

int CBrindleView::ExtentHeight() const
{
    return static_cast<int>(m_nPageHeight * m_dZoom + m_nGapBottom + m_nGapTop);
}

void CBrindleView::UpdateScrollBars()
{
    // Showing one bar narrows the client area for the other: two rounds settle it.
    for (int round = 0; round < 2; ++round) {
        const platform::Rect client = GetClientRect();
        const int sizes[2] = {client.right - client.left, client.bottom - client.top};
        const int extents[2] = {ExtentWidth(), ExtentHeight()};
        for (int bar = platform::kSbHorz; bar <= platform::kSbVert; ++bar) {
            int& scroll = bar == platform::kSbHorz ? m_nScrollX : m_nScrollY;
            if (extents[bar] <= sizes[bar]) {
                scroll = 0;
                SetScrollPos(bar, 0, false);
                ShowScrollBar(bar, false);
                continue;
            }
            ShowScrollBar(bar, true);
            platform::ScrollInfo info;
            info.mask = platform::kSifRange | platform::kSifPage | platform::kSifPos | platform::kSifTrackPos;
            info.min = 0;
            info.max = extents[bar];
            info.page = static_cast<unsigned>(std::max(0, sizes[bar]));
            // The position stays where the page still fits: the range minus the page.
            info.pos = std::clamp(-scroll, 0, std::max(0, extents[bar] - sizes[bar]));
            info.trackPos = info.pos;
            SetScrollInfo(bar, info, true);
            scroll = -info.pos;
        }
    }
}

int CBrindleView::LineStep(int bar) const
{
    const platform::ScrollInfo info = GetScrollInfo(bar);
    const int maxPos = std::max(info.min, info.max - static_cast<int>(info.page));
    return std::max(1, (maxPos - info.min) / 20);
}

void CBrindleView::ScrollTo(int bar, int pos)
{
    const platform::ScrollInfo info = GetScrollInfo(bar);
    const int maxPos = std::max(info.min, info.max - static_cast<int>(info.page));
    pos = std::clamp(pos, info.min, maxPos);
    // A page that fits the window along this bar stays put: the hidden bar still holds
    // the range of an earlier zoom.
    if (!IsScrollBarShown(bar))
        pos = 0;
    SetScrollPos(bar, pos, true);
    (bar == platform::kSbHorz ? m_nScrollX : m_nScrollY) = -pos;
    Invalidate();
}

void CBrindleView::OnHScroll(int code, int pos) { Scroll(platform::kSbHorz, code, pos); }

void CBrindleView::OnVScroll(int code, int pos) { Scroll(platform::kSbVert, code, pos); }

void CBrindleView::Scroll(int bar, int code, int pos)
{
    const platform::ScrollInfo info = GetScrollInfo(bar);
    const int step = LineStep(bar);
    const int page = static_cast<int>(info.page);
    int next = info.pos;
    switch (code) {
    case platform::kSbLineUp: next -= step; break;
    case platform::kSbLineDown: next += step; break;
    case platform::kSbPageUp: next -= page; break;
    case platform::kSbPageDown: next += page; break;
    case platform::kSbThumbPosition:
    case platform::kSbThumbTrack: next = pos; break;
    case platform::kSbTop: next = info.min; break;
    case platform::kSbBottom: next = info.max; break;
    default: break;
    }
    ScrollTo(bar, next);
}

bool CBrindleView::OnMouseWheel(unsigned, int delta, platform::Point)
{
    // Fine-grained wheels send less than a notch at a time: the movement adds up until
    // it makes whole notches, one step each.
    const long long total = static_cast<long long>(m_nWheelRemainder) + delta;
    const int notches = static_cast<int>(total / kWheelNotch);
    m_nWheelRemainder = static_cast<int>(total % kWheelNotch);
    if (notches == 0)
        return true;
    const platform::ScrollInfo info = GetScrollInfo(platform::kSbVert);
    ScrollTo(platform::kSbVert, info.pos - notches * LineStep(platform::kSbVert));
    return true;
}

void CBrindleView::OnSize(int, int)
{
    UpdateScrollBars();
    m_bRedrawWholePage = true;
}

void CBrindleView::OnKeyDown(int virtualKey, int repeatCount, unsigned flags)
{
    if ((platform::CurrentModifierMask() & platform::kModControl) != 0) {
        if (virtualKey == platform::kVkAdd || virtualKey == platform::kVkOemPlus) {
            if (m_nZoomIndex < kZoomLevelCount - 1)
                ZoomIn();
        } else if (virtualKey == platform::kVkSubtract || virtualKey == platform::kVkOemMinus) {
            if (m_nZoomIndex > 0)
                ZoomOut();
        }
    }
    // Space plays from the cursor, or stops what plays.
    if (virtualKey == platform::kVkSpace)
        OnPlayKey();
    // The key still goes to the tool.
    if (MouseTool* tool = Tool(m_nCurrentTool))
        tool->OnKeyDown(virtualKey, repeatCount, flags);
    FollowEditorCursor();
}

// ---- zoom --------------------------------------------------------------------------

void CBrindleView::ZoomIn()
{
    m_nZoomIndex = std::min(m_nZoomIndex + 1, kZoomLevelCount - 1);
    AfterZoom();
}

void CBrindleView::ZoomOut()
{
    m_nZoomIndex = std::max(m_nZoomIndex - 1, 0);
    AfterZoom();
}

void CBrindleView::ZoomNormal()
{
    m_nZoomIndex = kNormalZoomIndex;
    AfterZoom();
}

void CBrindleView::AfterZoom()
{
    m_dZoom = m_ZoomLevels[static_cast<std::size_t>(m_nZoomIndex)];
    m_bPageBitmapStale = true;
    ++m_nPageRenderCount;
    UpdateScrollBars();
    Invalidate();
}

}  // namespace brindle
