// Makes a tuplet that starts at a note of a bar, and its removal form.
#pragma once

#include <memory>
#include <vector>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"
#include "engine/editor/score_editor.h"

namespace quaverly {

class Bar;
class Note;
class Tuplet;

class MakeTupletCommand : public EditCommand {
public:
    explicit MakeTupletCommand(ScoreEditor* editor);

    void SetCursor(const CursorPosition& cursor) { cursor_ = cursor; }
    void SetBar(std::shared_ptr<Bar> bar) { bar_ = std::move(bar); }
    void SetFirstNote(std::shared_ptr<Note> note) { firstNote_ = std::move(note); }
    // The tuplet the command made (counts 0 and 0 until the builder sets them), or the
    // one a removal takes away.
    void SetTuplet(std::shared_ptr<Tuplet> tuplet) { tuplet_ = std::move(tuplet); }
    const std::shared_ptr<Tuplet>& GetTuplet() const { return tuplet_; }

    // Anchors the tuplet at its first note, adds it to the bar and lays the bar out.
    void Do() override;
    // Empties the tuplet's note list, takes it out of the bar and lays the bar out.
    void Undo() override;

private:
    void LayoutBar();

    ScoreEditor* editor_;
    CursorPosition cursor_;
    std::shared_ptr<Bar> bar_;
    std::shared_ptr<Note> firstNote_;
    std::shared_ptr<Tuplet> tuplet_;
    std::vector<std::shared_ptr<Note>> furtherNotes_;  // held while the tuplet is out
};

using RemoveTupletCommand = InverseCommand<MakeTupletCommand>;

}  // namespace quaverly
