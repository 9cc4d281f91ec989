#include "engine/commands/do_step_command.h"

#include <utility>

namespace quaverly {

DoStepCommand::DoStepCommand(CommandPtr target) : target_(std::move(target)) {}

void DoStepCommand::Do()
{
    if (!target_)
        return;
    target_->SetPainter(Painter());
    target_->Do();
}

void DoStepCommand::Undo() {}

}  // namespace quaverly
