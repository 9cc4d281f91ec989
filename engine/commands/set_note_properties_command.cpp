#include "engine/commands/set_note_properties_command.h"

#include "engine/model/note.h"

namespace quaverly {

NoteInputValues SetNotePropertiesCommand::ValuesOf(const Note& note)
{
    return {note.GetPitchCode(), note.GetOctave(), note.GetDots(), note.GetDuration(),
            note.GetAccidental()};
}

void SetNotePropertiesCommand::Apply(Note& note, const NoteInputValues& values)
{
    note.SetPitchCode(values.pitch);
    note.SetOctave(values.octave);
    note.SetDuration(values.duration);
    note.SetDots(values.dots);
    note.SetAccidental(values.accidental);
}

void SetNotePropertiesCommand::Do()
{
    if (note_ != nullptr) {
        Apply(*note_, new_);
    }
}

void SetNotePropertiesCommand::Undo()
{
    if (note_ != nullptr) {
        Apply(*note_, old_);
    }
}

}  // namespace quaverly
