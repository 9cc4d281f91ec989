#include "engine/commands/set_key_signature_command.h"

#include "engine/model/score.h"

namespace quaverly {

SetKeySignatureCommand::SetKeySignatureCommand() = default;
SetKeySignatureCommand::~SetKeySignatureCommand() = default;

void SetKeySignatureCommand::Do()
{
    if (score_)
        score_->SetKeySignature(newRecord_);
}

void SetKeySignatureCommand::Undo()
{
    if (!score_)
        return;
    if (oldRecord_.bar == -1) {
        score_->RemoveKeySignatureAt(newRecord_.bar);
        return;
    }
    // The old record belongs to the same bar: setting it replaces the values in place, so
    // the element keeps its identity and its place in the table.
    if (oldRecord_.bar != newRecord_.bar)
        score_->RemoveKeySignatureAt(newRecord_.bar);
    score_->SetKeySignature(oldRecord_);
}

}  // namespace quaverly
