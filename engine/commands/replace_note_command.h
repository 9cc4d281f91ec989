// Puts another note object in the place of a bar's note and back. A rest, a scale degree
// and an unpitched symbol are notes of different classes, so a pitch change from one
// kind to another replaces the element rather than its pitch code.
//
// The replacement starts where the old note started. Tuplets that start at the old note
// start at the new one. Ties of the old note move to the new one, unless the new note is
// a rest: then they are taken out of the part, and put back when the rest gives way to
// the note again. A selected note's selection goes with the swap. Both notes are kept,
// so undo and redo swap the same two objects.
#pragma once

#include <memory>
#include <vector>

#include "engine/commands/edit_command.h"
#include "engine/model/tie.h"

namespace quaverly {

class Bar;
class Note;
class Part;

// A note of the pitch code's class carrying the old note's values, tuplet counts, style,
// lyrics, marks and symbols, and, unless it is a rest, its grace and chord notes; empty
// for a code that makes no note.
std::shared_ptr<Note> MakeReplacementNote(const Note& old, int pitchCode);

class ReplaceNoteCommand final : public EditCommand {
public:
    void SetBar(std::shared_ptr<Bar> bar) { bar_ = std::move(bar); }
    // The part whose ties may name the note.
    void SetPart(std::shared_ptr<Part> part) { part_ = std::move(part); }
    void SetOldNote(std::shared_ptr<Note> note) { old_ = std::move(note); }
    void SetNewNote(std::shared_ptr<Note> note) { new_ = std::move(note); }

    void Do() override { Swap(old_, new_); }
    void Undo() override { Swap(new_, old_); }

private:
    struct HeldTie {
        std::shared_ptr<Tie> tie;
        NoteAnchor start;
        NoteAnchor end;
    };

    void Swap(const std::shared_ptr<Note>& from, const std::shared_ptr<Note>& to);
    void MoveTies(const std::shared_ptr<Note>& from, const std::shared_ptr<Note>& to);

    std::shared_ptr<Bar> bar_;
    std::shared_ptr<Part> part_;
    std::shared_ptr<Note> old_;
    std::shared_ptr<Note> new_;
    std::vector<HeldTie> heldTies_;  // taken out while a rest stands in the note's place
};

}  // namespace quaverly
