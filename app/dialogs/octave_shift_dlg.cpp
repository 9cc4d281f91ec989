#include "app/dialogs/octave_shift_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "platform/data_exchange.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brindle {

COctaveShiftDlg::COctaveShiftDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("升降八度"));
    auto* barGroup = new QGroupBox(QStringLiteral("小节"), this);
    auto* from = new QLineEdit(barGroup);
    auto* to = new QLineEdit(barGroup);
    from->setMaximumWidth(80);
    to->setMaximumWidth(80);
    AddControl(kIdFrom, from);
    AddControl(kIdTo, to);
    auto* form = new QFormLayout(barGroup);
    form->addRow(QStringLiteral("从："), from);
    form->addRow(QStringLiteral("到："), to);
    auto* octaveGroup = new QGroupBox(QStringLiteral("八度"), this);
    auto* up = new QRadioButton(QStringLiteral("升高八度"), octaveGroup);
    auto* down = new QRadioButton(QStringLiteral("降低八度"), octaveGroup);
    AddControl(kIdUp, up);
    AddControl(kIdDown, down);
    auto* octaves = new QVBoxLayout(octaveGroup);
    octaves->addWidget(up);
    octaves->addWidget(down);
    auto* groups = new QHBoxLayout;
    groups->addWidget(barGroup);
    groups->addWidget(octaveGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(OkCancelRow(*this));
}

void COctaveShiftDlg::DoDataExchange(platform::DataExchange& dx)
{
    ExchangeBarNumber(dx, kIdFrom, from_);
    ExchangeBarNumber(dx, kIdTo, to_, dx.SaveAndValidate() ? from_ : 1);
    directions_.Exchange(dx, direction_);
}

}  // namespace brindle
