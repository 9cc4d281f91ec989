#include "engine/commands/add_tempo_text_command.h"

#include "engine/model/score.h"

namespace quaverly {

AddTempoTextCommand::AddTempoTextCommand() = default;
AddTempoTextCommand::~AddTempoTextCommand() = default;

void AddTempoTextCommand::Do()
{
    if (!score_)
        return;
    before_.reset();
    for (const auto& entry : score_->GetExpressionTextList()) {
        if (entry && entry->GetValue().position == record_.position) {
            before_ = entry->GetValue();
            break;
        }
    }
    score_->SetExpressionText(record_);
}

void AddTempoTextCommand::Undo()
{
    if (!score_)
        return;
    // Setting replaces the values of the entry at that position in place, so the table
    // stays sorted and the element keeps its place.
    if (before_)
        score_->SetExpressionText(*before_);
    else
        score_->RemoveExpressionTextAt(record_.position);
}

}  // namespace quaverly
