#include "engine/commands/add_key_signature_command.h"

#include "engine/model/key_signature.h"
#include "engine/model/score.h"

namespace quaverly {

AddKeySignatureCommand::AddKeySignatureCommand() = default;
AddKeySignatureCommand::~AddKeySignatureCommand() = default;

void AddKeySignatureCommand::Do()
{
    if (holder_ && element_)
        holder_->AppendKeySignature(element_);
}

void AddKeySignatureCommand::Undo()
{
    if (holder_ && element_)
        holder_->RemoveKeySignature(element_);
}

}  // namespace quaverly
