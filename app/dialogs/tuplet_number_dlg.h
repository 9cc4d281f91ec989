// The number of notes of a tuplet to make from the selection: 3 to 30, played in the
// time of the largest power of two below that number.
#pragma once

#include "platform/dialog_base.h"

namespace brindle {

class CTupletNumberDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 217;
    static constexpr int kIdNumber = 1109;
    static constexpr int kMinNumber = 3;
    static constexpr int kMaxNumber = 30;

    explicit CTupletNumberDlg(QWidget* parent = nullptr);

    int GetNumber() const { return number_; }

protected:
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    int number_ = 3;
};

// The number of normal notes in whose time `count` tuplet notes are played: the largest
// power of two not above it (3 -> 2, 5 -> 4, 9 -> 8); 1 for a count below 2.
int TupletNormalCount(int count);

}  // namespace brindle
