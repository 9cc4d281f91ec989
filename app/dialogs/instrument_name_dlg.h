// The instrument name shown before the lines of the voice at the cursor, for the current
// line or for all lines.
#pragma once

#include "app/dialogs/radio_group.h"
#include "platform/dialog_base.h"

#include <string>

namespace brindle {

class CInstrumentNameDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 267;
    static constexpr int kIdName = 1253;
    static constexpr int kIdCurrentLine = 1254;
    static constexpr int kIdAllLines = 1255;

    explicit CInstrumentNameDlg(QWidget* parent = nullptr);

    const std::u16string& GetName() const { return name_; }
    bool IsCurrentLineOnly() const { return scope_ == 0; }

protected:
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    std::u16string name_;
    int scope_ = 0;
    RadioGroup scopes_{kIdCurrentLine, kIdAllLines};
};

}  // namespace brindle
