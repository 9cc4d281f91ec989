#include "engine/commands/set_header_text_command.h"

#include "engine/model/header_text.h"

namespace quaverly {

SetHeaderTextCommand::SetHeaderTextCommand() = default;
SetHeaderTextCommand::~SetHeaderTextCommand() = default;

void SetHeaderTextCommand::Do()
{
    if (!element_)
        return;
    element_->SetText({});
    element_->SetOffset({0, 0});
}

void SetHeaderTextCommand::Undo()
{
    if (!element_)
        return;
    element_->SetText(savedText_);
    element_->SetOffset(savedOffset_);
}

}  // namespace quaverly
