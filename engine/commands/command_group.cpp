#include "engine/commands/command_group.h"

namespace quaverly {

bool CommandGroup::IsTransient() const
{
    return EditCommand::IsTransient() || HasOnlyTransientChildren();
}

void CommandGroup::Do()
{
    DoChildren();
}

void CommandGroup::Undo()
{
    UndoChildrenForward();
}

bool CommandGroup::KeepsToReportedLines() const
{
    for (const CommandPtr& child : Children())
        if (!child || !child->KeepsToReportedLines())
            return false;
    return true;
}

}  // namespace quaverly
