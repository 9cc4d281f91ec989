#include "engine/commands/relayout_track_range_command.h"

#include <memory>
#include <vector>

#include "engine/commands/refresh_commands.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/system_node.h"

namespace quaverly {

RelayoutTrackRangeCommand::RelayoutTrackRangeCommand(ScoreEditor* editor) : editor_(editor) {}

RelayoutTrackRangeCommand::~RelayoutTrackRangeCommand() = default;

void RelayoutTrackRangeCommand::Do()
{
    if (!editor_ || !Painter() || lastBar_ < firstBar_)
        return;
    // The lines are picked before any is laid out: a re-layout may re-cut the lines
    // after it, and a line that went away is skipped by the command that looks it up.
    std::vector<std::shared_ptr<ScoreElement>> lines;
    for (const auto& line : editor_->lines) {
        const auto system = std::dynamic_pointer_cast<SystemNode>(line);
        if (!system)
            continue;
        const BarRange range = system->GetBarRange();
        if (range.first <= lastBar_ && firstBar_ < range.end)
            lines.push_back(system);
    }
    for (const auto& line : lines) {
        RelayoutFromElementCommand relayout(editor_);
        relayout.SetStartElement(line);
        relayout.SetPainter(Painter());
        relayout.Do();
    }
}

void RelayoutTrackRangeCommand::Undo()
{
    Do();
}

}  // namespace quaverly
