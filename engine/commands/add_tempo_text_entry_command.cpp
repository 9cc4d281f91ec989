#include "engine/commands/add_tempo_text_entry_command.h"

#include "engine/model/expression_text.h"
#include "engine/model/score.h"

namespace quaverly {

AddTempoTextEntryCommand::AddTempoTextEntryCommand() = default;
AddTempoTextEntryCommand::~AddTempoTextEntryCommand() = default;

void AddTempoTextEntryCommand::Do()
{
    if (holder_ && element_)
        holder_->AppendExpressionText(element_);
}

void AddTempoTextEntryCommand::Undo()
{
    if (holder_ && element_)
        holder_->RemoveExpressionText(element_);
}

}  // namespace quaverly
