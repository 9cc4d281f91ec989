// How bar numbers are shown: at the first bar of each line or every N bars, with or
// without a frame; and, behind the "高级(&A)" button, their offset and which bars count.
// The dialog opens collapsed: the advanced part is hidden and the window is shorter by
// its height, with the buttons moved up over it.
#pragma once

#include "app/dialogs/radio_group.h"
#include "engine/model/bar_number_format.h"
#include "platform/dialog_base.h"

#include <QRect>

namespace brindle {

class CBarNumberDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 252;
    static constexpr int kIdFirstOfLine = 1183;
    static constexpr int kIdEveryN = 1190;
    static constexpr int kIdInterval = 1184;
    static constexpr int kIdIntervalUpDown = 1185;
    static constexpr int kIdFrameNone = 1186;
    static constexpr int kIdFrameBrackets = 1187;
    static constexpr int kIdFrameBox = 1188;
    static constexpr int kIdFrameCircle = 1189;
    static constexpr int kIdOffsetX = 1234;
    static constexpr int kIdOffsetY = 1235;
    static constexpr int kIdFirstCounted = 1258;
    static constexpr int kIdFirstCountedUpDown = 1260;
    static constexpr int kIdRangeFrom = 1261;
    static constexpr int kIdRangeFromUpDown = 1265;
    static constexpr int kIdRangeTo = 1262;
    static constexpr int kIdRangeToUpDown = 1266;
    static constexpr int kIdAdvanced = 1259;

    // The height of the advanced part.
    static constexpr int kCollapseHeight = 210;
    // Offsets are in 0.1 mm; a metre either way is more than any page needs and keeps the
    // record's 0.01 mm within an int.
    static constexpr int kMaxOffset = 10000;
    static constexpr int kMaxInterval = 100;

    explicit CBarNumberDlg(QWidget* parent = nullptr);

    // After OK.
    void GetBarNumberFormat(quaverly::BarNumberFormat& format) const;

    bool IsCollapsed() const { return collapsed_; }
    // Hide or show the advanced part; the window and the buttons follow.
    void Collapse();
    void Expand();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    void EnableInterval(bool on);
    void PlaceButtons(int shift);

    int mode_ = 0;
    int frame_ = 0;
    int interval_ = 5;
    int offsetX_ = 0;
    int offsetY_ = 0;
    int firstCounted_ = 1;
    unsigned rangeFrom_ = 1;
    int rangeTo_ = 1000;
    bool collapsed_ = true;
    int exchanging_ = 0;
    QSize expandedSize_;
    QRect advancedButton_;
    QRect okButton_;
    QRect cancelButton_;
    RadioGroup modes_{kIdFirstOfLine, kIdEveryN};
    RadioGroup frames_{kIdFrameNone, kIdFrameBrackets, kIdFrameBox, kIdFrameCircle};
    QWidget* offsetGroup_ = nullptr;
    QWidget* countGroup_ = nullptr;
    QWidget* rangeGroup_ = nullptr;
};

}  // namespace brindle
