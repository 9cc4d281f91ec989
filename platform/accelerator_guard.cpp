#include "platform/accelerator_guard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace platform {
namespace {

bool IsTextBox(const QWidget* widget)
{
    if (!widget)
        return false;
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return !line->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(widget))
        return !text->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return !plain->isReadOnly();
    if (qobject_cast<const QAbstractSpinBox*>(widget))
        return true;
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->isEditable();
    return false;
}

}  // namespace

AcceleratorGuard::AcceleratorGuard(QObject* parent) : QObject(parent)
{
    if (qApp)
        qApp->installEventFilter(this);
}

AcceleratorGuard::~AcceleratorGuard()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool AcceleratorGuard::KeepsKey(const QWidget* widget, const QKeyEvent& event)
{
    // The line edit inside a spin box or an editable combo box counts as its owner.
    if (!IsTextBox(widget) && !(widget && IsTextBox(widget->parentWidget())))
        return false;
    const Qt::KeyboardModifiers held = event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (held == Qt::NoModifier) {
        const QString text = event.text();
        if (!text.isEmpty() && text.at(0).isPrint())
            return true;
        switch (event.key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return true;
        default:
            return false;  // function keys, Escape: the window's
        }
    }
    for (auto key : {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut, QKeySequence::Copy,
                     QKeySequence::Paste, QKeySequence::SelectAll})
        if (event.matches(key))
            return true;
    return false;
}

bool AcceleratorGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
        KeepsKey(static_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event))) {
        // Accepting the override hands the key to the widget as an ordinary key press.
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace platform
