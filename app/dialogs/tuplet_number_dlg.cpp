#include "app/dialogs/tuplet_number_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "platform/data_exchange.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace brindle {

CTupletNumberDlg::CTupletNumberDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("Dialog"));
    auto* edit = new QLineEdit(this);
    edit->setMaximumWidth(80);
    AddControl(kIdNumber, edit);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("输入连音数："), edit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(OkCancelRow(*this));
}

void CTupletNumberDlg::DoDataExchange(platform::DataExchange& dx)
{
    dx.Int(kIdNumber, number_);
    dx.MinMaxInt(number_, kMinNumber, kMaxNumber);
}

int TupletNormalCount(int count)
{
    int normal = 1;
    while (normal <= count / 2)
        normal *= 2;
    return normal;
}

}  // namespace brindle
