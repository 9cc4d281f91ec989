#include "app/dialogs/bars_per_line_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "app/dialogs/num_edit.h"
#include "app/dialogs/num_spin_ctrl.h"
#include "platform/data_exchange.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brindle {

CBarsPerLineDlg::CBarsPerLineDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("小节数设置对话框"));
    auto* countGroup = new QGroupBox(QStringLiteral("行小节数"), this);
    auto* edit = new CNumEdit(countGroup);
    edit->setMaximumWidth(80);
    auto* spin = new CNumSpinCtrl(countGroup);
    spin->SetBuddy(edit);
    AddControl(kIdBarsPerLine, edit);
    AddControl(kIdBarsPerLineSpin, spin);
    auto* countRow = new QHBoxLayout(countGroup);
    countRow->addWidget(edit);
    countRow->addWidget(spin);
    countRow->addStretch();
    auto* scopeGroup = new QGroupBox(QStringLiteral("作用范围"), this);
    auto* current = new QRadioButton(QStringLiteral("当前行"), scopeGroup);
    auto* all = new QRadioButton(QStringLiteral("所有行"), scopeGroup);
    AddControl(kIdCurrentLine, current);
    AddControl(kIdAllLines, all);
    auto* scopeRow = new QHBoxLayout(scopeGroup);
    scopeRow->addWidget(current);
    scopeRow->addWidget(all);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(countGroup);
    layout->addWidget(scopeGroup);
    layout->addLayout(OkCancelRow(*this));
}

bool CBarsPerLineDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    auto* spin = Control<CNumSpinCtrl>(kIdBarsPerLineSpin);
    spin->SetRange(1, static_cast<float>(kMaxBarsPerLine));
    spin->SetPos(static_cast<float>(barsPerLine_));
    spin->SetDelta(1);
    return true;
}

void CBarsPerLineDlg::DoDataExchange(platform::DataExchange& dx)
{
    dx.Unsigned(kIdBarsPerLine, barsPerLine_);
    dx.MinMaxUnsigned(barsPerLine_, 1, kMaxBarsPerLine);
    scopes_.Exchange(dx, scope_);
}

}  // namespace brindle
