#include "app/dialogs/key_signature_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "app/dialogs/signature_font.h"
#include "platform/dialog_service.h"

#include <QComboBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace brindle {

CKeySignatureDlg::CKeySignatureDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("添加调号"));
    auto* group = new QGroupBox(QStringLiteral("调号"), this);
    auto* list = new QComboBox(group);
    list->setMinimumWidth(160);
    AddControl(kIdKeyList, list);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(list);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(OkCancelRow(*this));
}

bool CKeySignatureDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    font_ = SignatureFont();
    FillKeyList(*Control<QComboBox>(kIdKeyList), font_);
    return true;
}

void CKeySignatureDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    key_ = SelectedKey(*Control<QComboBox>(kIdKeyList));
    EndDialog(platform::kIdOk);
}

}  // namespace brindle
