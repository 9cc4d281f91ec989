// The number of lines on the current page: 1 to 100.
#pragma once

#include "platform/dialog_base.h"

namespace brindle {

class CLinesPerPageDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 263;
    static constexpr int kIdLineCount = 1236;
    static constexpr int kIdLineCountUpDown = 1185;
    static constexpr int kMaxLines = 100;

    explicit CLinesPerPageDlg(QWidget* parent = nullptr);

    void SetLineCount(int count) { lineCount_ = count; }
    int GetLineCount() const { return lineCount_; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    int lineCount_ = 0;
};

}  // namespace brindle
