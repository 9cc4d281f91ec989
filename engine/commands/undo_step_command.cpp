#include "engine/commands/undo_step_command.h"

#include <utility>

namespace quaverly {

UndoStepCommand::UndoStepCommand(CommandPtr target) : target_(std::move(target)) {}

void UndoStepCommand::Do()
{
    if (!target_)
        return;
    target_->SetPainter(Painter());
    target_->Undo();
}

void UndoStepCommand::Undo() {}

}  // namespace quaverly
