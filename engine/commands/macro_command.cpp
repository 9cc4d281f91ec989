#include "engine/commands/macro_command.h"

namespace quaverly {

bool MacroCommand::IsTransient() const
{
    return EditCommand::IsTransient() || HasOnlyTransientChildren();
}

void MacroCommand::Do()
{
    DoChildren();
}

void MacroCommand::Undo()
{
    UndoChildrenBackward();
}

}  // namespace quaverly
