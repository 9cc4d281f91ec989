// After a paste: lays out again, from the first on, every line that shows a bar of the
// range from the first bar to the last bar (both included). Undo does the same, so the
// lines follow the bars' contents either way.
#pragma once

#include "engine/commands/edit_command.h"

namespace quaverly {

class ScoreEditor;

class RelayoutTrackRangeCommand : public EditCommand {
public:
    explicit RelayoutTrackRangeCommand(ScoreEditor* editor);  // not owned
    ~RelayoutTrackRangeCommand() override;

    void SetRange(int firstBar, int lastBar)
    {
        firstBar_ = firstBar;
        lastBar_ = lastBar;
    }

    void Do() override;
    void Undo() override;

private:
    ScoreEditor* editor_;
    int firstBar_ = 0;
    int lastBar_ = 0;
};

}  // namespace quaverly
