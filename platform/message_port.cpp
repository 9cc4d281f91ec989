#include "platform/message_port.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <utility>

namespace platform {
namespace {

QEvent::Type PostedMessageType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

class PostedMessageEvent : public QEvent {
public:
    explicit PostedMessageEvent(const WindowMessage& message) : QEvent(PostedMessageType()), message_(message) {}
    const WindowMessage& Message() const { return message_; }

private:
    WindowMessage message_;
};

// Qt hands events between threads under locks of its own that a thread checker cannot
// see through. A message leaves with a release on this counter and is handled after an
// acquire of it, which states the order those locks already give: what a thread wrote
// before it posted is seen by the handler.
std::atomic<unsigned> handover{0};

void Release() { handover.fetch_add(1, std::memory_order_release); }
void Acquire() { static_cast<void>(handover.load(std::memory_order_acquire)); }

}  // namespace

MessagePort::MessagePort(Handler handler, QObject* parent) : QObject(parent), handler_(std::move(handler))
{
    PostedMessageType();  // register the event type on the constructing thread, not on a worker
}

MessagePort::~MessagePort() = default;

void MessagePort::Post(MessageId message, WParam wParam, LParam lParam)
{
    auto* event = new PostedMessageEvent(WindowMessage{message, wParam, lParam});
    Release();
    QCoreApplication::postEvent(this, event);
}

LResult MessagePort::Send(MessageId message, WParam wParam, LParam lParam)
{
    const WindowMessage m{message, wParam, lParam};
    if (QThread::currentThread() == thread())
        return Deliver(m);
    LResult result = 0;
    Release();
    QMetaObject::invokeMethod(
        this,
        [this, &m, &result] {
            Acquire();
            result = Deliver(m);
            Release();
        },
        Qt::BlockingQueuedConnection);
    Acquire();
    return result;
}

std::uintptr_t MessagePort::SetTimer(std::uintptr_t id, unsigned milliseconds)
{
    if (id == 0)
        return 0;
    auto& timer = timers_[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        connect(timer.get(), &QTimer::timeout, this, [this, id] { Deliver(WindowMessage{kWmTimer, id, 0}); });
    }
    timer->start(static_cast<int>(std::min<unsigned>(milliseconds, 0x7FFFFFFF)));
    return id;
}

bool MessagePort::KillTimer(std::uintptr_t id)
{
    auto it = timers_.find(id);
    if (it == timers_.end())
        return false;
    // A timer may be killed from its own timeout; let Qt finish with it first.
    it->second->stop();
    it->second.release()->deleteLater();
    timers_.erase(it);
    return true;
}

bool MessagePort::HasTimer(std::uintptr_t id) const { return timers_.contains(id); }

bool MessagePort::event(QEvent* event)
{
    if (event->type() == PostedMessageType()) {
        Acquire();
        Deliver(static_cast<PostedMessageEvent*>(event)->Message());
        return true;
    }
    return QObject::event(event);
}

LResult MessagePort::Deliver(const WindowMessage& message) { return handler_ ? handler_(message) : 0; }

}  // namespace platform
