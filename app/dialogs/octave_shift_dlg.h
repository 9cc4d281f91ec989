// Shifts the notes of a range of bars an octave up or down. Bar numbers are 1-based and
// start at 1; the range does not end before it starts.
#pragma once

#include "app/dialogs/radio_group.h"
#include "platform/dialog_base.h"

namespace brindle {

class COctaveShiftDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 283;
    static constexpr int kIdFrom = 1286;
    static constexpr int kIdTo = 1287;
    static constexpr int kIdUp = 1285;
    static constexpr int kIdDown = 1288;

    explicit COctaveShiftDlg(QWidget* parent = nullptr);

    // After OK: the first bar - 1 and the last bar.
    void GetBarRange(int& firstBar, int& lastBar) const
    {
        firstBar = from_ - 1;
        lastBar = to_;
    }
    bool IsUp() const { return direction_ == 0; }

protected:
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    int from_ = 1;
    int to_ = 1;
    int direction_ = 0;
    RadioGroup directions_{kIdUp, kIdDown};
};

}  // namespace brindle
