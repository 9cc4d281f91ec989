#include "app/dialogs/delete_bars_dlg.h"

#include "app/dialogs/num_edit.h"
#include "app/dialogs/num_spin_ctrl.h"
#include "platform/data_exchange.h"
#include "platform/dialog_service.h"

#include <QEvent>
#include <QMouseEvent>

#include <algorithm>

namespace brindle {

CDeleteBarsDlg::CDeleteBarsDlg(QWidget* parent) : CBarCountDlg(parent, kTemplateId, u"删除小节数：", u"删除位置：")
{
    setWindowTitle(QStringLiteral("删除小节"));
    // Every key and press in the dialog passes here before the control gets it.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

int CDeleteBarsDlg::BarsFrom(int position) const
{
    if (position < 1 || position > barCount_)
        return 0;
    return barCount_ - position + 1;
}

bool CDeleteBarsDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    // With the cursor on no bar, the count may still run over the whole score.
    const int left = BarsFrom(currentBar_ + 1);
    SetUpPairs(left > 0 ? left : std::max(barCount_, 1));
    return true;
}

void CDeleteBarsDlg::LimitCount()
{
    int position = 0;
    if (platform::ParseInt(GetDlgItemText(kIdPosition), position))
        position_ = position;
    int count = 0;
    const bool haveCount = platform::ParseInt(GetDlgItemText(kIdCount), count);
    if (haveCount)
        count_ = count;
    const int left = BarsFrom(position_);
    if (left == 0)
        return;  // a position outside the score is the confirmation's to refuse
    CountSpin()->SetRange(1, static_cast<float>(left));
    if (haveCount && count_ > left) {
        count_ = left;
        CountSpin()->SetPos(static_cast<float>(left));
    }
}

bool CDeleteBarsDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress ||
        (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton))
        LimitCount();
    return CBarCountDlg::eventFilter(watched, event);
}

void CDeleteBarsDlg::DoDataExchange(platform::DataExchange& dx)
{
    dx.Int(kIdPosition, position_);
    dx.MinMaxInt(position_, 1, std::max(barCount_, 1));
    if (dx.SaveAndValidate() && !dx.Failed())
        LimitCount();  // as a key would: a pasted count is lowered to the bars left
    dx.Int(kIdCount, count_);
    dx.MinMaxInt(count_, 1, std::max(BarsFrom(position_), 1));
}

void CDeleteBarsDlg::OnOK()
{
    // With a single bar every deletion would empty the score.
    if (barCount_ <= 1) {
        platform::ShowMessage(kMsgKeepOneBar, platform::kMbOk, this);
        return;
    }
    if (!UpdateData(true))
        return;
    if (count_ >= barCount_) {
        platform::ShowMessage(kMsgKeepOneBar, platform::kMbOk, this);
        return;
    }
    EndDialog(platform::kIdOk);
}

}  // namespace brindle
