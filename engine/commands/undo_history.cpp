#include "engine/commands/undo_history.h"

#include <utility>

#include "engine/commands/do_step_command.h"
#include "engine/commands/edit_command.h"
#include "engine/commands/undo_step_command.h"

namespace quaverly {

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
    if (undoStack_.empty())
        return;
    CommandPtr command = std::move(undoStack_.back());
    undoStack_.pop_back();
    redoStack_.push_back(command);
    pending_.push_back(std::make_shared<UndoStepCommand>(std::move(command)));
}

void UndoHistory::Redo()
{
    if (redoStack_.empty())
        return;
    CommandPtr command = std::move(redoStack_.back());
    redoStack_.pop_back();
    undoStack_.push_back(command);
    pending_.push_back(std::make_shared<DoStepCommand>(std::move(command)));
}

void UndoHistory::RunPending(ScorePainter& painter)
{
    if (running_)
        return;
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
    while (next_ < pending_.size()) {
        const CommandPtr command = pending_[next_++];
        command->SetPainter(&painter);
        command->Do();
    }
}

void UndoHistory::Clear()
{
    undoStack_.clear();
    redoStack_.clear();
    pending_.clear();
    next_ = 0;  // a run in progress goes on with whatever is queued from now on
}

}  // namespace quaverly
