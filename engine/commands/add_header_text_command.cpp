#include "engine/commands/add_header_text_command.h"

#include "engine/layout/track_node.h"
#include "engine/model/header_text.h"

namespace quaverly {

AddHeaderTextCommand::AddHeaderTextCommand() = default;
AddHeaderTextCommand::~AddHeaderTextCommand() = default;

void AddHeaderTextCommand::Do()
{
    if (track_)
        track_->SetInstrumentName(name_);
}

void AddHeaderTextCommand::Undo()
{
    if (track_)
        track_->ClearInstrumentName();
}

}  // namespace quaverly
