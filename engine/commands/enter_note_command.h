// Enters a note at the cursor. It runs from the pending queue inside a step that only
// runs, and records then, as one undo step, the insertion of the note into the cursor's
// bar, the re-layout of the cursor's line, the move of the input time and the cursor,
// and the cursor report: undo takes the note out and puts time and cursor back.
#pragma once

#include <memory>

#include "engine/commands/edit_command.h"

namespace quaverly {

class Note;
class ScoreEditor;

class EnterNoteCommand final : public EditCommand {
public:
    explicit EnterNoteCommand(ScoreEditor* editor) : editor_(editor) {}
    void SetNote(std::shared_ptr<Note> note) { note_ = std::move(note); }

    // Records nothing when the cursor's bar or its line cannot be found.
    void Do() override;
    void Undo() override {}
    // Only queues.
    bool KeepsToReportedLines() const override { return true; }

private:
    ScoreEditor* editor_;
    std::shared_ptr<Note> note_;
};

}  // namespace quaverly
