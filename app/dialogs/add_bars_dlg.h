// Inserts bars after a bar of the score. The score holds at most 100 bars' worth of
// position and count together; a count of 0 is refused.
#pragma once

#include "app/dialogs/bar_count_dlg.h"

#include <string_view>

namespace brindle {

class CAddBarsDlg : public CBarCountDlg {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 157;
    static constexpr int kMaxCount = 1000;
    // Position + count may not pass this.
    static constexpr int kMaxBarSum = 100;
    static constexpr std::u16string_view kMsgTooManyBars = u"不能超过100小节";

    explicit CAddBarsDlg(QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(platform::DataExchange& dx) override;
};

}  // namespace brindle
