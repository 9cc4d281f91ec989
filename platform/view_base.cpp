#include "platform/view_base.h"

#include "platform/key_translation.h"
#include "platform/qt_device_context.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace platform {
namespace {

Point PointOf(const QPointF& p) { return Point{static_cast<std::int32_t>(p.x()), static_cast<std::int32_t>(p.y())}; }

}  // namespace

ViewBase::ViewBase(QWidget* parent)
    : QAbstractScrollArea(parent),
      port_(new MessagePort([this](const WindowMessage& m) { return Dispatch(m); }, this))
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int bar : {kSbHorz, kSbVert}) {
        QScrollBar* scroll = bar == kSbHorz ? horizontalScrollBar() : verticalScrollBar();
        connect(scroll, &QAbstractSlider::actionTriggered, this, [this, bar](int action) { OnBarAction(bar, action); });
        connect(scroll, &QAbstractSlider::sliderReleased, this, [this, bar] { OnBarReleased(bar); });
        ReflectBar(bar);
    }
}

ViewBase::~ViewBase() = default;

bool ViewBase::Create()
{
    if (created_)
        return true;
    created_ = OnCreate();
    return created_;
}

void ViewBase::InitialUpdate() { OnInitialUpdate(); }

// Scroll bars ----------------------------------------------------------------------------

void ViewBase::SetScrollInfo(int bar, const ScrollInfo& info, bool redraw)
{
    if (bar != kSbHorz && bar != kSbVert)
        return;
    ScrollBarState& state = bars_[static_cast<std::size_t>(bar)];
    state.Set(info);
    if (!(info.mask & kSifDisableNoScroll) && (info.mask & (kSifRange | kSifPage)))
        shown_[static_cast<std::size_t>(bar)] = state.CanScroll();
    ReflectBar(bar);
    if (redraw)
        (bar == kSbHorz ? horizontalScrollBar() : verticalScrollBar())->update();
}

ScrollInfo ViewBase::GetScrollInfo(int bar) const
{
    if (bar != kSbHorz && bar != kSbVert)
        return {};
    return bars_[static_cast<std::size_t>(bar)].Get();
}

int ViewBase::GetScrollPos(int bar) const { return GetScrollInfo(bar).pos; }

int ViewBase::SetScrollPos(int bar, int pos, bool redraw)
{
    const int previous = GetScrollPos(bar);
    ScrollInfo info;
    info.mask = kSifPos;
    info.pos = pos;
    SetScrollInfo(bar, info, redraw);
    return previous;
}

void ViewBase::ShowScrollBar(int bar, bool show)
{
    if (bar != kSbHorz && bar != kSbVert)
        return;
    shown_[static_cast<std::size_t>(bar)] = show;
    ReflectBar(bar);
}

bool ViewBase::IsScrollBarShown(int bar) const
{
    return (bar == kSbHorz || bar == kSbVert) && shown_[static_cast<std::size_t>(bar)];
}

void ViewBase::ReflectBar(int bar)
{
    const ScrollBarState& state = bars_[static_cast<std::size_t>(bar)];
    QScrollBar* scroll = bar == kSbHorz ? horizontalScrollBar() : verticalScrollBar();
    {
        const QSignalBlocker block(scroll);
        scroll->setRange(state.Min(), state.MaxPosition());
        scroll->setPageStep(static_cast<int>(std::min<unsigned>(std::max(state.Page(), 1u), 0x7FFFFFFF)));
        scroll->setValue(state.Pos());
        scroll->setEnabled(state.CanScroll());
    }
    const Qt::ScrollBarPolicy policy =
        shown_[static_cast<std::size_t>(bar)] ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (bar == kSbHorz && horizontalScrollBarPolicy() != policy)
        setHorizontalScrollBarPolicy(policy);
    if (bar == kSbVert && verticalScrollBarPolicy() != policy)
        setVerticalScrollBarPolicy(policy);
}

void ViewBase::OnBarAction(int bar, int action)
{
    if (inBarAction_)
        return;
    QScrollBar* scroll = bar == kSbHorz ? horizontalScrollBar() : verticalScrollBar();
    ScrollBarState& state = bars_[static_cast<std::size_t>(bar)];
    int code = -1;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = kSbLineUp; break;
    case QAbstractSlider::SliderSingleStepAdd: code = kSbLineDown; break;
    case QAbstractSlider::SliderPageStepSub: code = kSbPageUp; break;
    case QAbstractSlider::SliderPageStepAdd: code = kSbPageDown; break;
    case QAbstractSlider::SliderToMinimum: code = kSbTop; break;
    case QAbstractSlider::SliderToMaximum: code = kSbBottom; break;
    case QAbstractSlider::SliderMove: code = kSbThumbTrack; break;
    default: break;
    }
    const int proposed = scroll->sliderPosition();
    inBarAction_ = true;
    // The bar does not move by itself: it goes back to the view's position, and the
    // handler moves it.
    scroll->setSliderPosition(state.Pos());
    if (code == kSbThumbTrack)
        state.SetTrackPos(proposed);
    if (code >= 0) {
        ScopedModifierState modifiers(ModifierMask(QGuiApplication::keyboardModifiers()));
        if (bar == kSbHorz)
            OnHScroll(code, code == kSbThumbTrack ? proposed : 0);
        else
            OnVScroll(code, code == kSbThumbTrack ? proposed : 0);
    }
    scroll->setSliderPosition(state.Pos());
    inBarAction_ = false;
}

void ViewBase::OnBarReleased(int bar)
{
    const int pos = bars_[static_cast<std::size_t>(bar)].TrackPos();
    if (bar == kSbHorz) {
        OnHScroll(kSbThumbPosition, pos);
        OnHScroll(kSbEndScroll, 0);
    } else {
        OnVScroll(kSbThumbPosition, pos);
        OnVScroll(kSbEndScroll, 0);
    }
    ReflectBar(bar);
}

// Client area, painting, cursor, capture -----------------------------------------------

Rect ViewBase::GetClientRect() const
{
    const QSize size = viewport()->size();
    return Rect{0, 0, size.width(), size.height()};
}

void ViewBase::Invalidate() { viewport()->update(); }

void ViewBase::InvalidateRect(const Rect& rect)
{
    viewport()->update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

void ViewBase::UpdateWindow() { viewport()->repaint(); }

void ViewBase::SetCursor(const QCursor& cursor) { viewport()->setCursor(cursor); }

void ViewBase::SetCapture()
{
    captured_ = true;
    if (isVisible())
        viewport()->grabMouse();
}

void ViewBase::ReleaseCapture()
{
    if (captured_ && QWidget::mouseGrabber() == viewport())
        viewport()->releaseMouse();
    captured_ = false;
}

void ViewBase::ApplyCursor(int hitTest)
{
    if (!OnSetCursor(hitTest))
        viewport()->unsetCursor();
}

// Default handlers ---------------------------------------------------------------------

void ViewBase::OnDraw(QtDeviceContext&) {}
bool ViewBase::OnSetCursor(int) { return false; }
void ViewBase::OnLButtonDown(unsigned, Point) {}
void ViewBase::OnLButtonUp(unsigned, Point) {}
void ViewBase::OnLButtonDblClk(unsigned, Point) {}
void ViewBase::OnRButtonDown(unsigned, Point) {}
void ViewBase::OnRButtonUp(unsigned, Point) {}
void ViewBase::OnMouseMove(unsigned, Point) {}
bool ViewBase::OnMouseWheel(unsigned, int, Point) { return false; }
void ViewBase::OnKeyDown(int, int, unsigned) {}
void ViewBase::OnKeyUp(int, int, unsigned) {}
void ViewBase::OnChar(char16_t, int, unsigned) {}
void ViewBase::OnHScroll(int, int) {}
void ViewBase::OnVScroll(int, int) {}
void ViewBase::OnSize(int, int) {}
void ViewBase::OnTimer(std::uintptr_t) {}

LResult ViewBase::DefWindowProc(const WindowMessage& message)
{
    switch (message.message) {
    case kWmSetCursor: ApplyCursor(static_cast<int>(message.lParam & 0xFFFF)); return 1;
    case kWmTimer: OnTimer(message.wParam); return 0;
    default: return 0;
    }
}

LResult ViewBase::Dispatch(const WindowMessage& message)
{
    if (auto result = OnMessage(message))
        return *result;
    return DefWindowProc(message);
}

// Qt events ----------------------------------------------------------------------------

bool ViewBase::event(QEvent* event)
{
    // Tab and Shift+Tab are keys of the view, not focus moves.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

bool ViewBase::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Enter)
        ApplyCursor(kHtClient);
    return QAbstractScrollArea::viewportEvent(event);
}

void ViewBase::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    QtDeviceContext dc(&painter);
    OnDraw(dc);
}

void ViewBase::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const QSize size = viewport()->size();
    OnSize(size.width(), size.height());
}

void ViewBase::mousePressEvent(QMouseEvent* event)
{
    ScopedModifierState modifiers(ModifierMask(event->modifiers()));
    const unsigned flags = MouseFlags(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(flags, PointOf(event->position()));
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(flags, PointOf(event->position()));
    event->accept();
}

void ViewBase::mouseReleaseEvent(QMouseEvent* event)
{
    ScopedModifierState modifiers(ModifierMask(event->modifiers()));
    const unsigned flags = MouseFlags(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(flags, PointOf(event->position()));
    else if (event->button() == Qt::RightButton)
        OnRButtonUp(flags, PointOf(event->position()));
    event->accept();
}

void ViewBase::mouseDoubleClickEvent(QMouseEvent* event)
{
    ScopedModifierState modifiers(ModifierMask(event->modifiers()));
    const unsigned flags = MouseFlags(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(flags, PointOf(event->position()));
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(flags, PointOf(event->position()));
    event->accept();
}

void ViewBase::mouseMoveEvent(QMouseEvent* event)
{
    ScopedModifierState modifiers(ModifierMask(event->modifiers()));
    ApplyCursor(kHtClient);
    OnMouseMove(MouseFlags(event->buttons(), event->modifiers()), PointOf(event->position()));
    event->accept();
}

void ViewBase::wheelEvent(QWheelEvent* event)
{
    ScopedModifierState modifiers(ModifierMask(event->modifiers()));
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    if (OnMouseWheel(MouseFlags(event->buttons(), event->modifiers()), delta, PointOf(event->globalPosition())))
        event->accept();
    else
        event->ignore();
}

void ViewBase::keyPressEvent(QKeyEvent* event)
{
    const KeyStroke stroke = TranslateKeyEvent(*event);
    ScopedModifierState modifiers(stroke.modifiers);
    if (stroke.virtualKey != 0)
        OnKeyDown(stroke.virtualKey, stroke.repeatCount, stroke.Flags());
    const QString text = event->text();
    for (QChar ch : text)
        if (ch.unicode() >= 0x20 || ch.unicode() == u'\r' || ch.unicode() == u'\b' || ch.unicode() == u'\t')
            OnChar(ch.unicode(), stroke.repeatCount, stroke.Flags());
    event->accept();
}

void ViewBase::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) {
        // Auto-repeat sends a release before every repeated press; the desktop sends only
        // the presses.
        event->accept();
        return;
    }
    const KeyStroke stroke = TranslateKeyEvent(*event);
    ScopedModifierState modifiers(stroke.modifiers);
    if (stroke.virtualKey != 0)
        OnKeyUp(stroke.virtualKey, 1, stroke.Flags() | 0xC000u);
    event->accept();
}

void ViewBase::scrollContentsBy(int, int) {}

}  // namespace platform
