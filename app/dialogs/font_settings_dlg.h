// "字体设置": the fonts of seven kinds of score text (title, subtitle, composer,
// expressions, lyrics, instrument names, bar numbers). The list picks a kind, the label
// previews its font, "设置字体" opens the font dialog on it. OK writes all seven fonts
// into the font file, changed or not; Cancel writes nothing.
//
// When the font file cannot be written, OK says so ("字体设置保存失败！") and the
// dialog stays open with the user's choices.
#pragma once

#include <QFont>

#include <string>
#include <vector>

#include "app/dialogs/data_folder.h"
#include "app/settings/font_file.h"
#include "platform/dialog_base.h"

namespace brindle {

class CFontSettingsDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 200;
    static constexpr int kIdCategoryList = 1088;
    static constexpr int kIdPreview = 1081;
    static constexpr int kIdChooseFont = 1089;
    static constexpr std::u16string_view kMsgWriteFailed = u"字体设置保存失败！";

    struct FontEntry {
        std::u16string previewText;
        quaverly::LogFont font;
    };

    explicit CFontSettingsDlg(QWidget* parent = nullptr);

    // Where the font file is found; by default the program's own settings. Before DoModal.
    void SetDataFolder(DataFolder folder) { folder_ = std::move(folder); }

    const std::vector<FontEntry>& Entries() const { return entries_; }
    // The font the preview label shows.
    QFont PreviewFont() const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::u16string FontFilePath() const;
    void ShowSelectedEntry();
    void ChooseFont();

    // The program's own settings unless the caller gave others.
    DataFolder folder_ = DataFolder::Program();
    std::vector<FontEntry> entries_;
};

}  // namespace brindle
