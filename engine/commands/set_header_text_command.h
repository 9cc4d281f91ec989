// Deleting a header text: Do blanks the text and drops the user's drag offset, Undo
// puts back the text and offset it had when it was deleted. The header text elements
// live as long as the score, so deletion empties rather than removes.
#pragma once

#include <memory>
#include <string>

#include "engine/commands/edit_command.h"
#include "engine/model/layout_types.h"

namespace quaverly {

class HeaderText;

class SetHeaderTextCommand : public EditCommand {
public:
    SetHeaderTextCommand();
    ~SetHeaderTextCommand() override;

    void SetSavedText(std::u16string text) { savedText_ = std::move(text); }
    void SetSavedOffset(Point offset) { savedOffset_ = offset; }
    void SetElement(std::shared_ptr<HeaderText> element) { element_ = std::move(element); }

    void Do() override;
    void Undo() override;

private:
    std::u16string savedText_;
    Point savedOffset_;
    std::shared_ptr<HeaderText> element_;
};

}  // namespace quaverly
