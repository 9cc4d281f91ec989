// The text box an editable list opens over a cell. Enter ends the edit, Escape ends it with
// the cell's old text; losing the focus ends it too. With allowed characters set, a typed
// character outside them is refused with a beep, and text pasted or dropped in must consist
// of allowed characters only; without them anything may be typed and pasted.
#pragma once

#include "app/dialogs/cell_edit_session.h"

#include <QLineEdit>

#include <string>

namespace brindle {

class CInputEdit : public QLineEdit, public CCellEditSession {
    Q_OBJECT

public:
    explicit CInputEdit(CEditListCtrl& list);

    // Opens over `cell` (viewport coordinates of the list) with `text` selected.
    void Begin(int row, int column, std::u16string allowed, std::u16string text, const QRect& cell);
    // Ends the edit: the focus goes back to the list, which takes the text.
    void Finish();

    const std::u16string& AllowedChars() const { return allowed_; }

    // Pastes the clipboard's text when every character of it is allowed.
    void Paste();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool Allowed(char16_t c) const;
    void OnTextChanged();
    void OnTextEdited(const QString& text);
    void End();

    std::u16string allowed_;
    QString previousText_;
    QString currentText_;
};

}  // namespace brindle
