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

std::unique_ptr<RemoveTieCommand> MakeTieRemoval(ScoreEditor* editor, std::shared_ptr<Part> part,
                                                 const std::shared_ptr<Tie>& tie)
{
    auto remove = std::make_unique<RemoveTieCommand>(editor);
    remove->Target().SetTie(tie);
    remove->Target().SetPart(std::move(part));
    remove->Target().SetStart(tie->GetStart());
    remove->Target().SetEnd(tie->GetEnd());
    return remove;
}

}  // namespace quaverly
