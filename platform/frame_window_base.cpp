#include "platform/frame_window_base.h"

#include <QCloseEvent>

namespace platform {

FrameWindowBase::FrameWindowBase(QWidget* parent)
    : QMainWindow(parent), port_(new MessagePort([this](const WindowMessage& m) { return Dispatch(m); }, this))
{
}

FrameWindowBase::~FrameWindowBase() = default;

void FrameWindowBase::CloseWindow()
{
    closing_ = true;
    if (!inCloseEvent_)
        close();  // inside the close box's event the event itself is accepted instead
}

void FrameWindowBase::OnClose() { CloseWindow(); }

void FrameWindowBase::OnTimer(std::uintptr_t) {}

LResult FrameWindowBase::DefWindowProc(const WindowMessage& message)
{
    switch (message.message) {
    case kWmClose: OnClose(); return 0;
    case kWmTimer: OnTimer(message.wParam); return 0;
    default: return 0;
    }
}

void FrameWindowBase::closeEvent(QCloseEvent* event)
{
    if (closing_) {
        QMainWindow::closeEvent(event);
        return;
    }
    // The close box: the frame decides (through its message map or OnClose) whether and
    // when to close.
    event->ignore();
    inCloseEvent_ = true;
    Dispatch(WindowMessage{kWmClose, 0, 0});
    inCloseEvent_ = false;
    if (closing_) {
        QMainWindow::closeEvent(event);
        event->accept();
    }
}

LResult FrameWindowBase::Dispatch(const WindowMessage& message)
{
    if (auto result = OnMessage(message))
        return *result;
    return DefWindowProc(message);
}

}  // namespace platform
