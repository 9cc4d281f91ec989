// Chooses the tempo expression text to put at the cursor: typed, or picked from the words
// of the expression file that the main settings file names.
#pragma once

#include "app/dialogs/data_folder.h"
#include "platform/dialog_base.h"

#include <string>

namespace brindle {

class CTempoTextDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 167;
    static constexpr int kIdTextBox = 1074;

    explicit CTempoTextDlg(QWidget* parent = nullptr);

    // The folder whose "Tansy.ini" names the expression file (the program's by default).
    void SetDataFolder(DataFolder folder) { folder_ = std::move(folder); }

    // After OK: the text typed or chosen; empty when the box was left empty.
    const std::u16string& GetText() const { return text_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    DataFolder folder_ = DataFolder::Program();
    std::u16string text_;
};

}  // namespace brindle
