// Changes one field of one note and back. The note operations build one per selected
// note, with the note's current value of that field as the old value. Each field is a
// small traits struct whose Set stores the value on the note; the commands for pitch,
// octave, dots, value and accidental are aliases of this one template.
#pragma once

#include <memory>

#include "engine/commands/edit_command.h"

namespace quaverly {

class Note;

struct PitchField {
    static void Set(Note& note, int value);
};
struct OctaveField {
    static void Set(Note& note, int value);
};
struct DotsField {
    static void Set(Note& note, int value);
};
struct NoteValueField {
    static void Set(Note& note, int value);
};
struct AccidentalField {
    static void Set(Note& note, int value);
};

template <class Field>
class SetNoteFieldCommand : public EditCommand {
public:
    void SetOldValue(int value) { oldValue_ = value; }
    void SetNewValue(int value) { newValue_ = value; }
    void SetNote(std::shared_ptr<Note> note) { note_ = std::move(note); }

    void Do() override
    {
        if (note_)
            Field::Set(*note_, newValue_);
    }
    void Undo() override
    {
        if (note_)
            Field::Set(*note_, oldValue_);
    }

private:
    int oldValue_ = 0;
    int newValue_ = 0;
    std::shared_ptr<Note> note_;
};

using SetPitchCommand = SetNoteFieldCommand<PitchField>;
using SetOctaveCommand = SetNoteFieldCommand<OctaveField>;
using SetDotsCommand = SetNoteFieldCommand<DotsField>;
using SetNoteValueCommand = SetNoteFieldCommand<NoteValueField>;
using SetAccidentalCommand = SetNoteFieldCommand<AccidentalField>;

}  // namespace quaverly
