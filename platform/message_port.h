// The message queue of one window. A posted message is queued as a Qt event and handled
// later on the port's thread; posts are safe from any thread and arrive first in, first
// out. A sent message is handled at once: directly when sent on the port's thread, and
// from another thread the sender waits until the port's thread has handled it. Window
// timers deliver kWmTimer with the timer's id as the first parameter.
//
// Worker threads must not post or send to a port that may be destroyed meanwhile; the
// owner stops its workers (or outlives them) first. Messages still queued when the port
// goes are dropped. A worker must not send while the port's thread waits for that worker.
#pragma once

#include "platform/window_message.h"

#include <QObject>

#include <functional>
#include <map>
#include <memory>

class QTimer;

namespace platform {

class MessagePort : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<LResult(const WindowMessage&)>;

    explicit MessagePort(Handler handler, QObject* parent = nullptr);
    ~MessagePort() override;

    // Any thread.
    void Post(MessageId message, WParam wParam = 0, LParam lParam = 0);
    LResult Send(MessageId message, WParam wParam = 0, LParam lParam = 0);

    // Starts (or restarts) timer `id` with the given period; returns the id, or 0 when
    // the id is 0 (no timer is made then). Port's thread only.
    std::uintptr_t SetTimer(std::uintptr_t id, unsigned milliseconds);
    // False when no such timer runs.
    bool KillTimer(std::uintptr_t id);
    bool HasTimer(std::uintptr_t id) const;

protected:
    bool event(QEvent* event) override;

private:
    LResult Deliver(const WindowMessage& message);

    Handler handler_;
    std::map<std::uintptr_t, std::unique_ptr<QTimer>> timers_;
};

}  // namespace platform
