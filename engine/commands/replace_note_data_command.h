// Gives a note another shared size style (normal, chord or grace) and back. The note
// hands the style on to its dots and accidental sign.
#pragma once

#include <memory>
#include <utility>

#include "engine/commands/edit_command.h"

namespace quaverly {

class Note;
class NoteStyle;

class ReplaceNoteDataCommand : public EditCommand {
public:
    void SetNote(std::shared_ptr<Note> note) { note_ = std::move(note); }
    void SetOldStyle(std::shared_ptr<const NoteStyle> style) { oldStyle_ = std::move(style); }
    void SetNewStyle(std::shared_ptr<const NoteStyle> style) { newStyle_ = std::move(style); }

    void Do() override;
    void Undo() override;

private:
    std::shared_ptr<Note> note_;
    std::shared_ptr<const NoteStyle> oldStyle_;
    std::shared_ptr<const NoteStyle> newStyle_;
};

}  // namespace quaverly
