// The plain up-down control of the dialogs: two arrow buttons beside a text box (its
// buddy) that step an integer position within a range and show it in the buddy. A step
// starts from the number in the buddy when it holds one, so a typed value is stepped
// from; the range limits only the steps: what is typed into the buddy is the dialog's to
// check.
#pragma once

#include "app/dialogs/spin_buttons.h"

#include <QPointer>

class QLineEdit;

namespace brindle {

class CUpDownCtrl : public CSpinButtons {
    Q_OBJECT

public:
    explicit CUpDownCtrl(QWidget* parent = nullptr);

    void SetBuddy(QLineEdit* buddy) { buddy_ = buddy; }
    QLineEdit* GetBuddy() const { return buddy_.data(); }
    // Inclusive; a range given upside down is turned round.
    void SetRange(int minimum, int maximum);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    // Held inside the range and shown in the buddy.
    void SetPos(int position);
    // The buddy's number when it holds one in range, else the last position.
    int GetPos() const;
    // One click: +1 the up arrow, -1 the down arrow.
    void Step(int delta) override;

private:
    QPointer<QLineEdit> buddy_;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
};

}  // namespace brindle
