// Chooses the key signature to put at the cursor: fifteen keys from seven flats to seven
// sharps, drawn by the signature font. Opens on C, whatever the score has.
#pragma once

#include "platform/dialog_base.h"

#include <QFont>

namespace brindle {

class CKeySignatureDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 161;
    static constexpr int kIdKeyList = 1025;

    explicit CKeySignatureDlg(QWidget* parent = nullptr);

    // -7 .. 7 after OK; 0 before.
    int GetKey() const { return key_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    int key_ = 0;
    QFont font_;
};

}  // namespace brindle
