// Transposition of a range of bars into another key, up or down. The range is bars from
// .. to, from a bar to the end of the score, or from a bar to the next change of key.
// Bar numbers are 1-based in the dialog; every range starts at bar 1 or later and a
// range from .. to does not end before it starts.
#pragma once

#include "app/dialogs/radio_group.h"
#include "platform/dialog_base.h"

#include <QFont>

namespace brindle {

// What the transposition asks of the editor, five ints in this order.
struct TransposeRequest {
    int key = 0;        // target key, -7 .. 7
    int direction = 0;  // 0 up, 1 down
    int rangeKind = 0;  // 0 bars from .. to, 1 from a bar to the end, 2 from a bar to the next key change
    int firstBar = 0;   // first bar - 1
    int lastBar = 1;    // the "to" bar for kind 0, else 0

    friend bool operator==(const TransposeRequest&, const TransposeRequest&) = default;
};

class CTransposeDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 270;
    static constexpr int kIdKeyList = 1025;
    // Range kinds: the three unlabelled buttons.
    static constexpr int kIdKindRange = 1276;
    static constexpr int kIdKindToEnd = 1278;
    static constexpr int kIdKindToKeyChange = 1279;
    static constexpr int kIdUp = 1277;
    static constexpr int kIdDown = 1282;
    static constexpr int kIdRangeFrom = 1261;
    static constexpr int kIdRangeTo = 1262;
    static constexpr int kIdToEndFrom = 1280;
    static constexpr int kIdToKeyChangeFrom = 1281;

    explicit CTransposeDlg(QWidget* parent = nullptr);

    // After OK.
    void GetTransposeRequest(TransposeRequest& request) const;
    int GetKey() const { return key_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    // Enables the bar fields of one range kind and disables the others.
    void ApplyRangeKind(int kind);

    int key_ = 0;
    QFont font_;
    int direction_ = 0;
    int rangeKind_ = 0;
    int rangeFrom_ = 1;
    int rangeTo_ = 1;
    int toEndFrom_ = 1;
    int toKeyChangeFrom_ = 1;
    RadioGroup kinds_{kIdKindRange, kIdKindToEnd, kIdKindToKeyChange};
    RadioGroup directions_{kIdUp, kIdDown};
};

}  // namespace brindle
