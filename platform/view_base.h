// The base of the score view: a scrolling window whose mouse, key, scroll, size, cursor,
// timer and paint events arrive at handlers shaped like the desktop's window messages.
// Pointer handlers get the MK_* flags and the point in client coordinates; key handlers
// the virtual key, the repeat count and the key flags word (scan code in bits 0-7, the
// extended-key flag in bit 8); scroll handlers the SB_* code and the thumb position.
// While a handler runs, CurrentModifierMask gives the event's modifiers.
//
// The scroll bars show the view's own ScrollBarState: a click or a drag on a bar only
// calls OnHScroll / OnVScroll, and the bar moves where the handler puts it with
// SetScrollInfo or SetScrollPos. Painting goes to OnDraw with a drawing context on the
// client area, which OnDraw covers whole (nothing is erased first); the scroll position
// moves nothing by itself.
#pragma once

#include "platform/command_target.h"
#include "platform/device_context.h"
#include "platform/message_port.h"
#include "platform/scroll_bar_state.h"

#include <QAbstractScrollArea>

#include <array>

class QCursor;

namespace platform {

class QtDeviceContext;

class ViewBase : public QAbstractScrollArea, public CommandTarget {
    Q_OBJECT

public:
    explicit ViewBase(QWidget* parent = nullptr);
    ~ViewBase() override;

    // Framework steps: Create runs OnCreate once (false when it refused); InitialUpdate
    // runs OnInitialUpdate (the document template's first update after a document came).
    bool Create();
    void InitialUpdate();

    // Messages and timers (kWmTimer reaches OnTimer).
    MessagePort& Port() { return *port_; }
    void PostMessage(MessageId message, WParam wParam = 0, LParam lParam = 0) { port_->Post(message, wParam, lParam); }
    LResult SendMessage(MessageId message, WParam wParam = 0, LParam lParam = 0)
    {
        return port_->Send(message, wParam, lParam);
    }
    std::uintptr_t SetTimer(std::uintptr_t id, unsigned milliseconds) { return port_->SetTimer(id, milliseconds); }
    bool KillTimer(std::uintptr_t id) { return port_->KillTimer(id); }

    // Scroll bars. A bar is shown while its range can scroll, unless the info asks to
    // disable it instead (kSifDisableNoScroll) or ShowScrollBar decided otherwise since.
    void SetScrollInfo(int bar, const ScrollInfo& info, bool redraw = true);
    ScrollInfo GetScrollInfo(int bar) const;
    int GetScrollPos(int bar) const;
    int SetScrollPos(int bar, int pos, bool redraw = true);  // returns the previous position
    void ShowScrollBar(int bar, bool show);
    bool IsScrollBarShown(int bar) const;

    // The client area (the part inside the scroll bars), origin at its top-left corner.
    Rect GetClientRect() const;
    void Invalidate();
    void InvalidateRect(const Rect& rect);
    // Paints the invalid part now.
    void UpdateWindow();

    // The cursor over the client area.
    void SetCursor(const QCursor& cursor);
    // Mouse capture: pointer events keep coming to the view while a button is held.
    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const { return captured_; }

protected:
    // Return false to refuse the window.
    virtual bool OnCreate() { return true; }
    virtual void OnInitialUpdate() {}
    virtual void OnDraw(QtDeviceContext& dc);
    // True when the handler set a cursor; otherwise the default one shows.
    virtual bool OnSetCursor(int hitTest);
    virtual void OnLButtonDown(unsigned flags, Point point);
    virtual void OnLButtonUp(unsigned flags, Point point);
    virtual void OnLButtonDblClk(unsigned flags, Point point);
    virtual void OnRButtonDown(unsigned flags, Point point);
    virtual void OnRButtonUp(unsigned flags, Point point);
    virtual void OnMouseMove(unsigned flags, Point point);
    // `point` is in screen coordinates, as the desktop gives it. True when handled.
    virtual bool OnMouseWheel(unsigned flags, int delta, Point point);
    virtual void OnKeyDown(int virtualKey, int repeatCount, unsigned flags);
    virtual void OnKeyUp(int virtualKey, int repeatCount, unsigned flags);
    virtual void OnChar(char16_t ch, int repeatCount, unsigned flags);
    virtual void OnHScroll(int code, int pos);
    virtual void OnVScroll(int code, int pos);
    virtual void OnSize(int width, int height);
    virtual void OnTimer(std::uintptr_t id);
    // Messages the message map does not handle.
    virtual LResult DefWindowProc(const WindowMessage& message);

    // Qt's events, turned into the handlers above.
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    LResult Dispatch(const WindowMessage& message);
    void OnBarAction(int bar, int action);
    void OnBarReleased(int bar);
    void ReflectBar(int bar);
    void ApplyCursor(int hitTest);

    MessagePort* port_;
    std::array<ScrollBarState, 2> bars_;
    std::array<bool, 2> shown_{false, false};
    bool created_ = false;
    bool captured_ = false;
    bool inBarAction_ = false;
};

}  // namespace platform
