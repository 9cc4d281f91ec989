// The editor's undo stack, redo stack and queue of commands waiting to run.
#pragma once

#include <memory>
#include <vector>

namespace quaverly {

class EditCommand;

class UndoHistory {
public:
    using CommandPtr = std::shared_ptr<EditCommand>;

    // Empties all three lists without running anything.
    void Clear();
    bool CanUndo() const { return !undoStack_.empty(); }
    bool CanRedo() const { return !redoStack_.empty(); }

private:
    std::vector<CommandPtr> undoStack_;  // oldest first
    std::vector<CommandPtr> redoStack_;  // most recently undone last
    std::vector<CommandPtr> pending_;    // first queued first
};

}  // namespace quaverly
