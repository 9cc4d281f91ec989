// The base of the main frame: a main window with a message map (commands, update
// handlers, window messages), a message queue and window timers, like the view's. The
// close box does not close the window by itself: it runs OnClose, whose default closes;
// a frame that asks its view first overrides it and calls CloseWindow once closing is
// confirmed.
#pragma once

#include "platform/command_target.h"
#include "platform/message_port.h"

#include <QMainWindow>

namespace platform {

class FrameWindowBase : public QMainWindow, public CommandTarget {
    Q_OBJECT

public:
    explicit FrameWindowBase(QWidget* parent = nullptr);
    ~FrameWindowBase() override;

    MessagePort& Port() { return *port_; }
    void PostMessage(MessageId message, WParam wParam = 0, LParam lParam = 0) { port_->Post(message, wParam, lParam); }
    LResult SendMessage(MessageId message, WParam wParam = 0, LParam lParam = 0)
    {
        return port_->Send(message, wParam, lParam);
    }
    std::uintptr_t SetTimer(std::uintptr_t id, unsigned milliseconds) { return port_->SetTimer(id, milliseconds); }
    bool KillTimer(std::uintptr_t id) { return port_->KillTimer(id); }

    // Closes the window for good (no OnClose).
    void CloseWindow();

protected:
    // kWmClose and the close box. Default: CloseWindow.
    virtual void OnClose();
    virtual void OnTimer(std::uintptr_t id);
    // Messages the message map does not handle: kWmClose, kWmTimer; others give 0.
    virtual LResult DefWindowProc(const WindowMessage& message);

    void closeEvent(QCloseEvent* event) override;

private:
    LResult Dispatch(const WindowMessage& message);

    MessagePort* port_;
    bool closing_ = false;
    bool inCloseEvent_ = false;
};

}  // namespace platform
