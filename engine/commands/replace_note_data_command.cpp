#include "engine/commands/replace_note_data_command.h"

#include "engine/model/note.h"

namespace quaverly {

void ReplaceNoteDataCommand::Do()
{
    if (note_) {
        note_->SetStyle(newStyle_);
    }
}

void ReplaceNoteDataCommand::Undo()
{
    if (note_) {
        note_->SetStyle(oldStyle_);
    }
}

}  // namespace quaverly
