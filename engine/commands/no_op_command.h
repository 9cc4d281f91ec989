// A command that does nothing either way. Recorded irreversibly after a structural edit,
// it empties the undo and redo stacks behind that edit.
#pragma once

#include "engine/commands/edit_command.h"

namespace quaverly {

class NoOpCommand final : public EditCommand {
public:
    void Do() override {}
    void Undo() override {}
};

}  // namespace quaverly
