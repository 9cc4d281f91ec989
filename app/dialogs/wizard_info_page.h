// The wizard's first page: the score's header texts (title, subtitle, composer, lyricist
// and copyright), all empty at first.
#pragma once

#include "app/dialogs/wizard_page.h"

#include <string>

namespace brindle {

class CWizardInfoPage : public CWizardPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 143;
    static constexpr int kIdTitle = 1001;
    static constexpr int kIdSubtitle = 1002;
    static constexpr int kIdComposer = 1003;
    static constexpr int kIdPoet = 1004;
    static constexpr int kIdCopyright = 1005;

    CWizardInfoPage();

    std::u16string GetTitle() const { return title_; }
    std::u16string GetSubtitle() const { return subtitle_; }
    std::u16string GetComposer() const { return composer_; }
    std::u16string GetPoet() const { return poet_; }
    std::u16string GetCopyright() const { return copyright_; }

protected:
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    std::u16string title_;
    std::u16string subtitle_;
    std::u16string composer_;
    std::u16string poet_;
    std::u16string copyright_;
};

}  // namespace brindle
