// The spin buttons of a CNumEdit: each click steps the edit's value by the edit's step
// (up adds, down subtracts); range, step and value all live in the edit, its "buddy".
// The control's own position is only a wheel: it runs over 0 .. 1000, is put back to the
// middle (500) whenever the range or the value is set and before it would reach an end,
// so clicking on in one direction never stops. Every operation that reaches the buddy
// does nothing when there is no buddy or the buddy is not a CNumEdit.
//
// Dialogs set a pair up in the order SetRange, SetPos, SetDelta and read it back with
// GetPos (or the edit's GetValue) when the dialog is confirmed.
#pragma once

#include "app/dialogs/spin_buttons.h"

#include <QPointer>

namespace brindle {

class CNumEdit;

class CNumSpinCtrl : public CSpinButtons {
    Q_OBJECT

public:
    static constexpr int kWheelLower = 0;
    static constexpr int kWheelUpper = 1000;
    static constexpr int kWheelMiddle = 500;

    explicit CNumSpinCtrl(QWidget* parent = nullptr);

    virtual void SetDelta(float step);
    // 0 without a CNumEdit buddy.
    virtual float GetDelta() const;
    // Pairs the spin with the edit and shows 0 in it (when 0 lies in the edit's range).
    virtual void SetBuddy(CNumEdit* edit);
    virtual QWidget* GetBuddy() const { return buddy_.data(); }
    // The buddy's range; the arguments are left alone without a CNumEdit buddy.
    virtual void GetRange(float& minimum, float& maximum) const;
    virtual void SetRange(float minimum, float maximum);
    // The buddy's value; 0 without a CNumEdit buddy.
    virtual float GetPos() const;
    virtual void SetPos(float value);

    // Makes any window the buddy, as the plain up-down control allows; the steps reach it
    // only when it is a CNumEdit.
    void SetBuddyWindow(QWidget* buddy) { buddy_ = buddy; }
    // What one click does: `delta` +1 for the up arrow, -1 for the down arrow.
    void Step(int delta) override;
    int WheelPos() const { return wheel_; }

private:
    CNumEdit* NumBuddy() const;

    QPointer<QWidget> buddy_;
    int wheel_ = kWheelMiddle;
};

}  // namespace brindle
