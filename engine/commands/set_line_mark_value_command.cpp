#include "engine/commands/set_line_mark_value_command.h"

#include "engine/model/line_mark.h"

namespace quaverly {

void SetLineMarkValueCommand::Do()
{
    if (!mark_)
        return;
    before_ = mark_->GetDuration();
    applied_ = true;
    mark_->SetDuration(duration_);
}

void SetLineMarkValueCommand::Undo()
{
    if (mark_ && applied_)
        mark_->SetDuration(before_);
}

}  // namespace quaverly
