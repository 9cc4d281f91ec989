#include "engine/commands/set_tempo_command.h"

#include "engine/model/score.h"

namespace quaverly {

SetTempoCommand::SetTempoCommand() = default;
SetTempoCommand::~SetTempoCommand() = default;

void SetTempoCommand::Do()
{
    if (!score_)
        return;
    before_.reset();
    for (const auto& entry : score_->GetTempoMarkList()) {
        if (entry && entry->GetValue().position == record_.position) {
            before_ = entry->GetValue();
            break;
        }
    }
    score_->SetTempoMark(record_);
}

void SetTempoCommand::Undo()
{
    if (!score_)
        return;
    // Setting replaces the values of the entry at that position in place, so the table
    // stays sorted and the element keeps its place.
    if (before_)
        score_->SetTempoMark(*before_);
    else
        score_->RemoveTempoMarkAt(record_.position);
}

}  // namespace quaverly
