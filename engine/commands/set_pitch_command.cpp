#include "engine/commands/set_pitch_command.h"

#include "engine/model/note.h"

namespace quaverly {

SetPitchCommand::SetPitchCommand() = default;
SetPitchCommand::~SetPitchCommand() = default;

void SetPitchCommand::Do()
{
    if (note_)
        note_->SetPitchCode(newValue_);
}

void SetPitchCommand::Undo()
{
    if (note_)
        note_->SetPitchCode(oldValue_);
}

}  // namespace quaverly
