// What the score view's five mouse tools do with the pointer and the keys.
#include "app/shell/mouse_tool.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <algorithm>

#include "app/shell/app_context.h"
#include "app/shell/brindle_view.h"
#include "app/shell/command_ids.h"
#include "engine/editor/editor_interface.h"
#include "engine/model/page_text_data.h"
#include "platform/key_translation.h"
#include "platform/qt_device_context.h"

namespace brindle {

namespace {

// The modifier code of a pointer event: Ctrl and Shift from its flags, Alt from the
// keyboard.
int PointerModifiers(unsigned flags)
{
    int modifiers = 0;
    if (flags & platform::kMkControl)
        modifiers |= platform::kModControl;
    if (flags & platform::kMkShift)
        modifiers |= platform::kModShift;
    if (platform::CurrentModifierMask() & platform::kModAlt)
        modifiers |= platform::kModAlt;
    return modifiers;
}

platform::Rect Normalized(int x1, int y1, int x2, int y2)
{
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

}  // namespace

// ---- selection -----------------------------------------------------------------------------

void SelectTool::Activate()
{
    View()->SetViewCursor(AppContext::kCursorArrow);
}

void SelectTool::Deactivate()
{
    View()->Invalidate();
}

void SelectTool::OnButtonDown(unsigned flags, int x, int y)
{
    auto* editor = View()->EditorForInput();
    if (!editor)
        return;
    // The editor takes the press by value and so cannot say it took it: the caret is
    // shown again after every press.
    editor->OnButtonDown(View()->WindowToScore(x, y), PointerModifiers(flags), 0);
    editor->SetCaretEnabled(true);
}

void SelectTool::OnButtonUp(unsigned flags, int x, int y)
{
    if (auto* editor = View()->EditorForInput())
        editor->OnButtonUp(View()->WindowToScore(x, y), PointerModifiers(flags));
}

void SelectTool::OnPointerMove(unsigned flags, int x, int y)
{
    if (auto* editor = View()->EditorForInput())
        editor->OnPointerMove(View()->WindowToScore(x, y), PointerModifiers(flags));
}

void SelectTool::OnDoubleClick(unsigned flags, int x, int y)
{
    if (!View()->ContentRect().Contains({x, y}))
        return;
    if (auto* editor = View()->EditorForInput())
        editor->OnDoubleClick(View()->WindowToScore(x, y), PointerModifiers(flags), 0);
}

void SelectTool::OnKeyDown(int key, int repeat, unsigned flags)
{
    View()->DispatchKey(key, repeat, flags);
}

void SelectTool::OnKeyUp(int key, int, unsigned)
{
    if (!View()->EditorForInput())
        return;
    switch (key) {
    // Page turns, as the page commands do them.
    case platform::kVkPrior: View()->OnCommand(cmd::kPrevPage); break;
    case platform::kVkNext: View()->OnCommand(cmd::kNextPage); break;
    case platform::kVkHome: View()->OnCommand(cmd::kFirstPage); break;
    case platform::kVkEnd: View()->OnCommand(cmd::kLastPage); break;
    default: break;
    }
}

// ---- notes by pointer ----------------------------------------------------------------------

void MouseInputTool::Activate()
{
    View()->SetViewCursor(AppContext::kCursorArrow);
    if (auto* editor = View()->EditorForInput())
        editor->SetInputMode(1);
}

void MouseInputTool::Deactivate()
{
    if (auto* editor = View()->EditorForInput())
        editor->SetInputMode(0);
    View()->Invalidate();
}

void MouseInputTool::OnButtonDown(unsigned flags, int x, int y)
{
    if (View()->ContentRect().Contains({x, y}))
        View()->QueuePointerNoteInput(View()->WindowToScore(x, y), PointerModifiers(flags));
}

// ---- the hand ------------------------------------------------------------------------------

void DragTool::Activate()
{
    m_bDragging = m_bPressed = false;
    View()->SetViewCursor(AppContext::kCursorArrow);
}

void DragTool::OnButtonDown(unsigned, int x, int y)
{
    m_bPressed = true;
    if (!View()->PageRect().Contains({x, y})) {
        View()->SetViewCursor(AppContext::kCursorArrow);
        return;
    }
    m_nLastX = x;
    m_nLastY = y;
    m_bDragging = true;
    View()->SetViewCursor(AppContext::kCursorClosedHand);
}

void DragTool::OnButtonUp(unsigned, int x, int y)
{
    m_bDragging = m_bPressed = false;
    View()->SetViewCursor(View()->PageRect().Contains({x, y}) ? AppContext::kCursorOpenHand : AppContext::kCursorArrow);
}

void DragTool::OnPointerMove(unsigned, int x, int y)
{
    CBrindleView* view = View();
    if (!m_bPressed) {
        view->SetViewCursor(view->PageRect().Contains({x, y}) ? AppContext::kCursorOpenHand : AppContext::kCursorArrow);
        return;
    }
    if (!m_bDragging) {
        view->SetViewCursor(AppContext::kCursorArrow);
        return;
    }
    view->SetViewCursor(AppContext::kCursorClosedHand);
    const platform::Rect client = view->GetClientRect();
    // Only a direction whose scroll bar exists scrolls.
    if (view->ExtentWidth() > client.right - client.left)
        view->ScrollToPosition(platform::kSbHorz, view->GetScrollPos(platform::kSbHorz) + m_nLastX - x);
    if (view->ExtentHeight() > client.bottom - client.top)
        view->ScrollToPosition(platform::kSbVert, view->GetScrollPos(platform::kSbVert) + m_nLastY - y);
    m_nLastX = x;
    m_nLastY = y;
}

// ---- the picture band ----------------------------------------------------------------------

void PictureCopyTool::Activate()
{
    m_nStartX = m_nStartY = m_nEndX = m_nEndY = 0;
    m_bDragging = false;
}

void PictureCopyTool::Deactivate()
{
    // The band is drawn over the window only while the tool is current: the window is
    // painted again without it now, not at the next paint that something else causes.
    const bool shown = !BandInWindow().IsEmpty();
    m_nStartX = m_nStartY = m_nEndX = m_nEndY = 0;
    m_bDragging = false;
    if (shown)
        View()->Invalidate();
}

void PictureCopyTool::OnButtonDown(unsigned, int x, int y)
{
    if (View()->PageRect().Contains({x, y})) {
        m_nStartX = m_nEndX = x - View()->ScrollX();
        m_nStartY = m_nEndY = y - View()->ScrollY();
    }
    m_bDragging = true;
}

void PictureCopyTool::OnPointerMove(unsigned, int x, int y)
{
    if (!View()->PageRect().Contains({x, y}))
        return;
    if (m_bDragging) {
        m_nEndX = x - View()->ScrollX();
        m_nEndY = y - View()->ScrollY();
    }
    View()->Invalidate();
}

void PictureCopyTool::OnButtonUp(unsigned, int x, int y)
{
    if (View()->PageRect().Contains({x, y})) {
        m_nEndX = x - View()->ScrollX();
        m_nEndY = y - View()->ScrollY();
        View()->Invalidate();
    }
    m_bDragging = false;
}

platform::Rect PictureCopyTool::BandInWindow() const
{
    platform::Rect r = Normalized(m_nStartX, m_nStartY, m_nEndX, m_nEndY);
    return {r.left + View()->ScrollX(), r.top + View()->ScrollY(), r.right + View()->ScrollX(),
            r.bottom + View()->ScrollY()};
}

platform::Rect PictureCopyTool::BandOnPage() const
{
    const platform::Rect r = Normalized(m_nStartX, m_nStartY, m_nEndX, m_nEndY);
    // The page's top-left corner without the scroll origin is the gap around the page.
    const platform::Rect page = View()->PageRect();
    const int gapLeft = page.left - View()->ScrollX();
    const int gapTop = page.top - View()->ScrollY();
    const double z = View()->Zoom() > 0.0 ? View()->Zoom() : 1.0;
    return {static_cast<int>((r.left - gapLeft) / z), static_cast<int>((r.top - gapTop) / z),
            static_cast<int>((r.right - gapLeft) / z), static_cast<int>((r.bottom - gapTop) / z)};
}

void PictureCopyTool::Draw(platform::DeviceContext& dc)
{
    const platform::Rect band = BandInWindow();
    if (band.IsEmpty())
        return;
    // The band inverts what lies under it, so it shows on any page and any paper.
    if (auto* qt = dynamic_cast<platform::QtDeviceContext*>(&dc); qt && qt->Painter()) {
        QPainter* painter = qt->Painter();
        painter->save();
        painter->setCompositionMode(QPainter::RasterOp_NotDestination);
        painter->setPen(QPen(Qt::black, 0));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRect(band.left, band.top, band.right - band.left - 1, band.bottom - band.top - 1));
        painter->restore();
        return;
    }
    const platform::Pen pen = dc.SelectPen(platform::Pen{platform::kPsSolid, 0, 0});
    const platform::Brush brush = dc.SelectBrush(platform::Brush::Null());
    dc.Rectangle(band);
    dc.SelectPen(pen);
    dc.SelectBrush(brush);
}

// ---- free text -----------------------------------------------------------------------------

void FreeTextTool::Activate()
{
    View()->Tracker().SetRect({});
    if (QPlainTextEdit* box = View()->FreeTextEdit()) {
        box->setGeometry(0, 0, 0, 0);
        box->show();
    }
}

void FreeTextTool::Deactivate()
{
    Commit();
    View()->Tracker().SetRect({});
    if (QPlainTextEdit* box = View()->FreeTextEdit()) {
        box->setGeometry(0, 0, 0, 0);
        box->hide();
    }
    View()->setFocus();
    View()->Invalidate();
}

void FreeTextTool::OnButtonDown(unsigned, int x, int y)
{
    CBrindleView* view = View();
    CScoreRectTracker& tracker = view->Tracker();
    m_nHit = tracker.HitTest({x, y});
    if (m_nHit == platform::RectTracker::kHitNothing) {
        // A press outside the frame adds what was typed and starts a new frame here.
        view->RebuildFreeTextFont();
        Commit();
        tracker.SetRect({x, y, x, y});
        if (QPlainTextEdit* box = view->FreeTextEdit())
            box->setGeometry(x, y, 0, 0);
        m_nHit = platform::RectTracker::kHitBottomRight;
    }
    m_StartRect = tracker.GetRect();
    m_nStartX = x;
    m_nStartY = y;
    m_bDragging = true;
    view->SetCapture();
    view->Invalidate();
}

void FreeTextTool::OnPointerMove(unsigned, int x, int y)
{
    if (!m_bDragging)
        return;
    View()->Tracker().SetRect(platform::RectTracker::Moved(m_StartRect, m_nHit, x - m_nStartX, y - m_nStartY));
    PlaceBox();
    View()->Invalidate();
}

void FreeTextTool::OnButtonUp(unsigned, int, int)
{
    m_bDragging = false;
    View()->ReleaseCapture();
    // Typing goes into the box as soon as it has room.
    if (QPlainTextEdit* box = View()->FreeTextEdit(); box && box->width() > 0 && box->height() > 0)
        box->setFocus();
}

void FreeTextTool::OnDoubleClick(unsigned flags, int x, int y)
{
    if (!View()->ContentRect().Contains({x, y}))
        return;
    if (auto* editor = View()->EditorForInput())
        editor->OnDoubleClick(View()->WindowToScore(x, y), PointerModifiers(flags), 0);
}

void FreeTextTool::Draw(platform::DeviceContext& dc)
{
    View()->Tracker().Draw(dc);
}

void FreeTextTool::PlaceBox()
{
    QPlainTextEdit* box = View()->FreeTextEdit();
    if (!box)
        return;
    platform::Rect r = View()->Tracker().TrueRect();
    r = {r.left + 5, r.top + 5, r.right - 5, r.bottom - 5};
    box->setGeometry(r.left, r.top, std::max(0, r.right - r.left), std::max(0, r.bottom - r.top));
}

void FreeTextTool::Commit()
{
    CBrindleView* view = View();
    QPlainTextEdit* box = view->FreeTextEdit();
    if (!box)
        return;
    const std::u16string text = box->toPlainText().toStdU16String();
    if (text.empty())
        return;
    auto* editor = view->EditorForInput();
    if (!editor)
        return;
    // The text's own area: the box without its left and right text margins.
    const int margin = box->frameWidth() + static_cast<int>(box->document()->documentMargin());
    const QRect area = box->geometry();
    quaverly::PageTextData record;
    record.font = view->FreeTextFont();
    const quaverly::Point topLeft = view->WindowToScore(area.left() + margin, area.top());
    const quaverly::Point bottomRight = view->WindowToScore(area.left() + area.width() - margin, area.top() + area.height());
    record.rect = quaverly::Rect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    record.text = text;
    editor->AddTextItem(record);
    box->clear();
}

}  // namespace brindle
