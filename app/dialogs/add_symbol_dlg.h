// "添加符号": the library of the user's own symbols, shown in a symbol grid in file order.
// The user creates a symbol from any character of any outline font ("新建(&N)": the glyph
// chooser, then the symbol editor), edits its size, placement and offsets ("编辑(&E)"),
// deletes it ("删除(&D)", without asking) or gives it a shortcut key ("快捷键(&A)"), and
// picks the symbol to place (OK or a double click). Every change is written to the
// extend-symbol file at once and the library read back from it, so Cancel undoes
// nothing.
//
// Actions on the selected symbol act on the symbol highlighted on the page shown; with
// none highlighted they say so and change nothing. When the file cannot be written the
// user is told ("符号库保存失败！") and the library stays as the file has it.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "app/dialogs/data_folder.h"
#include "app/settings/extend_symbol.h"
#include "app/settings/extend_symbol_file.h"
#include "platform/dialog_base.h"

namespace brindle {

class CSymbolGridWnd;

class CAddSymbolDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 260;
    static constexpr int kIdGrid = 1280;
    static constexpr int kIdNew = 1281;
    static constexpr int kIdDelete = 1282;
    static constexpr int kIdEdit = 1283;
    static constexpr int kIdShortcut = 1284;
    static constexpr int kIdShortcutText = 1285;
    static constexpr int kGridColumns = 8;
    static constexpr int kGridRows = 5;
    // Edit, delete and shortcut with nothing selected.
    static constexpr std::u16string_view kMsgNoSelection = u"没有符号被选中！";
    // OK with nothing selected.
    static constexpr std::u16string_view kMsgNoSelectionOk = u"没有符号被选中!";
    static constexpr std::u16string_view kMsgWriteFailed = u"符号库保存失败！";
    static constexpr std::u16string_view kShortcutPrefix = u"快捷键: ";

    explicit CAddSymbolDlg(QWidget* parent = nullptr);

    // Where the settings are found; by default the program's own. Before DoModal.
    void SetDataFolder(DataFolder folder) { folder_ = std::move(folder); }

    // The symbol selected in the grid; an empty record when none is.
    ExtendSymbol GetSelectedSymbol() const;
    // True when a symbol was edited or deleted or given a shortcut while the dialog ran.
    bool IsLibraryModified() const { return modified_; }

    const std::vector<ExtendSymbol>& Symbols() const { return symbols_; }
    CSymbolGridWnd* Grid() const { return grid_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    const DataFolder& Location() const { return folder_; }
    void LoadLibrary();
    // The symbols from the grid's first index on into the cells, then `selection` selected.
    void FillCells(int selection);
    // Selects a symbol (none for -1), scrolling to it when it is not on the page.
    void Select(int item);
    // The highlighted symbol's index when it names one; -1 otherwise.
    int SelectedIndex() const;
    void UpdateShortcutText();
    void OnNew();
    void OnEdit();
    void OnDelete();
    void OnShortcut();

    DataFolder folder_ = DataFolder::Program();
    CSymbolGridWnd* grid_;
    ExtendSymbolFile file_;
    std::vector<ExtendSymbol> symbols_;
    bool modified_ = false;
    // The symbol the user picked last (-1 for none): it stays selected across scrolling.
    int choice_ = -1;
};

}  // namespace brindle
