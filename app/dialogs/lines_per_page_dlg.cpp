#include "app/dialogs/lines_per_page_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "app/dialogs/up_down_ctrl.h"
#include "platform/data_exchange.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace brindle {

CLinesPerPageDlg::CLinesPerPageDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("页行数设置"));
    auto* group = new QGroupBox(QStringLiteral("行数"), this);
    auto* edit = new QLineEdit(group);
    edit->setMaximumWidth(80);
    auto* upDown = new CUpDownCtrl(group);
    upDown->SetBuddy(edit);
    AddControl(kIdLineCount, edit);
    AddControl(kIdLineCountUpDown, upDown);
    auto* row = new QHBoxLayout(group);
    row->addWidget(edit);
    row->addWidget(upDown);
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(OkCancelRow(*this));
}

bool CLinesPerPageDlg::OnInitDialog()
{
    Control<CUpDownCtrl>(kIdLineCountUpDown)->SetRange(1, kMaxLines);
    return DialogBase::OnInitDialog();
}

void CLinesPerPageDlg::DoDataExchange(platform::DataExchange& dx)
{
    dx.Int(kIdLineCount, lineCount_);
    dx.MinMaxInt(lineCount_, 1, kMaxLines);
}

}  // namespace brindle
