#include "app/dialogs/add_text_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "platform/data_exchange.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace brindle {

CAddTextDlg::CAddTextDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("添加文本对话框"));
    auto* label = new QLabel(this);
    auto* edit = new QLineEdit(this);
    edit->setMinimumWidth(260);
    AddControl(kIdLabel, label);
    AddControl(kIdText, edit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addLayout(OkCancelRow(*this));
}

void CAddTextDlg::DoDataExchange(platform::DataExchange& dx)
{
    dx.Text(kIdText, text_);
    // The label is the caller's: only shown, never read back.
    if (!dx.SaveAndValidate())
        dx.Text(kIdLabel, label_);
}

}  // namespace brindle
