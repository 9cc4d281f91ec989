#include "engine/commands/undo_history.h"

namespace quaverly {

void UndoHistory::Clear()
{
    undoStack_.clear();
    redoStack_.clear();
    pending_.clear();
}

}  // namespace quaverly
