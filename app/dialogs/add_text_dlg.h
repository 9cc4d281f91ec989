// One line of text with a label the caller gives: the arranger ("改编者") and the singer
// ("演唱者") of the score.
#pragma once

#include "platform/dialog_base.h"

#include <string>

namespace brindle {

class CAddTextDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 264;
    static constexpr int kIdText = 1237;
    static constexpr int kIdLabel = 1238;

    explicit CAddTextDlg(QWidget* parent = nullptr);

    void SetLabel(std::u16string label) { label_ = std::move(label); }
    void SetText(std::u16string text) { text_ = std::move(text); }
    const std::u16string& GetText() const { return text_; }

protected:
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    std::u16string text_;
    std::u16string label_;
};

}  // namespace brindle
