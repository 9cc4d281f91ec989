// The score view's side of input: the editor's and the MIDI input's listeners, what the
// view does with every editor notice, MIDI notes turned into chords, the input queue that
// lets typed notes and chords into the editor one at a time, the pointer and key events
// handed to the current tool, and the two edit boxes.
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

#include "app/dialogs/score_text_edit.h"
#include "app/mididev/midi_in_device.h"
#include "app/mididev/midi_out_device.h"
#include "app/painter/header_text_item.h"
#include "app/painter/lyric_text_item.h"
#include "app/shell/app_context.h"
#include "app/shell/brindle_view.h"
#include "app/shell/command_ids.h"
#include "app/shell/key_command.h"
#include "app/shell/score_text_item_editor.h"
#include "app/shell/view_listeners.h"
#include "engine/editor/editor_interface.h"
#include "midi/beat_tracker.h"
#include "midi/meter_map.h"
#include "platform/font_mapper.h"
#include "platform/frame_window_base.h"
#include "platform/key_translation.h"

namespace brindle {

namespace {

namespace notice = quaverly::EditorNoticeCode;

// Ids of the two edit boxes.
constexpr int kTextEditId = 10;
constexpr int kFreeTextEditId = 11;

// A font of the edit boxes: the Chinese character set, antialiased.
quaverly::LogFont BoxFont(std::int32_t height, std::u16string_view face)
{
    quaverly::LogFont font;
    font.height = height;
    font.charSet = 1;
    font.quality = 4;
    font.SetFaceName(face);
    return font;
}

}  // namespace

// ---- the editor in charge ----------------------------------------------------------------

quaverly::api::ScoreEditor* CBrindleView::EditorForInput() const
{
    // While a document loads, the loading thread works on the editor alone.
    if (m_bLoading)
        return nullptr;
    return Editor();
}

// ---- listeners ---------------------------------------------------------------------------

void CBrindleView::RegisterListeners()
{
    m_pEditorListener = std::make_unique<ViewEditorListener>(Port());
    m_nRunsAtHandOff = 0;
    m_pMidiInListener = std::make_unique<ViewMidiInListener>(Port(), [this](std::uint32_t message) {
        EchoMidiInput(message);
    });
    if (auto* editor = Editor())
        editor->SetListener(m_pEditorListener.get());
    AppContext* context = AppContext::Instance();
    if (MidiInDevice* input = context ? context->GetMidiIn() : nullptr)
        input->SetListener(m_pMidiInListener.get());
}

void CBrindleView::UnregisterListeners()
{
    AppContext* context = AppContext::Instance();
    MidiInDevice* input = context ? context->GetMidiIn() : nullptr;
    // The input stops first; SetListener then waits for a delivery in progress, so the
    // adapter is not in use when it goes.
    if (input) {
        input->Stop();
        input->SetListener(nullptr);
    }
    if (auto* editor = Editor())
        editor->SetListener(nullptr);
    m_pMidiInListener.reset();
    m_pEditorListener.reset();
}

void CBrindleView::OnEditorNoticeMessage()
{
    if (!m_pEditorListener)
        return;
    if (std::optional<ViewNotice> copy = m_pEditorListener->Take())
        OnEditorNotice(*copy);
}

void CBrindleView::DeliverEditorNotices()
{
    while (m_pEditorListener) {
        std::optional<ViewNotice> copy = m_pEditorListener->Take();
        if (!copy)
            break;
        OnEditorNotice(*copy);
    }
}

void CBrindleView::DropEditorNotices()
{
    if (m_pEditorListener)
        while (m_pEditorListener->Take()) {
        }
}

void CBrindleView::CommitPendingFreeText()
{
    if (m_nCurrentTool != kFreeTextTool || !m_FreeTextEdit || m_FreeTextEdit->toPlainText().isEmpty())
        return;
    if (auto* tool = dynamic_cast<FreeTextTool*>(Tool(kFreeTextTool))) {
        tool->Commit();
        DeliverEditorNotices();
    }
}

void CBrindleView::OnMidiInputMessage()
{
    if (!m_pMidiInListener)
        return;
    if (std::optional<MidiInRecord> copy = m_pMidiInListener->Take())
        OnMidiInput(*copy);
}

// ---- editor notices ----------------------------------------------------------------------

void CBrindleView::OnEditorNotice(const ViewNotice& n)
{
    switch (n.code) {
    case notice::ContentChanged:
        // The editor tells which areas its commands changed.
        RequestPageUpdate();
        Invalidate();
        break;
    case notice::RegionChanged: {
        const platform::Point a = ScoreToWindow(n.rect.left, n.rect.top);
        const platform::Point b = ScoreToWindow(n.rect.right, n.rect.bottom);
        InvalidateRect(platform::Rect{a.x, a.y, b.x, b.y});
        break;
    }
    case notice::DocumentModified:
        MarkChanged();
        break;
    case notice::EditTitle:
    case notice::EditSubtitle:
    case notice::EditPoet:
    case notice::EditComposer:
    case notice::EditSinger:
    case notice::EditAdapter:
    case notice::EditLyric: {
        if (!m_pTextItemEditor || m_bLoading)
            break;
        TextItemEditorGetter getter = [adapter = m_pTextItemEditor.get()] { return adapter->Get(); };
        std::shared_ptr<EditableTextItem> item;
        switch (n.code) {
        case notice::EditTitle: item = std::make_shared<TitleTextItem>(getter); break;
        case notice::EditSubtitle: item = std::make_shared<SubtitleTextItem>(getter); break;
        case notice::EditPoet: item = std::make_shared<PoetTextItem>(getter); break;
        case notice::EditComposer: item = std::make_shared<ComposerTextItem>(getter); break;
        case notice::EditSinger: item = std::make_shared<SingerTextItem>(getter); break;
        case notice::EditLyric: item = std::make_shared<LyricTextItem>(getter, n.lyric, n.text); break;
        default: item = std::make_shared<AdapterTextItem>(getter); break;
        }
        ShowTextItem(std::move(item), n.rect);
        break;
    }
    case notice::CursorPositionChanged:
        RecomputePlayStart(n.position);
        ShowPlayStart();
        break;
    case notice::PageChanged:
        if (n.position.page != m_nCurrentPage) {
            m_nCurrentPage = n.position.page;
            if (auto* editor = EditorForInput())
                editor->SetCurrentPage(m_nCurrentPage);
            RequestPageRender();
            OnHScroll(platform::kSbThumbPosition, 0);
            OnVScroll(platform::kSbThumbPosition, 0);
            Invalidate();
            PostMessage(msg::kUpdatePageIndicator);
        }
        RecomputePlayStart(n.position);
        break;
    case notice::CaretMoved:
        TrackCaret(n.rect);
        break;
    case notice::PageInfoChanged:
        PostMessage(msg::kUpdatePageIndicator);
        break;
    case notice::PlaybackChanged:
        BuildPlaybackData();
        break;
    case notice::InputBusy:
        m_bEditorBusy = true;
        break;
    case notice::PendingCommandsRun:
        // Only a run after the last input went in lets the next one in.
        if (n.runs > m_nRunsAtHandOff) {
            m_bEditorBusy = false;
            PostMessage(kMsgRunNextInput);
        }
        break;
    case notice::LongOperationBegin:
        if (m_nLongOperations++ == 0)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        break;
    case notice::LongOperationEnd:
        if (m_nLongOperations > 0 && --m_nLongOperations == 0)
            QGuiApplication::restoreOverrideCursor();
        break;
    default:
        break;
    }
}

void CBrindleView::ShowPlayStart()
{
    AppContext* context = AppContext::Instance();
    midi::MidiData* data = context ? context->GetMidiData() : nullptr;
    midi::BeatTracker beats;
    if (data)
        beats.Build(data->GetMeters(), data->GetDivision());
    int bar = 0;
    int beat = 0;
    beats.TickToBarBeat(m_nPlayStartTick, bar, beat);
    if (m_pFrame)
        m_pFrame->PostMessage(msg::kShowPosition, static_cast<platform::WParam>(bar + 1),
                              static_cast<platform::LParam>(beat + 1));
}

void CBrindleView::FollowEditorCursor(bool placed)
{
    // A click or a cursor key moves the editor's cursor without a report: the start
    // follows it to its bar and its place in the bar. While playing, the cursor follows
    // the music and the start stays.
    if (!m_bScoreReady || !IsIdle())
        return;
    auto* editor = EditorForInput();
    const int bar = editor ? editor->GetCursorBarIndex() : -1;
    const int time = editor ? std::max(editor->GetCursorTimeInBar(), 0) : 0;
    if (bar < 0 || (bar == m_nCursorBar && time == m_nCursorTime && !placed))
        return;
    SetPlaybackCursor(bar, time);
    m_nCursorBar = bar;
    m_nCursorTime = time;
    ShowPlayStart();
}

void CBrindleView::RecomputePlayStart(const quaverly::NoticePosition& position)
{
    // Playback and the metronome start there; their commands count the tick. Without
    // them the view counts it from the song's meters.
    m_nCursorBar = position.bar;
    m_nCursorTime = position.time;
    SetPlaybackCursor(position.bar, position.time);
    if (m_pPlayback)
        return;
    AppContext* context = AppContext::Instance();
    midi::MidiData* data = context ? context->GetMidiData() : nullptr;
    midi::MeterMap meters;
    if (data)
        meters.Build(data->GetMeters(), data->GetDivision());
    m_nPlayStartTick = meters.BarPositionToTick(position.bar, position.time);
}

void CBrindleView::TrackCaret(const quaverly::Rect& caret)
{
    const platform::Point top = ScoreToWindow(caret.left, caret.top);
    const platform::Point bottom = ScoreToWindow(caret.right, caret.bottom);
    const platform::Rect next{top.x - 5, top.y, top.x + 5, bottom.y};
    // Compared without the scroll origin, as the scroll bars count.
    const platform::Rect client = GetClientRect();
    const int clientTop = client.top - m_nScrollY;
    const int clientBottom = client.bottom - m_nScrollY;
    const int clientLeft = client.left - m_nScrollX;
    const int clientRight = client.right - m_nScrollX;
    const int caretTop = top.y - m_nScrollY;
    const int caretBottom = bottom.y - m_nScrollY;
    const int caretX = top.x - m_nScrollX;
    if (caretTop < clientTop || caretBottom > clientBottom) {
        ScrollToPosition(platform::kSbVert, caretTop - 50);
        ScrollToPosition(platform::kSbHorz, 0);
        Invalidate();
    }
    if (caretX > clientRight || caretX < clientLeft) {
        ScrollToPosition(platform::kSbHorz, caretX);
        Invalidate();
    }
    if (!(next == m_rcCaret)) {
        InvalidateRect(m_rcCaret);
        m_rcCaret = next;
        InvalidateRect(m_rcCaret);
    }
}

// ---- MIDI input --------------------------------------------------------------------------

void CBrindleView::EchoMidiInput(std::uint32_t message)
{
    const std::uint32_t status = message & 0xFFu;
    // Channel messages go out on the view's channel; system messages as they came.
    if (status >= 0x80 && status < 0xF0)
        message = (message & ~0x0Fu) | static_cast<std::uint32_t>(m_nMidiChannel.load() & 0x0F);
    midi::MidiOutSink* out = m_pMidiOutOverride;
    if (!out) {
        AppContext* context = AppContext::Instance();
        out = context ? context->GetMidiOut() : nullptr;
    }
    if (out)
        out->SendShortMessage(message);
}

void CBrindleView::OnMidiInput(const MidiInRecord& record)
{
    if (record.code != kMidiInData)
        return;
    const std::uint32_t status = record.message & 0xF0u;
    if (status != 0x90 && status != 0x80)
        return;
    // Recording takes the notes as they are played; no chord is made of them.
    if (m_bRecording)
        return;
    const int key = static_cast<int>((record.message >> 8) & 0x7Fu);
    const int velocity = static_cast<int>((record.message >> 16) & 0x7Fu);
    if (status == 0x90 && velocity != 0) {
        m_ChordKeys.push_back(key);
        return;
    }
    // The first key let go ends the chord of every key pressed until then.
    if (m_ChordKeys.empty())
        return;
    QueueInput(std::make_shared<DeferredChordInput>(m_ChordKeys, m_nNoteValue, m_nNoteDots, m_nGraceKind,
                                                    platform::CurrentModifierMask()));
    m_ChordKeys.clear();
    m_nNoteDots = 0;
}

// ---- the input queue ---------------------------------------------------------------------

void CBrindleView::QueueInput(std::shared_ptr<DeferredInput> input)
{
    // Without a score, or while one loads, there is nothing to enter notes into.
    if (!input || !m_bScoreReady || m_bLoading)
        return;
    m_InputQueue.push_back(std::move(input));
    PostMessage(kMsgRunNextInput);
}

void CBrindleView::RunNextQueuedInput()
{
    if (m_bEditorBusy || m_InputQueue.empty() || !m_bScoreReady)
        return;
    auto* editor = EditorForInput();
    if (!editor)
        return;
    const std::shared_ptr<DeferredInput> input = m_InputQueue.front();
    m_InputQueue.pop_front();
    // The view holds the queue itself from the moment it hands an input over: the
    // editor's own busy notice arrives later, as a posted copy.
    const std::uint64_t requestsBefore = m_pEditorListener ? m_pEditorListener->RenderRequests() : 0;
    if (m_pEditorListener) {
        m_nRunsAtHandOff = m_pEditorListener->CommandRuns();
        m_bEditorBusy = true;
    }
    input->Execute(*editor);
    // The queue moves on when the input's commands have run, which happens in a render of
    // the page: an input that asked for none gets one, so the queue never stalls.
    if (!m_pEditorListener || m_pEditorListener->RenderRequests() == requestsBefore) {
        RequestPageRender();
        Invalidate();
    }
}

// ---- pointer and keys --------------------------------------------------------------------

void CBrindleView::OnLButtonDown(unsigned flags, platform::Point point)
{
    if (m_TextEdit && m_TextEdit->hasFocus())
        setFocus();
    if (MouseTool* tool = Tool(m_nCurrentTool))
        tool->OnButtonDown(flags, point.x, point.y);
    FollowEditorCursor(m_nCurrentTool == kSelectTool);
}

void CBrindleView::OnLButtonUp(unsigned flags, platform::Point point)
{
    if (MouseTool* tool = Tool(m_nCurrentTool))
        tool->OnButtonUp(flags, point.x, point.y);
}

void CBrindleView::OnLButtonDblClk(unsigned flags, platform::Point point)
{
    if (MouseTool* tool = Tool(m_nCurrentTool))
        tool->OnDoubleClick(flags, point.x, point.y);
}

void CBrindleView::OnMouseMove(unsigned flags, platform::Point point)
{
    if (MouseTool* tool = Tool(m_nCurrentTool))
        tool->OnPointerMove(flags, point.x, point.y);
}

void CBrindleView::OnKeyUp(int virtualKey, int repeatCount, unsigned flags)
{
    if (MouseTool* tool = Tool(m_nCurrentTool))
        tool->OnKeyUp(virtualKey, repeatCount, flags);
}

// ---- geometry ----------------------------------------------------------------------------

platform::Rect CBrindleView::PageRect() const
{
    return platform::Rect{m_nGapLeft + m_nScrollX, m_nGapTop + m_nScrollY,
                          static_cast<std::int32_t>(m_nPageWidth * m_dZoom + m_nGapLeft) + m_nScrollX,
                          static_cast<std::int32_t>(m_nPageHeight * m_dZoom + m_nGapTop) + m_nScrollY};
}

platform::Rect CBrindleView::ContentRect() const
{
    return platform::Rect{static_cast<std::int32_t>(m_nMarginLeft * m_dZoom + m_nGapLeft) + m_nScrollX,
                          static_cast<std::int32_t>(m_nMarginTop * m_dZoom + m_nGapTop) + m_nScrollY,
                          static_cast<std::int32_t>((m_nPageWidth - m_nMarginRight) * m_dZoom + m_nGapLeft) + m_nScrollX,
                          static_cast<std::int32_t>((m_nPageHeight - m_nMarginBottom) * m_dZoom + m_nGapTop) + m_nScrollY};
}

quaverly::Point CBrindleView::WindowToScore(int x, int y) const
{
    const double z = m_dZoom > 0.0 ? m_dZoom : 1.0;
    const double upp = ScreenUnitsPerPixel();
    return {static_cast<int>(std::floor((x - m_nScrollX - m_nGapLeft - m_nMarginLeft * z) / z * upp)),
            static_cast<int>(std::floor((y - m_nScrollY - m_nGapTop - m_nMarginTop * z) / z * upp))};
}

void CBrindleView::ScrollToPosition(int bar, int pos)
{
    if (bar == platform::kSbHorz)
        OnHScroll(platform::kSbThumbTrack, pos);
    else
        OnVScroll(platform::kSbThumbTrack, pos);
}

// ---- the edit boxes ----------------------------------------------------------------------

void CBrindleView::CreateEditBoxes()
{
    m_pTextItemEditor = std::make_unique<ScoreTextItemEditor>([this] { return EditorForInput(); });
    // The free text starts at 10 points in the Song face. The boxes themselves are made
    // when first used (TextEdit, FreeTextEdit): each loads its font, which a program that
    // never edits a text has no use for.
    const int dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    m_FreeTextFont = BoxFont(-static_cast<std::int32_t>(std::lround(10.0 * dpi / 72.0)), u"宋体");
}

CScoreTextEdit* CBrindleView::TextEdit()
{
    if (m_TextEdit)
        return m_TextEdit;
    m_TextEdit = new CScoreTextEdit(viewport());
    m_TextEdit->setObjectName(QStringLiteral("textEdit%1").arg(kTextEditId));
    m_TextEdit->setGeometry(0, 0, 100, 100);
    // Its own font (the item's replaces it while an edit runs): Times New Roman, 18 pixels.
    m_TextEdit->SetTextFont(BoxFont(-18, u"Times New Roman"));
    m_TextEdit->hide();
    m_TextEdit->SetNotifyWindow(&Port());
    m_TextEdit->installEventFilter(this);
    // The in-place text box shows the paper it stands on.
    m_TextEdit->SetBackgroundBitmap(m_hPageTexture);
    // Where the two boxes meet, the free-text box stays on top whichever was made first.
    if (m_FreeTextEdit)
        m_TextEdit->stackUnder(m_FreeTextEdit);
    return m_TextEdit;
}

QPlainTextEdit* CBrindleView::FreeTextEdit()
{
    if (m_FreeTextEdit)
        return m_FreeTextEdit;
    m_FreeTextEdit = new QPlainTextEdit(viewport());
    m_FreeTextEdit->setObjectName(QStringLiteral("textEdit%1").arg(kFreeTextEditId));
    m_FreeTextEdit->setFrameStyle(QFrame::NoFrame);
    m_FreeTextEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_FreeTextEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_FreeTextEdit->setGeometry(0, 0, 0, 0);
    m_FreeTextEdit->hide();
    RebuildFreeTextFont();
    return m_FreeTextEdit;
}

void CBrindleView::RebuildFreeTextFont()
{
    if (!m_FreeTextEdit)
        return;
    quaverly::LogFont font = m_FreeTextFont;
    font.height = static_cast<std::int32_t>(font.height * m_dZoom);
    m_FreeTextEdit->setFont(platform::FontMapper::ToQFont(font, 16));
}

void CBrindleView::ShowTextItem(std::shared_ptr<EditableTextItem> item, const quaverly::Rect& scoreRect)
{
    if (!item)
        return;
    CScoreTextEdit* box = TextEdit();
    item->SetResourceTable(&m_DrawResources);
    item->SetScale(static_cast<float>(m_dZoom));
    // A box still open for another item stores its text first.
    if (box->isVisible())
        box->hide();
    box->SetTextItem(std::move(item));
    ShowTextEdit(scoreRect);
}

void CBrindleView::ShowTextEdit(const quaverly::Rect& scoreRect)
{
    CScoreTextEdit* box = TextEdit();
    const platform::Point a = ScoreToWindow(scoreRect.left, scoreRect.top);
    const platform::Point b = ScoreToWindow(scoreRect.right, scoreRect.bottom);
    box->setTextMargins(2, 0, 5, 0);
    const int x = a.x - 3;
    const int y = a.y - 1;
    const int width = b.x + 10 - x;
    const int height = static_cast<int>(std::floor(b.y + (b.y - y) * 0.2)) - y;
    box->setGeometry(x, y, std::max(width, 1), std::max(height, 1));
    box->update();
    box->show();
    box->setFocus();
}

bool CBrindleView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_TextEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const std::shared_ptr<EditableTextItem> item = m_TextEdit->GetTextItem();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        // Enter ends any edit and moves on; a blank ends a lyric syllable (other texts
        // take blanks).
        if (item && (enter || (key == Qt::Key_Space && item->IsLyric()))) {
            m_TextEdit->hide();
            setFocus();
            item->BeginEdit();
            return true;
        }
        // Escape ends the edit where it stands: the text is kept as a click outside keeps
        // it, no next item opens, and the keys go back to the score.
        if (item && key == Qt::Key_Escape) {
            m_TextEdit->hide();
            setFocus();
            return true;
        }
    }
    return ViewBase::eventFilter(watched, event);
}

}  // namespace brindle
