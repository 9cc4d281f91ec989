#include "engine/commands/undo_history.h"

#include <utility>

#include "engine/commands/do_step_command.h"
#include "engine/commands/edit_command.h"
#include "engine/commands/undo_step_command.h"

namespace quaverly {

namespace {

using CommandPtr = UndoHistory::CommandPtr;

// Moves the newest command of one stack onto the other and returns it; an empty pointer
// when the first stack is empty.
CommandPtr MoveNewest(std::vector<CommandPtr>& from, std::vector<CommandPtr>& to)
{
    if (from.empty())
        return nullptr;
    CommandPtr command = std::move(from.back());
    from.pop_back();
    to.push_back(command);
    return command;
}

}  // namespace

void UndoHistory::Record(CommandPtr command)
{
    if (!command)
        return;
    if (!command->IsTransient()) {
        redoStack_.clear();
        undoStack_.push_back(command);
        if (undoStack_.size() > kMaxUndoSteps)
            undoStack_.erase(undoStack_.begin());
    }
    pending_.push_back(std::move(command));
}

void UndoHistory::RecordIrreversible(CommandPtr command)
{
    undoStack_.clear();
    redoStack_.clear();
    if (command)
        pending_.push_back(std::move(command));
}

void UndoHistory::Undo()
{
    if (CommandPtr command = MoveNewest(undoStack_, redoStack_))
        pending_.push_back(std::make_shared<UndoStepCommand>(std::move(command)));
}

void UndoHistory::Redo()
{
    if (CommandPtr command = MoveNewest(redoStack_, undoStack_))
        pending_.push_back(std::make_shared<DoStepCommand>(std::move(command)));
}

bool UndoHistory::RunPending(ScorePainter& painter)
{
    if (running_)
        return false;
    running_ = true;
    // Whatever happens inside a command, what has run leaves the queue and the history
    // is usable again afterwards.
    struct EndOfRun {
        UndoHistory& history;
        ~EndOfRun()
        {
            history.pending_.erase(history.pending_.begin(),
                                   history.pending_.begin() +
                                       static_cast<std::ptrdiff_t>(history.next_));
            history.next_ = 0;
            history.running_ = false;
        }
    } endOfRun{*this};

    // Walked by index: the queue may grow while it runs.
    bool keptToLines = true;
    while (next_ < pending_.size()) {
        const CommandPtr command = pending_[next_++];
        command->SetPainter(&painter);
        keptToLines = keptToLines && command->KeepsToReportedLines();
        command->Do();
    }
    return keptToLines;
}

void UndoHistory::Clear()
{
    undoStack_.clear();
    redoStack_.clear();
    pending_.clear();
    next_ = 0;  // a run in progress goes on with whatever is queued from now on
}

}  // namespace quaverly
