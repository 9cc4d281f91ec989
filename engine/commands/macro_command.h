// A group whose Undo runs backwards: Do runs the children first to last, Undo last to
// first. Used for key input, paste and the reverse groups that elements may open.
//
// Like CommandGroup it counts as transient when its flag is set or when all of its
// children are transient.
#pragma once

#include "engine/commands/edit_command.h"

namespace quaverly {

class MacroCommand : public EditCommand {
public:
    bool IsTransient() const override;
    void Do() override;
    void Undo() override;
};

}  // namespace quaverly
