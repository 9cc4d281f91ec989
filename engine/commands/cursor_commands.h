// Two one-way steps that note entry and the arrow keys queue behind their edits: moving
// the cursor on to a bar appended for the next note, and moving the caret to the
// cursor. Neither changes the score; their Undo does nothing.
#pragma once

#include "engine/commands/edit_command.h"

namespace quaverly {

class ScoreEditor;

// When the input time has reached the end of the cursor's bar and a bar follows, the
// cursor moves to the start of that bar, on whatever line and page it is laid out.
class PageStepCommand final : public EditCommand {
public:
    explicit PageStepCommand(ScoreEditor* editor) : editor_(editor) {}
    void Do() override;
    void Undo() override {}

private:
    ScoreEditor* editor_;
};

// Reports the caret at the cursor (notice 17) measured with the painter of the run; the
// host scrolls to it and draws it.
class MoveCaretCommand final : public EditCommand {
public:
    explicit MoveCaretCommand(ScoreEditor* editor) : editor_(editor) {}
    void Do() override;
    void Undo() override {}

private:
    ScoreEditor* editor_;
};

}  // namespace quaverly
