#include "engine/commands/set_dots_command.h"

#include "engine/model/note.h"

namespace quaverly {

SetDotsCommand::SetDotsCommand() = default;
SetDotsCommand::~SetDotsCommand() = default;

void SetDotsCommand::Do()
{
    if (note_)
        note_->SetDots(newValue_);
}

void SetDotsCommand::Undo()
{
    if (note_)
        note_->SetDots(oldValue_);
}

}  // namespace quaverly
