// A list in report view (rows of cells under a header) whose cells the user edits in
// place. A click on a cell of the focused row opens a text box (CInputEdit) over the cell,
// or for a choice column a drop-down list (CInputComboBox) whose choices the owner dialog
// supplies (kMsgListColumnChoices); read-only columns never open. When the editor goes
// (Enter, Escape, a click elsewhere, a scroll of the list) the cell takes the text, the old
// one after Escape, and the owner hears of it (kMsgListCellEdited). Shift- and Ctrl-clicks
// only select. The owner is the nearest dialog the list lies in; the list's id is its
// control id there.
//
// Nothing opens without the label-editing style (SetLabelEditing). Qt's own item editing
// is off: cells change only through these editors and SetItemText.
#pragma once

#include "app/dialogs/list_cell_edit.h"

#include <QTreeWidget>

#include <string>
#include <string_view>
#include <vector>

namespace platform {
class DialogBase;
}

namespace brindle {

class CInputComboBox;
class CInputEdit;

class CEditListCtrl : public QTreeWidget {
    Q_OBJECT

public:
    // Columns narrower than this never open a choice editor.
    static constexpr int kMinChoiceWidth = 10;

    explicit CEditListCtrl(QWidget* parent = nullptr);
    ~CEditListCtrl() override;

    // Adding a column present, or removing one absent, does nothing.
    void SetChoiceColumn(int column, bool on);
    void SetReadOnlyColumn(int column, bool on);
    bool IsChoiceColumn(int column) const;
    bool IsReadOnlyColumn(int column) const;
    // The vertical scroll bar of the choice editor's dropped list; off at first.
    void SetChoiceScrollBar(bool on) { choiceScrollBar_ = on; }
    bool ChoiceScrollBar() const { return choiceScrollBar_; }
    // The characters the text editor takes; empty (the default) for any.
    void SetAllowedChars(std::u16string chars) { allowed_ = std::move(chars); }
    const std::u16string& AllowedChars() const { return allowed_; }
    void SetLabelEditing(bool on) { labelEditing_ = on; }
    bool LabelEditing() const { return labelEditing_; }

    // The cell under a point of the viewport. Column edges belong to both neighbours; the
    // left one wins.
    bool HitTestCell(const QPoint& point, int& row, int& column) const;
    // The cell's rectangle in viewport coordinates after scrolling the list sideways so
    // that the column shows (its left edge when it lay outside, else as much as it
    // overhangs the right edge), cut at the viewport's right edge. Empty for a cell that
    // does not exist.
    QRect GetCellRect(int column, int row);
    // Opens the text editor over the cell.
    void EditCell(int row, int column, const std::u16string& text);
    // Opens the choice editor over the cell with choice `selection` selected (-1 none).
    void EditCellChoice(int row, int column, const std::vector<std::u16string>& choices, const std::u16string& text,
                        int selection);

    // The list-control operations dialogs use.
    int InsertColumn(int column, std::u16string_view heading, Qt::Alignment alignment, int width);
    // Inserts a row (at the end for a row past it); returns its index.
    int InsertItem(int row, std::u16string_view text);
    bool SetItemText(int row, int column, std::u16string_view text);
    std::u16string GetItemText(int row, int column) const;
    int GetItemCount() const { return topLevelItemCount(); }
    int GetColumnCount() const { return columnCount(); }
    void DeleteAllItems();
    // The row that holds the focus; -1 for none.
    int FocusedRow() const;
    void SetFocusedRow(int row);
    // Selected rows, top to bottom.
    std::vector<int> SelectedRows() const;

    // The editors, made the first time they are needed (null until then).
    CInputEdit* TextEditor() const { return textEditor_; }
    CInputComboBox* ChoiceEditor() const { return choiceEditor_; }
    bool IsEditing() const;

    // An editor's edit ended: the cell takes the text and the owner is told. Cells of rows
    // that no longer exist are neither written nor reported.
    void EndCellEdit(const ListCellEdit& record);

    // The first choice beginning with `text`, ignoring case; -1 for none.
    static int FindChoice(const std::vector<std::u16string>& choices, std::u16string_view text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    platform::DialogBase* Owner() const;
    QRect RowBounds(int row) const;
    int ColumnLeft(int column) const;

    std::vector<int> choiceColumns_;
    std::vector<int> readOnlyColumns_;
    std::u16string allowed_;
    bool choiceScrollBar_ = false;
    bool labelEditing_ = false;
    CInputEdit* textEditor_ = nullptr;
    CInputComboBox* choiceEditor_ = nullptr;
};

}  // namespace brindle
