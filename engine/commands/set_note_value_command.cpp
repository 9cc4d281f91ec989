#include "engine/commands/set_note_value_command.h"

#include "engine/model/note.h"

namespace quaverly {

SetNoteValueCommand::SetNoteValueCommand() = default;
SetNoteValueCommand::~SetNoteValueCommand() = default;

void SetNoteValueCommand::Do()
{
    if (note_)
        note_->SetDuration(newValue_);
}

void SetNoteValueCommand::Undo()
{
    if (note_)
        note_->SetDuration(oldValue_);
}

}  // namespace quaverly
