// Keeps the window's accelerators from taking keys that a text box in focus needs: while
// an edit box (a line or text edit, a spin box, an editable combo box) has the focus,
// plain and shifted keys and the editing shortcuts (undo, redo, cut, copy, paste, select
// all) go to the box. Other Ctrl and Alt combinations still reach the accelerators.
#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace platform {

class AcceleratorGuard : public QObject {
    Q_OBJECT

public:
    // Installs itself on the application; removed when destroyed.
    explicit AcceleratorGuard(QObject* parent = nullptr);
    ~AcceleratorGuard() override;

    // True when `widget` is a text box that keeps `event` from the accelerators.
    static bool KeepsKey(const QWidget* widget, const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace platform
