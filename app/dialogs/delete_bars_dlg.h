// Deletes bars from a bar of the score on. The count never runs past the last bar: every
// key and left-button press in the dialog lowers it to the bars left from the position,
// and so does the confirmation, which also checks the position and refuses to delete
// every bar (the score keeps at least one).
#pragma once

#include "app/dialogs/bar_count_dlg.h"

#include <string_view>

namespace brindle {

class CDeleteBarsDlg : public CBarCountDlg {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 159;
    static constexpr std::u16string_view kMsgKeepOneBar =
        u"如果删除所有小节，程序会出现未知错误，请至少保留一个小节!";

    explicit CDeleteBarsDlg(QWidget* parent = nullptr);

    // What a key or click does first: takes the values shown and keeps the count within
    // the bars from the position to the end.
    void LimitCount();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(platform::DataExchange& dx) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Bars from `position` to the end; 0 for a position outside the score.
    int BarsFrom(int position) const;
};

}  // namespace brindle
