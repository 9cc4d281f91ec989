#include "engine/commands/place_line_mark_command.h"

#include "engine/model/bar.h"
#include "engine/model/line_mark.h"

namespace quaverly {

void PlaceLineMarkCommand::Do()
{
    if (!mark_ || !bar_)
        return;
    before_ = {mark_->GetBar(), mark_->GetTimePosition(), mark_->GetDuration(), mark_->GetOffset()};
    placed_ = true;
    Apply({bar_->GetIndex(), startTime_, duration_, Point{}});
}

void PlaceLineMarkCommand::Undo()
{
    if (mark_ && placed_)
        Apply(before_);
}

void PlaceLineMarkCommand::Apply(const Span& span)
{
    mark_->SetBar(span.bar);
    mark_->SetTimePosition(span.time);
    mark_->SetDuration(span.duration);
    mark_->SetOffset(span.offset);
}

}  // namespace quaverly
