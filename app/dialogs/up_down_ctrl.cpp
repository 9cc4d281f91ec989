#include "app/dialogs/up_down_ctrl.h"

#include "platform/data_exchange.h"

#include <QLineEdit>

#include <algorithm>

namespace brindle {
CUpDownCtrl::CUpDownCtrl(QWidget* parent) : CSpinButtons(parent) {}

void CUpDownCtrl::SetRange(int minimum, int maximum)
{
    minimum_ = std::min(minimum, maximum);
    maximum_ = std::max(minimum, maximum);
    position_ = std::clamp(position_, minimum_, maximum_);
}

void CUpDownCtrl::SetPos(int position)
{
    position_ = std::clamp(position, minimum_, maximum_);
    if (buddy_)
        buddy_->setText(QString::number(position_));
}

int CUpDownCtrl::GetPos() const
{
    int typed = 0;
    if (buddy_ && platform::ParseInt(buddy_->text().toStdU16String(), typed) && typed >= minimum_ &&
        typed <= maximum_)
        return typed;
    return position_;
}

void CUpDownCtrl::Step(int delta)
{
    // 64-bit sum: a step at the edge of the int range must not wrap.
    const long long next = static_cast<long long>(GetPos()) + delta;
    SetPos(static_cast<int>(std::clamp<long long>(next, minimum_, maximum_)));
}

}  // namespace brindle
