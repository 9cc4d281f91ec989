// Sets a note's five input properties (pitch, octave, dots, base duration, accidental)
// and back. The note is held by a plain pointer: the builder keeps it alive through the
// bar it belongs to.
#pragma once

#include "engine/commands/edit_command.h"

namespace quaverly {

class Note;

struct NoteInputValues {
    int pitch = 0;
    int octave = 0;
    int dots = 0;
    int duration = 0;
    int accidental = 0;
    friend bool operator==(const NoteInputValues&, const NoteInputValues&) = default;
};

class SetNotePropertiesCommand : public EditCommand {
public:
    void SetNote(Note* note) { note_ = note; }
    void SetOldValues(const NoteInputValues& values) { old_ = values; }
    void SetNewValues(const NoteInputValues& values) { new_ = values; }

    // The values a note has now.
    static NoteInputValues ValuesOf(const Note& note);
    // Pitch, octave, base duration, dots, accidental, in that order: the dots depend on
    // the base duration.
    static void Apply(Note& note, const NoteInputValues& values);

    void Do() override;
    void Undo() override;

private:
    Note* note_ = nullptr;
    NoteInputValues old_;
    NoteInputValues new_;
};

}  // namespace quaverly
