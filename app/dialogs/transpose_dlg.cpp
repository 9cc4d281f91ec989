#include "app/dialogs/transpose_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "app/dialogs/signature_font.h"
#include "platform/data_exchange.h"
#include "platform/dialog_service.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brindle {
namespace {

QLineEdit* BarField(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaximumWidth(70);
    return edit;
}

}  // namespace

CTransposeDlg::CTransposeDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("转调"));
    auto* keyGroup = new QGroupBox(QStringLiteral("调号"), this);
    auto* keys = new QComboBox(keyGroup);
    keys->setMinimumWidth(140);
    AddControl(kIdKeyList, keys);
    (new QVBoxLayout(keyGroup))->addWidget(keys);

    auto* directionGroup = new QGroupBox(QStringLiteral("方向"), this);
    auto* up = new QRadioButton(QStringLiteral("向上"), directionGroup);
    auto* down = new QRadioButton(QStringLiteral("向下"), directionGroup);
    AddControl(kIdUp, up);
    AddControl(kIdDown, down);
    auto* directionRow = new QHBoxLayout(directionGroup);
    directionRow->addWidget(up);
    directionRow->addWidget(down);

    auto* rangeGroup = new QGroupBox(QStringLiteral("作用范围（小节）"), this);
    auto* grid = new QGridLayout(rangeGroup);
    const int kindIds[] = {kIdKindRange, kIdKindToEnd, kIdKindToKeyChange};
    for (int row = 0; row < 3; ++row) {
        auto* kind = new QRadioButton(rangeGroup);
        AddControl(kindIds[row], kind);
        grid->addWidget(kind, row, 0);
        grid->addWidget(new QLabel(QStringLiteral("从"), rangeGroup), row, 1);
        MapCommand(kindIds[row], [this, row] { ApplyRangeKind(row); });
    }
    auto* from = BarField(rangeGroup);
    auto* to = BarField(rangeGroup);
    auto* toEnd = BarField(rangeGroup);
    auto* toKeyChange = BarField(rangeGroup);
    AddControl(kIdRangeFrom, from);
    AddControl(kIdRangeTo, to);
    AddControl(kIdToEndFrom, toEnd);
    AddControl(kIdToKeyChangeFrom, toKeyChange);
    grid->addWidget(from, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("到"), rangeGroup), 0, 3);
    grid->addWidget(to, 0, 4);
    grid->addWidget(toEnd, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("到乐谱末尾"), rangeGroup), 1, 3, 1, 2);
    grid->addWidget(toKeyChange, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("到下一个调改变处"), rangeGroup), 2, 3, 1, 2);

    auto* top = new QHBoxLayout;
    top->addWidget(keyGroup);
    top->addWidget(directionGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(rangeGroup);
    layout->addLayout(OkCancelRow(*this));
}

bool CTransposeDlg::OnInitDialog()
{
    font_ = SignatureFont();
    FillKeyList(*Control<QComboBox>(kIdKeyList), font_);
    DialogBase::OnInitDialog();
    ApplyRangeKind(rangeKind_);
    return true;
}

void CTransposeDlg::ApplyRangeKind(int kind)
{
    GetDlgItem(kIdRangeFrom)->setEnabled(kind == 0);
    GetDlgItem(kIdRangeTo)->setEnabled(kind == 0);
    GetDlgItem(kIdToEndFrom)->setEnabled(kind == 1);
    GetDlgItem(kIdToKeyChangeFrom)->setEnabled(kind == 2);
}

void CTransposeDlg::DoDataExchange(platform::DataExchange& dx)
{
    directions_.Exchange(dx, direction_);
    kinds_.Exchange(dx, rangeKind_);
    // Only the fields of the chosen kind are read: the disabled ones cannot be put right
    // by the user, so whatever they hold must not stop the dialog.
    const bool all = !dx.SaveAndValidate();
    if (all || rangeKind_ == 0) {
        ExchangeBarNumber(dx, kIdRangeFrom, rangeFrom_);
        ExchangeBarNumber(dx, kIdRangeTo, rangeTo_, all ? 1 : rangeFrom_);
    }
    if (all || rangeKind_ == 1)
        ExchangeBarNumber(dx, kIdToEndFrom, toEndFrom_);
    if (all || rangeKind_ == 2)
        ExchangeBarNumber(dx, kIdToKeyChangeFrom, toKeyChangeFrom_);
}

void CTransposeDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    key_ = SelectedKey(*Control<QComboBox>(kIdKeyList));
    EndDialog(platform::kIdOk);
}

void CTransposeDlg::GetTransposeRequest(TransposeRequest& request) const
{
    request.key = key_;
    request.direction = direction_;
    request.rangeKind = rangeKind_;
    switch (rangeKind_) {
    case 1:
        request.firstBar = toEndFrom_ - 1;
        request.lastBar = 0;
        break;
    case 2:
        request.firstBar = toKeyChangeFrom_ - 1;
        request.lastBar = 0;
        break;
    default:
        request.firstBar = rangeFrom_ - 1;
        request.lastBar = rangeTo_;
        break;
    }
}

}  // namespace brindle
