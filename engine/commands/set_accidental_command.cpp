#include "engine/commands/set_accidental_command.h"

#include "engine/model/note.h"

namespace quaverly {

SetAccidentalCommand::SetAccidentalCommand() = default;
SetAccidentalCommand::~SetAccidentalCommand() = default;

void SetAccidentalCommand::Do()
{
    if (note_)
        note_->SetAccidental(newValue_);
}

void SetAccidentalCommand::Undo()
{
    if (note_)
        note_->SetAccidental(oldValue_);
}

}  // namespace quaverly
