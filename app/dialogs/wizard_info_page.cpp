#include "app/dialogs/wizard_info_page.h"

#include "platform/data_exchange.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace brindle {

CWizardInfoPage::CWizardInfoPage() : CWizardPage(kTemplateId)
{
    struct Field {
        const char16_t* label;
        int id;
    };
    static constexpr Field kFields[] = {
        {u"标题：", kIdTitle},   {u"副标题：", kIdSubtitle}, {u"作曲：", kIdComposer},
        {u"作词：", kIdPoet},    {u"版权：", kIdCopyright},
    };
    auto* layout = new QGridLayout(this);
    int row = 0;
    for (const Field& field : kFields) {
        auto* edit = new QLineEdit(this);
        edit->setMinimumWidth(300);
        layout->addWidget(new QLabel(QString::fromUtf16(field.label), this), row, 0);
        layout->addWidget(edit, row, 1);
        AddControl(field.id, edit);
        ++row;
    }
    layout->setRowStretch(row, 1);
}

void CWizardInfoPage::DoDataExchange(platform::DataExchange& dx)
{
    dx.Text(kIdTitle, title_);
    dx.Text(kIdSubtitle, subtitle_);
    dx.Text(kIdComposer, composer_);
    dx.Text(kIdPoet, poet_);
    dx.Text(kIdCopyright, copyright_);
}

}  // namespace brindle
