#include "engine/commands/attach_bar_time_signature_command.h"

#include "engine/model/time_signature.h"
#include "engine/model/bar.h"

namespace quaverly {

AttachBarTimeSignatureCommand::AttachBarTimeSignatureCommand() = default;
AttachBarTimeSignatureCommand::~AttachBarTimeSignatureCommand() = default;

void AttachBarTimeSignatureCommand::Do()
{
    if (!holder_ || !element_)
        return;
    if (!applied_)
        before_ = holder_->GetTimeSignature();
    applied_ = true;
    holder_->SetTimeSignature(element_);
}

void AttachBarTimeSignatureCommand::Undo()
{
    if (!holder_ || !element_)
        return;
    if (before_)
        holder_->SetTimeSignature(std::move(before_));
    else
        holder_->ClearTimeSignature();
    before_.reset();
    applied_ = false;
}

}  // namespace quaverly
