#include "app/dialogs/instrument_name_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "platform/data_exchange.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brindle {

CInstrumentNameDlg::CInstrumentNameDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("添加乐器名"));
    auto* nameGroup = new QGroupBox(QStringLiteral("乐器名"), this);
    auto* name = new QLineEdit(nameGroup);
    name->setMinimumWidth(220);
    AddControl(kIdName, name);
    (new QVBoxLayout(nameGroup))->addWidget(name);
    auto* scopeGroup = new QGroupBox(QStringLiteral("作用范围"), this);
    auto* current = new QRadioButton(QStringLiteral("当前行"), scopeGroup);
    auto* all = new QRadioButton(QStringLiteral("所有行"), scopeGroup);
    AddControl(kIdCurrentLine, current);
    AddControl(kIdAllLines, all);
    auto* scopeRow = new QHBoxLayout(scopeGroup);
    scopeRow->addWidget(current);
    scopeRow->addWidget(all);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameGroup);
    layout->addWidget(scopeGroup);
    layout->addLayout(OkCancelRow(*this, u"确认(O)"));
}

void CInstrumentNameDlg::DoDataExchange(platform::DataExchange& dx)
{
    dx.Text(kIdName, name_);
    scopes_.Exchange(dx, scope_);
}

}  // namespace brindle
