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

}  // namespace quaverly
