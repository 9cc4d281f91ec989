// Helpers of the dialog-control tests: a dialog shown as the active window (so the focus
// moves as it does for the user), keys and clicks sent the way the window system sends
// them, and a beep service that records.
#pragma once

#include "app/dialogs/beep_service.h"
#include "platform/dialog_base.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <vector>

namespace brindle::test {

// Runs the event loop until `done` holds or about two seconds passed.
template <class Done>
bool ProcessUntil(Done done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

inline void ProcessEvents()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

inline bool ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return ProcessUntil([&] { return window.isActiveWindow(); });
}

// The Qt key of a printable ASCII character (the upper-case code for letters).
inline int KeyOf(QChar c) { return c.toUpper().unicode(); }

inline void SendKey(QWidget* target, int key, const QString& text = {},
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// Types each character into the widget with the focus ('\b' is Backspace).
inline void Type(const QString& text)
{
    for (const QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        if (c == u'\b')
            SendKey(target, Qt::Key_Backspace, QStringLiteral("\b"));
        else
            SendKey(target, KeyOf(c), QString(c));
    }
}

inline void Chord(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    SendKey(target, key, {}, modifiers);
}

// A left click: the focus goes first to the widget that takes it on clicks, as the
// application does for the window system's clicks.
inline void Click(QWidget* widget, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (w->focusPolicy() & Qt::ClickFocus) {
            w->setFocus(Qt::MouseFocusReason);
            break;
        }
    const QPointF local(at);
    const QPointF global(widget->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, modifiers);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, modifiers);
    QApplication::sendEvent(widget, &release);
}

inline void MoveMouse(QWidget* widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

class RecordingBeep : public BeepService {
public:
    void Beep(unsigned type) override { beeps.push_back(type); }
    std::vector<unsigned> beeps;
};

// A dialog that records the messages it is sent or posted.
class RecordingDialog : public platform::DialogBase {
public:
    explicit RecordingDialog(int templateId = 0) : DialogBase(nullptr, templateId) {}

    void Record(platform::MessageId message)
    {
        MapMessage(message, [this, message](platform::WParam w, platform::LParam l) {
            received.push_back({message, w, l});
            return platform::LResult(0);
        });
    }

    std::vector<platform::WindowMessage> received;
};

}  // namespace brindle::test
