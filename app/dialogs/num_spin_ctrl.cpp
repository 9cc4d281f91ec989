#include "app/dialogs/num_spin_ctrl.h"

#include "app/dialogs/num_edit.h"

#include <algorithm>
#include <cstdlib>

namespace brindle {
CNumSpinCtrl::CNumSpinCtrl(QWidget* parent) : CSpinButtons(parent) {}

CNumEdit* CNumSpinCtrl::NumBuddy() const { return qobject_cast<CNumEdit*>(buddy_.data()); }

void CNumSpinCtrl::SetDelta(float step)
{
    if (CNumEdit* edit = NumBuddy())
        edit->SetDelta(step);
}

float CNumSpinCtrl::GetDelta() const
{
    const CNumEdit* edit = NumBuddy();
    return edit ? edit->GetDelta() : 0.0f;
}

void CNumSpinCtrl::SetBuddy(CNumEdit* edit)
{
    buddy_ = edit;
    if (edit)
        edit->SetValue(0.0f);
}

void CNumSpinCtrl::GetRange(float& minimum, float& maximum) const
{
    if (const CNumEdit* edit = NumBuddy())
        edit->GetRange(minimum, maximum);
}

void CNumSpinCtrl::SetRange(float minimum, float maximum)
{
    wheel_ = kWheelMiddle;
    if (CNumEdit* edit = NumBuddy())
        edit->SetRange(minimum, maximum);
}

float CNumSpinCtrl::GetPos() const
{
    CNumEdit* edit = NumBuddy();
    return edit ? edit->GetValue() : 0.0f;
}

void CNumSpinCtrl::SetPos(float value)
{
    wheel_ = kWheelMiddle;
    if (CNumEdit* edit = NumBuddy())
        edit->SetValue(value);
}

void CNumSpinCtrl::Step(int delta)
{
    // The wheel goes back to the middle before a step would take it to an end, in either
    // direction, so the clicks keep coming however long the user clicks one way.
    const int reach = std::abs(delta);
    if (!(wheel_ > kWheelLower + reach && wheel_ < kWheelUpper - reach))
        wheel_ = kWheelMiddle;
    if (CNumEdit* edit = NumBuddy())
        edit->ChangeValue(delta);
    wheel_ = std::clamp(wheel_ + delta, kWheelLower, kWheelUpper);
}

}  // namespace brindle
