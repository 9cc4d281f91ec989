#include "engine/commands/add_tempo_mark_command.h"

#include "engine/model/tempo_mark.h"
#include "engine/model/score.h"

namespace quaverly {

AddTempoMarkCommand::AddTempoMarkCommand() = default;
AddTempoMarkCommand::~AddTempoMarkCommand() = default;

void AddTempoMarkCommand::Do()
{
    if (holder_ && element_)
        holder_->AppendTempoMark(element_);
}

void AddTempoMarkCommand::Undo()
{
    if (holder_ && element_)
        holder_->RemoveTempoMark(element_);
}

}  // namespace quaverly
