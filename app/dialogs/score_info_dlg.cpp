#include "app/dialogs/score_info_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "platform/data_exchange.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace brindle {

CScoreInfoDlg::CScoreInfoDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("乐谱信息"));
    auto* form = new QFormLayout;
    const struct {
        int id;
        const char16_t* label;
    } fields[] = {{kIdTitle, u"标题："},    {kIdSubtitle, u"副标题："}, {kIdComposer, u"作曲："},
                  {kIdPoet, u"作词："},     {kIdCopyright, u"版权："},  {kIdDescription, u"其它描述："}};
    for (const auto& field : fields) {
        auto* edit = new QLineEdit(this);
        edit->setMinimumWidth(260);
        AddControl(field.id, edit);
        form->addRow(ToQString(field.label), edit);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(OkCancelRow(*this));
}

void CScoreInfoDlg::DoDataExchange(platform::DataExchange& dx)
{
    dx.Text(kIdTitle, title_);
    dx.Text(kIdSubtitle, subtitle_);
    dx.Text(kIdComposer, composer_);
    dx.Text(kIdPoet, poet_);
    dx.Text(kIdCopyright, copyright_);
    dx.Text(kIdDescription, description_);
}

}  // namespace brindle
