// Ties two notes of a part, and its removal form.
//
// Undo empties the tie's anchors (which unlinks its notes), so the command keeps the
// end anchor it found: redo ties the same two notes again instead of leaving a tie with
// no end.
#pragma once

#include <memory>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"
#include "engine/editor/score_editor.h"
#include "engine/model/tie.h"

namespace quaverly {

class Part;

class AddTieCommand : public EditCommand {
public:
    explicit AddTieCommand(ScoreEditor* editor) : editor_(editor) {}

    void SetCursor(const CursorPosition& cursor) { cursor_ = cursor; }
    void SetTie(std::shared_ptr<Tie> tie) { tie_ = std::move(tie); }
    void SetStart(NoteAnchor start) { start_ = std::move(start); }
    void SetEnd(NoteAnchor end) { end_ = std::move(end); }
    void SetPart(std::shared_ptr<Part> part) { part_ = std::move(part); }

    void Do() override;
    void Undo() override;

private:
    ScoreEditor* editor_;
    CursorPosition cursor_;
    std::shared_ptr<Tie> tie_;
    NoteAnchor start_;
    NoteAnchor end_;  // the end the tie had when it was last taken away
    std::shared_ptr<Part> part_;
};

using RemoveTieCommand = InverseCommand<AddTieCommand>;

// The removal of a tie of the part between the notes it ties now.
std::unique_ptr<RemoveTieCommand> MakeTieRemoval(ScoreEditor* editor, std::shared_ptr<Part> part,
                                                 const std::shared_ptr<Tie>& tie);

}  // namespace quaverly
