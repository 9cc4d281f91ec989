// What the editors an editable list opens over a cell (the text box and the drop-down
// list) keep of the edit under way: the cell, the text it had, whether the edit was
// cancelled, and how the edit is handed back to the list when it ends.
#pragma once

#include <string>

class QWidget;

namespace brindle {

class CEditListCtrl;

class CCellEditSession {
public:
    // Leaves the edit without telling anyone (the list is going).
    void Abandon() { editing_ = false; }

    bool IsEditing() const { return editing_; }
    int Row() const { return row_; }
    int Column() const { return column_; }
    bool IsCancelled() const { return cancelled_; }
    const std::u16string& InitialText() const { return initialText_; }

protected:
    explicit CCellEditSession(CEditListCtrl& list) : list_(list) {}
    ~CCellEditSession() = default;

    // A new edit of the cell at `row`, `column`, which holds `text`.
    void BeginSession(int row, int column, std::u16string text);
    // Hands the list the edited text (the cell's old text when cancelled or when `edited`
    // is null), then hides `editor` once the events under way are done, unless a new edit
    // has begun by then.
    void EndSession(QWidget& editor, const std::u16string* edited);

    CEditListCtrl& list_;
    bool cancelled_ = false;
    bool editing_ = false;
    // Counts the edits begun, so that what was posted for one edit leaves a later one alone.
    unsigned generation_ = 0;

private:
    int row_ = -1;
    int column_ = -1;
    std::u16string initialText_;
};

}  // namespace brindle
