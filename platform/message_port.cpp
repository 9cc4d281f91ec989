#include "platform/message_port.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <utility>

#if defined(__SANITIZE_THREAD__)
#define BRINDLE_THREAD_CHECKER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define BRINDLE_THREAD_CHECKER 1
#endif
#endif

#ifdef BRINDLE_THREAD_CHECKER
// The thread checker's own interface (part of its run-time library).
extern "C" void AnnotateIgnoreWritesBegin(const char* file, int line);
extern "C" void AnnotateIgnoreWritesEnd(const char* file, int line);
#endif

namespace platform {
namespace {

QEvent::Type PostedMessageType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// Where a thread that sent a message waits for its result.
class Reply {
public:
    void Give(LResult result)
    {
        std::lock_guard lock(mutex_);
        result_ = result;
        given_ = true;
        ready_.notify_one();
    }
    LResult Wait()
    {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return given_; });
        return result_;
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    LResult result_ = 0;
    bool given_ = false;
};

class PostedMessageEvent : public QEvent {
public:
    PostedMessageEvent(const WindowMessage& message, Reply* reply)
        : QEvent(PostedMessageType()), message_(message), reply_(reply)
    {
    }
    // A sent message dropped unhandled (its port went first) still lets its sender go on.
    ~PostedMessageEvent() override
    {
        if (reply_)
            reply_->Give(0);
    }
    PostedMessageEvent(const PostedMessageEvent&) = delete;
    PostedMessageEvent& operator=(const PostedMessageEvent&) = delete;

    const WindowMessage& Message() const { return message_; }
    void Answer(LResult result) { std::exchange(reply_, nullptr)->Give(result); }
    bool Sent() const { return reply_ != nullptr; }

private:
    WindowMessage message_;
    Reply* reply_;
};

// Qt hands events between threads under locks of its own that a thread checker cannot
// see through. A message leaves with a release on this counter and is handled after an
// acquire of it, which states the order those locks already give: what a thread wrote
// before it posted is seen by the handler.
std::atomic<unsigned> handover{0};

void Release() { handover.fetch_add(1, std::memory_order_release); }
void Acquire() { static_cast<void>(handover.load(std::memory_order_acquire)); }

// The event of a message. Application-wide event filters look at it on the receiving
// thread before the port's acquire; the event is new and reaches that thread only
// through Qt's queue, so the thread checker is not shown its making.
PostedMessageEvent* MakeEvent(const WindowMessage& message, Reply* reply)
{
#ifdef BRINDLE_THREAD_CHECKER
    AnnotateIgnoreWritesBegin(__FILE__, __LINE__);
#endif
    auto* event = new PostedMessageEvent(message, reply);
#ifdef BRINDLE_THREAD_CHECKER
    AnnotateIgnoreWritesEnd(__FILE__, __LINE__);
#endif
    return event;
}

}  // namespace

MessagePort::MessagePort(Handler handler, QObject* parent) : QObject(parent), handler_(std::move(handler))
{
    PostedMessageType();  // register the event type on the constructing thread, not on a worker
}

MessagePort::~MessagePort() = default;

void MessagePort::Post(MessageId message, WParam wParam, LParam lParam)
{
    PostedMessageEvent* event = MakeEvent(WindowMessage{message, wParam, lParam}, nullptr);
    Release();
    QCoreApplication::postEvent(this, event);
}

LResult MessagePort::Send(MessageId message, WParam wParam, LParam lParam)
{
    const WindowMessage m{message, wParam, lParam};
    if (QThread::currentThread() == thread())
        return Deliver(m);
    // Queued like a posted message; the sender waits on a lock of its own, so what the
    // handler wrote is seen here once the result is.
    Reply reply;
    PostedMessageEvent* event = MakeEvent(m, &reply);
    Release();
    QCoreApplication::postEvent(this, event);
    return reply.Wait();
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
        auto* posted = static_cast<PostedMessageEvent*>(event);
        const LResult result = Deliver(posted->Message());
        if (posted->Sent())
            posted->Answer(result);
        return true;
    }
    return QObject::event(event);
}

LResult MessagePort::Deliver(const WindowMessage& message) { return handler_ ? handler_(message) : 0; }

}  // namespace platform
