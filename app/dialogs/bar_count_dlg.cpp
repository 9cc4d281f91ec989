#include "app/dialogs/bar_count_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "app/dialogs/num_edit.h"
#include "app/dialogs/num_spin_ctrl.h"
#include "platform/data_exchange.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace brindle {

CBarCountDlg::CBarCountDlg(QWidget* parent, int templateId, std::u16string_view countLabel,
                           std::u16string_view positionLabel)
    : DialogBase(parent, templateId)
{
    auto* grid = new QGridLayout;
    const struct {
        int edit;
        int spin;
        std::u16string_view label;
    } pairs[] = {{kIdCount, kIdCountSpin, countLabel}, {kIdPosition, kIdPositionSpin, positionLabel}};
    int row = 0;
    for (const auto& pair : pairs) {
        auto* edit = new CNumEdit(this);
        edit->setMaximumWidth(80);
        auto* spin = new CNumSpinCtrl(this);
        spin->SetBuddy(edit);
        AddControl(pair.edit, edit);
        AddControl(pair.spin, spin);
        grid->addWidget(new QLabel(ToQString(pair.label), this), row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(spin, row, 2);
        ++row;
    }
    grid->setColumnStretch(3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(OkCancelRow(*this));
}

CNumSpinCtrl* CBarCountDlg::PositionSpin() const { return Control<CNumSpinCtrl>(kIdPositionSpin); }

CNumSpinCtrl* CBarCountDlg::CountSpin() const { return Control<CNumSpinCtrl>(kIdCountSpin); }

void CBarCountDlg::SetUpPairs(int countMaximum)
{
    CNumSpinCtrl* position = PositionSpin();
    position->SetRange(1, static_cast<float>(barCount_));
    // With the cursor on no bar this is 0, outside the range: the field keeps the 0 the
    // exchange showed, and the confirmation decides.
    position->SetPos(static_cast<float>(static_cast<long long>(currentBar_) + 1));
    position->SetDelta(1);
    CNumSpinCtrl* count = CountSpin();
    count->SetRange(1, static_cast<float>(countMaximum));
    count->SetPos(1);
    count->SetDelta(1);
}

void CBarCountDlg::DoDataExchange(platform::DataExchange& dx)
{
    dx.Int(kIdPosition, position_);
    dx.Int(kIdCount, count_);
}

}  // namespace brindle
