// The dialog service on Qt's own dialogs: what the program uses when it runs for a user.
#pragma once

#include <string_view>

#include "platform/dialog_service.h"

namespace platform {

// The text of a message box's button for its answer (kIdOk, kIdCancel, kIdYes, kIdNo),
// in Chinese; empty for other answers.
std::u16string_view StandardButtonText(int answer);

class QtDialogService : public DialogService {
public:
    int MessageBox(QWidget* parent, std::u16string_view text, std::u16string_view caption, unsigned type) override;
    bool ChooseFont(FontDialogRequest& request) override;
    int RunModal(DialogBase& dialog) override;

protected:
    bool AskFileName(FileDialogRequest& request) override;
};

}  // namespace platform
