// The score information: title, subtitle, composer, lyricist, rights and a free
// description, each a line of text. The view fills it from the editor and afterwards
// sets each header text that changed.
#pragma once

#include "platform/dialog_base.h"

#include <string>

namespace brindle {

class CScoreInfoDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 151;
    static constexpr int kIdTitle = 1004;
    static constexpr int kIdSubtitle = 1033;
    static constexpr int kIdComposer = 1006;
    static constexpr int kIdPoet = 1008;
    static constexpr int kIdCopyright = 1010;
    static constexpr int kIdDescription = 1064;

    explicit CScoreInfoDlg(QWidget* parent = nullptr);

    void SetTitle(std::u16string text) { title_ = std::move(text); }
    void SetSubtitle(std::u16string text) { subtitle_ = std::move(text); }
    void SetComposer(std::u16string text) { composer_ = std::move(text); }
    // The lyricist: the editor's poet text.
    void SetPoet(std::u16string text) { poet_ = std::move(text); }
    // The rights text.
    void SetCopyright(std::u16string text) { copyright_ = std::move(text); }
    void SetDescription(std::u16string text) { description_ = std::move(text); }

    const std::u16string& GetTitle() const { return title_; }
    const std::u16string& GetSubtitle() const { return subtitle_; }
    const std::u16string& GetComposer() const { return composer_; }
    const std::u16string& GetPoet() const { return poet_; }
    const std::u16string& GetCopyright() const { return copyright_; }
    const std::u16string& GetDescription() const { return description_; }

protected:
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    std::u16string title_;
    std::u16string subtitle_;
    std::u16string composer_;
    std::u16string poet_;
    std::u16string copyright_;
    std::u16string description_;
};

}  // namespace brindle
