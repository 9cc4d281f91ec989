// The two arrow buttons the dialogs' spin controls share: an up arrow over a down arrow,
// repeating while held, never taking the focus from the edit beside them. A click on the
// up arrow is Step(1), on the down arrow Step(-1); what a step does is the control's own.
#pragma once

#include <QWidget>

class QToolButton;

namespace brindle {

class CSpinButtons : public QWidget {
    Q_OBJECT

public:
    // One click: +1 the up arrow, -1 the down arrow.
    virtual void Step(int delta) = 0;

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }
    QSize sizeHint() const override;

protected:
    explicit CSpinButtons(QWidget* parent = nullptr);

private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace brindle
