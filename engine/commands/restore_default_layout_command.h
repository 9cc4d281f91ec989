// Puts every manual layout adjustment of the score back to its default in one step:
// the parts' staff sizes and lyric verse offsets take the drawing device's values, and
// the drag offset of every header text, score-level mark, line, track row, bar, barline,
// note and note part goes back to {0, 0}; bars lose their manual width factor.
//
// The change is one-way: Undo does nothing. The editor's restore operation queues it
// with the commands that lay the score out again and then clears the undo history, so
// no earlier step can be undone onto the reset layout.
#pragma once

#include "engine/commands/edit_command.h"

namespace quaverly {

class ScoreEditor;

class RestoreDefaultLayoutCommand : public EditCommand {
public:
    explicit RestoreDefaultLayoutCommand(ScoreEditor* editor);  // not owned
    ~RestoreDefaultLayoutCommand() override;

    // Needs the painter of the run for the default sizes; without one it does nothing.
    void Do() override;
    void Undo() override;

private:
    void ResetPartsAndScoreTexts(ScorePainter& painter);
    void ResetLines();
    void ResetBars();

    ScoreEditor* editor_;
};

}  // namespace quaverly
