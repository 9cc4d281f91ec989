// The number of bars on the current line or on every line: 1 to 100.
#pragma once

#include "app/dialogs/radio_group.h"
#include "platform/dialog_base.h"

namespace brindle {

class CBarsPerLineDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 215;
    static constexpr int kIdBarsPerLine = 1107;
    static constexpr int kIdBarsPerLineSpin = 1108;
    static constexpr int kIdCurrentLine = 1193;
    static constexpr int kIdAllLines = 1194;
    static constexpr unsigned kMaxBarsPerLine = 100;

    explicit CBarsPerLineDlg(QWidget* parent = nullptr);

    void SetBarsPerLine(unsigned count) { barsPerLine_ = count; }
    unsigned GetBarsPerLine() const { return barsPerLine_; }
    bool IsAllLines() const { return scope_ == 1; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    unsigned barsPerLine_ = 0;
    int scope_ = 0;
    RadioGroup scopes_{kIdCurrentLine, kIdAllLines};
};

}  // namespace brindle
