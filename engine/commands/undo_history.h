// The editor's record of what can be undone and redone, and the queue through which
// every command reaches the score.
//
// Commands never run when they are built or recorded: they wait in the pending queue
// until RunPending is called with a drawing device, and run in queue order. Commands
// queued while the queue runs (a command's Do may build and record further commands)
// run in the same pass, after those already queued.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace quaverly {

class EditCommand;
class ScorePainter;

class UndoHistory {
public:
    using CommandPtr = std::shared_ptr<EditCommand>;

    // The undo stack keeps this many steps; the oldest goes first.
    static constexpr std::size_t kMaxUndoSteps = 64;

    // Queues the command. A non-transient command is also an undo step: it clears the
    // redo stack and is pushed on the undo stack. A transient one leaves both stacks
    // as they are. A null command is ignored.
    void Record(CommandPtr command);
    // Empties the undo and redo stacks, then queues the command; what was queued before
    // stays queued and runs first.
    void RecordIrreversible(CommandPtr command);
    // Moves the last undo step to the redo stack and queues a step that runs its Undo;
    // nothing on an empty stack.
    void Undo();
    // Moves the last redo step back to the undo stack and queues a step that runs its
    // Do; nothing on an empty stack.
    void Redo();
    // Gives each queued command the painter and runs its Do, in queue order, including
    // commands queued meanwhile; then empties the queue. Called again from inside a
    // run, it returns at once (false): the run in progress picks the new commands up.
    // True when every command that ran keeps to the lines it reports
    // (EditCommand::KeepsToReportedLines), also when none ran.
    bool RunPending(ScorePainter& painter);
    // Empties all three lists without running anything.
    void Clear();

    bool CanUndo() const { return !undoStack_.empty(); }
    bool CanRedo() const { return !redoStack_.empty(); }
    std::size_t UndoCount() const { return undoStack_.size(); }
    std::size_t RedoCount() const { return redoStack_.size(); }
    std::size_t PendingCount() const { return pending_.size() - next_; }

private:
    std::vector<CommandPtr> undoStack_;  // oldest first
    std::vector<CommandPtr> redoStack_;  // most recently undone last
    std::vector<CommandPtr> pending_;    // first queued first
    std::size_t next_ = 0;               // index of the next command to run
    bool running_ = false;
};

}  // namespace quaverly
