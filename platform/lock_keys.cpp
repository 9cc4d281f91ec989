#include "platform/lock_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace platform {

namespace {

// The X server's modifier bits: Lock (Caps Lock) and Mod2, where Num Lock sits.
constexpr quint32 kXLockMask = 0x02;
constexpr quint32 kXNumLockMask = 0x10;

}  // namespace

LockKeys& LockKeys::Instance()
{
    static LockKeys* watcher = [] {
        auto* created = new LockKeys;
        if (QCoreApplication* application = QCoreApplication::instance()) {
            created->setParent(application);
            application->installEventFilter(created);
        }
        return created;
    }();
    return *watcher;
}

LockKeys::LockKeys() = default;

void LockKeys::Set(Key key, bool on)
{
    const unsigned next = on ? state_ | (1u << key) : state_ & ~(1u << key);
    if (next == state_)
        return;
    state_ = next;
    emit Changed();
}

bool LockKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    const bool travelling = event == lastEvent_ && lastReceiver_ && lastReceiver_ != watched &&
                            [&] {
                                for (QObject* o = lastReceiver_->parent(); o; o = o->parent())
                                    if (o == watched)
                                        return true;
                                return false;
                            }();
    lastEvent_ = event;
    lastReceiver_ = watched;
    if (travelling)
        return false;

    const bool press = event->type() == QEvent::KeyPress && !key->isAutoRepeat();
    const bool server = QGuiApplication::platformName() == QLatin1String("xcb");
    // The server's state is the one before this event: a press of the lock key itself
    // turns it over.
    const quint32 native = key->nativeModifiers();
    if (server) {
        const bool caps = (native & kXLockMask) != 0;
        const bool num = (native & kXNumLockMask) != 0;
        Set(kCapsLock, press && key->key() == Qt::Key_CapsLock ? !caps : caps);
        Set(kNumLock, press && key->key() == Qt::Key_NumLock ? !num : num);
    } else if (press && key->key() == Qt::Key_CapsLock) {
        Set(kCapsLock, !IsOn(kCapsLock));
    } else if (press && key->key() == Qt::Key_NumLock) {
        Set(kNumLock, !IsOn(kNumLock));
    }
    if (press && key->key() == Qt::Key_ScrollLock)
        Set(kScrollLock, !IsOn(kScrollLock));
    return false;
}

}  // namespace platform
