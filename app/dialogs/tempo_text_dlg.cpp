#include "app/dialogs/tempo_text_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "app/settings/expression_style_list.h"
#include "platform/data_exchange.h"
#include "platform/dialog_service.h"

#include <QComboBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include <memory>

namespace brindle {

CTempoTextDlg::CTempoTextDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("添加速度表情标记"));
    auto* group = new QGroupBox(QStringLiteral("速度表情标记"), this);
    auto* box = new QComboBox(group);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(200);
    AddControl(kIdTextBox, box);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(box);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(OkCancelRow(*this));
}

bool CTempoTextDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    auto* box = Control<QComboBox>(kIdTextBox);
    const std::u16string path = folder_.PathOf(folder_.SystemInfo().GetExpressionFile());
    if (!path.empty()) {
        ExpressionStyleList words;
        words.SetFile(std::make_shared<ProfileFile>(path));
        const int count = words.GetCount();
        for (int i = 0; i < count; ++i)
            box->addItem(ToQString(words.GetItem(i)));
    }
    // Filling the list chooses nothing: the box keeps the text it was given.
    box->setCurrentIndex(-1);
    box->setEditText(ToQString(text_));
    return true;
}

void CTempoTextDlg::DoDataExchange(platform::DataExchange& dx) { dx.Text(kIdTextBox, text_); }

void CTempoTextDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(platform::kIdOk);
}

}  // namespace brindle
