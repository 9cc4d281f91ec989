#include "app/dialogs/input_edit.h"

#include "app/dialogs/beep_service.h"
#include "app/dialogs/edit_list_ctrl.h"
#include "app/dialogs/typed_character.h"
#include "platform/dialog_service.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

#include <algorithm>

namespace brindle {

CInputEdit::CInputEdit(CEditListCtrl& list) : QLineEdit(list.viewport()), CCellEditSession(list)
{
    hide();
    setFrame(false);
    connect(this, &QLineEdit::textChanged, this, [this] { OnTextChanged(); });
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { OnTextEdited(text); });
}

void CInputEdit::Begin(int row, int column, std::u16string allowed, std::u16string text, const QRect& cell)
{
    BeginSession(row, column, std::move(text));
    allowed_ = std::move(allowed);
    setFont(list_.font());
    setGeometry(cell);
    setText(QString::fromStdU16String(InitialText()));
    show();
    raise();
    selectAll();
    setFocus(Qt::OtherFocusReason);
}

void CInputEdit::Finish()
{
    list_.setFocus(Qt::OtherFocusReason);
    // The focus does not move while the dialog is not the active window.
    if (editing_)
        End();
}

bool CInputEdit::Allowed(char16_t c) const
{
    return c == kCharBackspace || c == kCharCopy || c == kCharPaste || c == kCharCut || allowed_.empty() ||
           allowed_.find(c) != std::u16string::npos;
}

void CInputEdit::Paste()
{
    if (!allowed_.empty()) {
        const std::u16string clip = QGuiApplication::clipboard()->text().toStdU16String();
        if (!std::all_of(clip.begin(), clip.end(), [this](char16_t c) { return Allowed(c); }))
            return;
    }
    paste();
}

void CInputEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        // Ours, not the dialog's: Enter must not press the default button.
        event->accept();
        if (key == Qt::Key_Escape)
            cancelled_ = true;
        Finish();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        Paste();
        return;
    }
    const std::u16string typed = TypedCharacters(*event);
    if (!std::all_of(typed.begin(), typed.end(), [this](char16_t c) { return Allowed(c); })) {
        event->accept();
        BeepService::Current().Beep(platform::kMbIconExclamation);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CInputEdit::OnTextChanged()
{
    previousText_ = currentText_;
    currentText_ = text();
}

void CInputEdit::OnTextEdited(const QString& edited)
{
    // Text that came in past the key filter (the context menu's Paste, a drop, the middle
    // button) must be made of allowed characters too.
    if (allowed_.empty())
        return;
    const QString before = currentText_ == edited ? previousText_ : currentText_;
    qsizetype prefix = 0;
    while (prefix < before.size() && prefix < edited.size() && before[prefix] == edited[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < before.size() - prefix && suffix < edited.size() - prefix &&
           before[before.size() - 1 - suffix] == edited[edited.size() - 1 - suffix])
        ++suffix;
    const QString inserted = edited.mid(prefix, edited.size() - prefix - suffix);
    if (std::all_of(inserted.begin(), inserted.end(), [this](QChar c) { return Allowed(c.unicode()); }))
        return;
    setText(before);
    setCursorPosition(static_cast<int>(prefix));
}

void CInputEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A context menu of our own takes the focus only for a moment.
    if (!editing_ || event->reason() == Qt::PopupFocusReason)
        return;
    End();
}

void CInputEdit::End()
{
    const std::u16string edited = text().toStdU16String();
    EndSession(*this, &edited);
}

}  // namespace brindle
