// Changes the octave of one note and back. The note operations build one per selected
// note, with the note's current octave as the old value.
#pragma once

#include <memory>

#include "engine/commands/edit_command.h"

namespace quaverly {

class Note;

class SetOctaveCommand : public EditCommand {
public:
    SetOctaveCommand();
    ~SetOctaveCommand() override;

    void SetOldValue(int value) { oldValue_ = value; }
    void SetNewValue(int value) { newValue_ = value; }
    void SetNote(std::shared_ptr<Note> note) { note_ = std::move(note); }

    void Do() override;
    void Undo() override;

private:
    int oldValue_ = 0;
    int newValue_ = 0;
    std::shared_ptr<Note> note_;
};

}  // namespace quaverly
