// The drop-down list of choices an editable list opens over a cell of a choice column.
// Enter ends the edit, Escape ends it with the cell's old text, and so does closing the
// dropped list (with the choice made) or losing the focus. With no choice selected the
// cell keeps its text.
#pragma once

#include "app/dialogs/cell_edit_session.h"

#include <QComboBox>

#include <string>
#include <vector>

namespace brindle {

class CInputComboBox : public QComboBox, public CCellEditSession {
    Q_OBJECT

public:
    explicit CInputComboBox(CEditListCtrl& list);

    // Opens over `cell` (viewport coordinates of the list) with the choices; the dropped
    // list shows up to `droppedRows` rows.
    void Begin(int row, int column, std::vector<std::u16string> choices, std::u16string text, const QRect& cell,
               int droppedRows, bool scrollBar);
    // Ends the edit: the focus goes back to the list, which takes the text.
    void Finish();

    const std::vector<std::u16string>& Choices() const { return choices_; }

    void hidePopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void End();

    std::vector<std::u16string> choices_;
};

}  // namespace brindle
