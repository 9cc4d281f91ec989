#include "engine/commands/add_tie_command.h"

#include "engine/model/part.h"

namespace quaverly {

void AddTieCommand::Do()
{
    if (!tie_ || !part_) {
        return;
    }
    tie_->SetStart(start_);
    if (end_.note) {
        tie_->SetEnd(end_);
    }
    part_->AddTie(tie_);
}

void AddTieCommand::Undo()
{
    if (!tie_ || !part_) {
        return;
    }
    if (tie_->GetStart().note) {
        start_ = tie_->GetStart();
    }
    end_ = tie_->GetEnd();
    tie_->ClearChildren();
    part_->RemoveTie(tie_);
}

}  // namespace quaverly
