// Puts a note into its bar and lays the bar out; its removal form takes it out.
//
// A note that leaves its bar takes with it the tuplets that start at it and the ties
// that start at it, and the ties that end at it lose their end. That clean-up happens
// here, inside the command and reversibly, before the note is told it is going away: a
// clean-up left to the elements on the way up would queue removals of its own while the
// queue runs, outside this undo step, and undo could never bring the tie or tuplet back.
#pragma once

#include <memory>
#include <vector>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"
#include "engine/model/tie.h"

namespace quaverly {

class Bar;
class Note;
class Part;
class ScoreEditor;
class Tuplet;

class InsertNoteCommand : public EditCommand {
public:
    explicit InsertNoteCommand(ScoreEditor* editor) : editor_(editor) {}

    void SetNote(std::shared_ptr<Note> note) { note_ = std::move(note); }
    // The bar's score-wide index, for the layout (-1: no layout); the bar itself.
    void SetBarIndex(int barIndex) { barIndex_ = barIndex; }
    void SetBar(std::shared_ptr<Bar> bar) { bar_ = std::move(bar); }
    const std::shared_ptr<Note>& GetNote() const { return note_; }
    const std::shared_ptr<Bar>& GetBar() const { return bar_; }

    // Adds the note in start-time order, puts back what its removal took with it, and
    // lays the bar out.
    void Do() override;
    // Takes the tuplets and ties off the note, sends it 1029, takes it out of its bar
    // and lays the bar out.
    void Undo() override;

private:
    struct CutTie {
        std::shared_ptr<Tie> tie;
        NoteAnchor start;
        NoteAnchor end;
        bool removed = false;  // taken out of the part (it started at the note)
    };

    void DetachTiesAndTuplets();
    void ReattachTiesAndTuplets();
    void Relayout();

    ScoreEditor* editor_;
    std::shared_ptr<Note> note_;
    std::shared_ptr<Bar> bar_;
    int barIndex_ = -1;
    int removedAt_ = -1;  // the note's place in its bar while it is out
    std::shared_ptr<Part> part_;  // the part that held the note's ties while it was out
    std::vector<std::shared_ptr<Tuplet>> tuplets_;
    std::vector<CutTie> ties_;
};

using RemoveNoteCommand = InverseCommand<InsertNoteCommand>;

}  // namespace quaverly
