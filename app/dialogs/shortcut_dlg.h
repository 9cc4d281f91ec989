// "快捷键": the user redefines the keys of note entry. A list names three categories
// (notes, durations, pitch); beside it the page of the selected category shows each
// command's key with a "..." button that opens the key-capture dialog. Each key is
// written into the shortcut file as soon as it is captured; closing the dialog writes
// nothing and undoes nothing.
//
// What the caller must do afterwards: rebuild its key table from the shortcut file when
// IsShortcutFileWritten() is true. DoModal gives OK whenever a key was written, however the
// dialog was closed (OK button, close box or Escape), so `DoModal() == IDOK` is the same
// test; the flag also covers a window that was closed in some other way.
#pragma once

#include <QPointer>

#include <string>
#include <vector>

#include "app/dialogs/data_folder.h"
#include "app/dialogs/shortcut_key_page.h"
#include "platform/dialog_base.h"

namespace brindle {

class CShortcutDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 246;
    static constexpr int kIdCategoryList = 1127;
    static constexpr int kIdPagePlace = 1142;

    struct PageEntry {
        std::u16string category;
        QPointer<CShortcutKeyPage> page;  // owned by the dialog's window; cleared when it goes
        int templateId = 0;
    };

    explicit CShortcutDlg(QWidget* parent = nullptr);

    // Where the shortcut file is found; by default the program's own settings. Before
    // DoModal.
    void SetDataFolder(const DataFolder& folder);

    const std::vector<PageEntry>& Pages() const { return pages_; }
    // True once a key was written into the shortcut file during this dialog's run.
    bool IsShortcutFileWritten() const { return written_; }

protected:
    void DoDataExchange(platform::DataExchange& dx) override;
    bool OnInitDialog() override;
    // The close box and Escape: ends with OK when a key was written, so the caller's key
    // table follows the file.
    void OnCancel() override;

private:
    void ShowSelectedPage();

    std::vector<PageEntry> pages_;
    bool written_ = false;
};

}  // namespace brindle
