#include "engine/commands/set_octave_command.h"

#include "engine/model/note.h"

namespace quaverly {

SetOctaveCommand::SetOctaveCommand() = default;
SetOctaveCommand::~SetOctaveCommand() = default;

void SetOctaveCommand::Do()
{
    if (note_)
        note_->SetOctave(newValue_);
}

void SetOctaveCommand::Undo()
{
    if (note_)
        note_->SetOctave(oldValue_);
}

}  // namespace quaverly
