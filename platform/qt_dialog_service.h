// The dialog service on Qt's own dialogs: what the program uses when it runs for a user.
#pragma once

#include "platform/dialog_service.h"

namespace platform {

class QtDialogService : public DialogService {
public:
    int MessageBox(QWidget* parent, std::u16string_view text, std::u16string_view caption, unsigned type) override;
    bool ChooseFont(FontDialogRequest& request) override;
    int RunModal(DialogBase& dialog) override;

protected:
    bool AskFileName(FileDialogRequest& request) override;
};

}  // namespace platform
