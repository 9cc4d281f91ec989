// The paper fields the page set-up dialog and the wizard's paper page both show: a list
// of the papers of the page-size file, whole millimetres in edits with spin buttons, the
// orientation, and the refusal of a paper that cannot be laid out on.
#pragma once

#include "app/dialogs/data_folder.h"
#include "app/settings/page_info.h"

#include <vector>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QWidget;

namespace platform {
class DataExchange;
class DialogBase;
}  // namespace platform

namespace brindle {

// The edits a refused paper sends the focus to.
struct PaperFieldIds {
    int width;
    int height;
    int left;
    int top;
};

// A number edit and its spin buttons in row `row` of `grid`: the label in `column` (left
// out when empty), the edit and the spin in the two columns after it, registered with
// the dialog under `editId` and `spinId`.
void AddNumberField(platform::DialogBase& dialog, QGridLayout* grid, int row, int column,
                    const char16_t* label, int editId, int spinId, QWidget* parent);

// Exchanges a whole number held within minimum .. maximum, checked as the edit shows it.
void ExchangeNumberField(platform::DataExchange& dx, int id, int& value, int minimum, int maximum);

// The group of the portrait and landscape buttons, registered under the two ids.
QGroupBox* AddOrientationBox(platform::DialogBase& dialog, int portraitId, int landscapeId,
                             QWidget* parent);

// Fills `papers` and `list` with the papers of the page-size file, in the file's order
// (both emptied first). Returns the index of the last paper marked default, 0 when none is.
int LoadPaperList(const DataFolder& folder, std::vector<PageInfo>& papers, QComboBox& list);

// True when the paper can be laid out on; otherwise tells the user what is wrong with it
// and puts the focus on the field at fault.
bool AcceptPaper(platform::DialogBase& dialog, const PageInfo& paper, const PaperFieldIds& ids);

}  // namespace brindle
