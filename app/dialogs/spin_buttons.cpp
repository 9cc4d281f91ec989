#include "app/dialogs/spin_buttons.h"

#include <QToolButton>
#include <QVBoxLayout>

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

CSpinButtons::CSpinButtons(QWidget* parent)
    : QWidget(parent), up_(ArrowButton(Qt::UpArrow, this)), down_(ArrowButton(Qt::DownArrow, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    // The clicks come only once the control is whole, so the derived Step is the one run.
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize CSpinButtons::sizeHint() const { return {16, 22}; }

}  // namespace brindle
