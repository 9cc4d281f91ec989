#include "app/dialogs/cell_edit_session.h"

#include "app/dialogs/edit_list_ctrl.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

namespace brindle {

void CCellEditSession::BeginSession(int row, int column, std::u16string text)
{
    row_ = row;
    column_ = column;
    initialText_ = std::move(text);
    cancelled_ = false;
    editing_ = true;
    ++generation_;
}

void CCellEditSession::EndSession(QWidget& editor, const std::u16string* edited)
{
    editing_ = false;
    ListCellEdit record;
    record.from = &list_;
    record.row = row_;
    record.column = column_;
    record.text = cancelled_ || edited == nullptr ? initialText_ : *edited;
    const unsigned generation = generation_;
    list_.EndCellEdit(record);
    // Closed later, as a posted close would; a new edit begun meanwhile keeps it open.
    QMetaObject::invokeMethod(
        &editor,
        [this, &editor, generation] {
            if (!editing_ && generation == generation_)
                editor.hide();
        },
        Qt::QueuedConnection);
}

}  // namespace brindle
