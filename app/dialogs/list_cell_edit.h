// What an editable list tells its owner: the messages it sends and the record of an ended
// cell edit.
#pragma once

#include "platform/window_message.h"

#include <string>
#include <vector>

class QWidget;

namespace brindle {

// Before a choice editor opens: wParam the column, lParam a std::vector<std::u16string>*
// for the owner to fill with the column's choices (it arrives empty).
inline constexpr platform::MessageId kMsgListColumnChoices = 0x83FC;
// A cell was edited and already shows its new text: wParam the list's control id, lParam
// a const ListCellEdit*. Sent also when the edit was cancelled (with the old text).
inline constexpr platform::MessageId kMsgListCellEdited = 0x83FD;

using ChoiceList = std::vector<std::u16string>;

struct ListCellEdit {
    QWidget* from = nullptr;  // the list
    int row = -1;
    int column = -1;
    std::u16string text;
};

}  // namespace brindle
