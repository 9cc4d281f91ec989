// The toggled state of Caps Lock, Num Lock and Scroll Lock, as the status bar shows it.
// The state is learnt from the key events the application receives: on the X window
// system every key event carries the lock state the server keeps (Caps Lock and Num Lock),
// and a press of a lock key turns its light over. A window that has not seen a key yet
// shows every light off.
#pragma once

#include <QObject>
#include <QPointer>

class QEvent;

namespace platform {

class LockKeys : public QObject {
    Q_OBJECT

public:
    enum Key { kCapsLock = 0, kNumLock = 1, kScrollLock = 2 };

    // The one watcher of the application, installed at the first call.
    static LockKeys& Instance();

    bool IsOn(Key key) const { return (state_ & (1u << key)) != 0; }

signals:
    // A light went on or off.
    void Changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LockKeys();
    void Set(Key key, bool on);

    unsigned state_ = 0;
    // The event last looked at and where: one key event is offered to the filter again
    // for every parent it travels on to.
    const QEvent* lastEvent_ = nullptr;
    QPointer<QObject> lastReceiver_;
};

}  // namespace platform
