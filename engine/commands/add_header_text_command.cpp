#include "engine/commands/add_header_text_command.h"

#include "engine/layout/track_node.h"
#include "engine/model/header_text.h"

namespace quaverly {

AddHeaderTextCommand::AddHeaderTextCommand() = default;
AddHeaderTextCommand::~AddHeaderTextCommand() = default;

void AddHeaderTextCommand::Do()
{
    if (!track_)
        return;
    if (!applied_)
        before_ = track_->GetInstrumentName();
    applied_ = true;
    track_->SetInstrumentName(name_);
}

void AddHeaderTextCommand::Undo()
{
    if (!track_)
        return;
    if (before_)
        track_->SetInstrumentName(std::move(before_));
    else
        track_->ClearInstrumentName();
    before_.reset();
    applied_ = false;
}

}  // namespace quaverly
