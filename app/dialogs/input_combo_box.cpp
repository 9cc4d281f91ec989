#include "app/dialogs/input_combo_box.h"

#include "app/dialogs/edit_list_ctrl.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

namespace brindle {

CInputComboBox::CInputComboBox(CEditListCtrl& list) : QComboBox(list.viewport()), CCellEditSession(list)
{
    hide();
    setEditable(false);
}

void CInputComboBox::Begin(int row, int column, std::vector<std::u16string> choices, std::u16string text,
                           const QRect& cell, int droppedRows, bool scrollBar)
{
    BeginSession(row, column, std::move(text));
    choices_ = std::move(choices);
    clear();
    for (const std::u16string& choice : choices_)
        addItem(QString::fromStdU16String(choice));
    setCurrentIndex(-1);
    setMaxVisibleItems(std::max(1, droppedRows));
    view()->setVerticalScrollBarPolicy(scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setFont(list_.font());
    setGeometry(cell);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void CInputComboBox::Finish()
{
    list_.setFocus(Qt::OtherFocusReason);
    if (editing_)
        End();
}

void CInputComboBox::hidePopup()
{
    QComboBox::hidePopup();
    if (!editing_)
        return;
    // The choice clicked becomes the current one only after the list has closed.
    const unsigned generation = generation_;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (editing_ && generation == generation_)
                Finish();
        },
        Qt::QueuedConnection);
}

void CInputComboBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        event->accept();
        if (key == Qt::Key_Escape)
            cancelled_ = true;
        Finish();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CInputComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // Dropping the list hands the focus to it for a while; closing it ends the edit.
    if (!editing_ || event->reason() == Qt::PopupFocusReason || view()->window()->isVisible())
        return;
    End();
}

void CInputComboBox::End()
{
    // Without a choice the cell keeps what it had rather than going blank.
    const std::u16string chosen = currentText().toStdU16String();
    EndSession(*this, currentIndex() < 0 ? nullptr : &chosen);
}

}  // namespace brindle
