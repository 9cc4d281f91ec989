// The ordinary group: one undo step made of several commands. Do runs the children
// first to last, and so does Undo (the same order, not reversed).
//
// A group counts as transient when its own flag is set, or when it has children and all
// of them are transient (cursor moves, selection): such a group only runs and never
// becomes an undo step.
#pragma once

#include "engine/commands/edit_command.h"

namespace quaverly {

class CommandGroup : public EditCommand {
public:
    bool IsTransient() const override;
    void Do() override;
    void Undo() override;
    // When every child does.
    bool KeepsToReportedLines() const override;
};

}  // namespace quaverly
