#include "app/dialogs/add_bars_dlg.h"

#include "platform/data_exchange.h"
#include "platform/dialog_service.h"

#include <algorithm>

namespace brindle {

CAddBarsDlg::CAddBarsDlg(QWidget* parent) : CBarCountDlg(parent, kTemplateId, u"添加小节数：", u"添加位置(之后)：")
{
    setWindowTitle(QStringLiteral("添加小节"));
}

bool CAddBarsDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    SetUpPairs(kMaxCount);
    return true;
}

void CAddBarsDlg::DoDataExchange(platform::DataExchange& dx)
{
    // Position 0 (the cursor on no bar) inserts before the first bar.
    dx.Int(kIdPosition, position_);
    dx.MinMaxInt(position_, 0, std::max(barCount_, 0));
    dx.Int(kIdCount, count_);
    dx.MinMaxInt(count_, 1, kMaxCount);
}

void CAddBarsDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // Both are bounded by the exchange: the sum cannot overflow.
    if (position_ + count_ > kMaxBarSum) {
        platform::ShowMessage(kMsgTooManyBars, platform::kMbOk, this);
        return;
    }
    EndDialog(platform::kIdOk);
}

}  // namespace brindle
