// What the add-bars and delete-bars dialogs share: a 1-based bar position and a number of
// bars, each a number field with spin buttons, filled from the bar at the cursor and the
// score's bar count. The getters give the position as a 0-based bar index.
#pragma once

#include "platform/dialog_base.h"

#include <string_view>

namespace brindle {

class CNumEdit;
class CNumSpinCtrl;

class CBarCountDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kIdPosition = 1070;
    static constexpr int kIdPositionSpin = 1071;
    static constexpr int kIdCount = 1072;
    static constexpr int kIdCountSpin = 1073;

    // From the editor: the bar at the cursor (0-based, -1 for none) and the bar count.
    void SetCurrentBar(int bar) { currentBar_ = bar; }
    void SetBarCount(int count) { barCount_ = count; }

    // After OK: the position - 1 and the number of bars.
    int GetPosition() const { return position_ - 1; }
    int GetCount() const { return count_; }

    CNumSpinCtrl* PositionSpin() const;
    CNumSpinCtrl* CountSpin() const;

protected:
    CBarCountDlg(QWidget* parent, int templateId, std::u16string_view countLabel, std::u16string_view positionLabel);

    void DoDataExchange(platform::DataExchange& dx) override;
    // Both pairs get the range and step; the position starts at the bar at the cursor.
    void SetUpPairs(int countMaximum);

    int currentBar_ = 0;
    int barCount_ = 0;
    int position_ = 0;
    int count_ = 0;
};

}  // namespace brindle
