#include "engine/commands/set_note_field_command.h"

#include "engine/model/note.h"

namespace quaverly {

void PitchField::Set(Note& note, int value) { note.SetPitchCode(value); }
void OctaveField::Set(Note& note, int value) { note.SetOctave(value); }
void DotsField::Set(Note& note, int value) { note.SetDots(value); }
void NoteValueField::Set(Note& note, int value) { note.SetDuration(value); }
void AccidentalField::Set(Note& note, int value) { note.SetAccidental(value); }

}  // namespace quaverly
