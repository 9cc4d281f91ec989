// One page of the shortcut dialog: a row per command with the command's label, its key
// as text and a "..." button. The button opens the key-capture dialog on the row's key;
// when it ends with OK the key is written into the row's section of the shortcut file at
// once. The page then shows every row's key afresh. The three pages differ only in their
// rows (CNoteKeyPage, CDurationKeyPage, CPitchKeyPage).
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/dialogs/data_folder.h"
#include "app/settings/shortcut_file.h"
#include "platform/dialog_base.h"

namespace brindle {

class CShortcutKeyPage : public platform::DialogBase {
    Q_OBJECT

public:
    struct Row {
        std::u16string_view label;
        std::u16string_view section;
        ShortcutKey (ShortcutFile::*get)() const;
        bool (ShortcutFile::*set)(const ShortcutKey&);
    };

    // Control ids of row i: its key text and its "..." button.
    static constexpr int kIdFirstKeyText = 1001;
    static constexpr int kIdFirstButton = 1101;

    // Where the shortcut file is found; by default the program's own settings.
    void SetDataFolder(DataFolder folder) { folder_ = std::move(folder); }
    // Called after each key the page wrote into the shortcut file.
    void SetWrittenCallback(std::function<void()> callback) { written_ = std::move(callback); }

    // Makes the page a child window of `container` and initialises it: the shortcut file
    // is looked up and every row shows its key.
    void CreatePage(QWidget* container);

    std::span<const Row> Rows() const { return rows_; }
    // The key text row `row` shows (empty for a row that is not there).
    std::u16string RowText(int row) const;
    // What the row's "..." button does.
    void EditRow(int row);

protected:
    CShortcutKeyPage(int templateId, std::span<const Row> rows, QWidget* parent);

    void DoDataExchange(platform::DataExchange& dx) override;
    bool OnInitDialog() override;
    // Enter and Escape inside the page belong to the dialog around it.
    void OnOK() override;
    void OnCancel() override;

private:
    void Refresh();

    std::span<const Row> rows_;
    // The program's own settings unless the caller gave others.
    DataFolder folder_ = DataFolder::Program();
    ShortcutFile file_;
    std::vector<std::u16string> texts_;
    std::function<void()> written_;
};

}  // namespace brindle
