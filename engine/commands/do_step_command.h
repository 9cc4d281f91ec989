// A step that runs only its target's Do with its own painter: what a redo queues, and
// how the whole-document operations queue each of their commands. Its own Undo does
// nothing.
#pragma once

#include <memory>

#include "engine/commands/edit_command.h"

namespace quaverly {

class DoStepCommand : public EditCommand {
public:
    explicit DoStepCommand(CommandPtr target);

    void Do() override;
    void Undo() override;

    const CommandPtr& GetTarget() const { return target_; }

private:
    CommandPtr target_;
};

}  // namespace quaverly
