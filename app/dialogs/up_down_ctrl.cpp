#include "app/dialogs/up_down_ctrl.h"

#include "platform/data_exchange.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace brindle {
namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return button;
}

}  // namespace

CUpDownCtrl::CUpDownCtrl(QWidget* parent)
    : QWidget(parent), up_(ArrowButton(Qt::UpArrow, this)), down_(ArrowButton(Qt::DownArrow, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize CUpDownCtrl::sizeHint() const { return {16, 22}; }

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
