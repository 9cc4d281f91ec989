// The step that an undo queues: it runs its target's Undo with its own painter. Its own
// Undo does nothing.
#pragma once

#include <memory>

#include "engine/commands/edit_command.h"

namespace quaverly {

class UndoStepCommand : public EditCommand {
public:
    explicit UndoStepCommand(CommandPtr target);

    void Do() override;
    void Undo() override;

    const CommandPtr& GetTarget() const { return target_; }

private:
    CommandPtr target_;
};

}  // namespace quaverly
