// Puts a key-signature element into the score's key table, and takes it out again.
#pragma once

#include <memory>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"

namespace quaverly {

class KeySignature;
class Score;

class AddKeySignatureCommand : public EditCommand {
public:
    AddKeySignatureCommand();
    ~AddKeySignatureCommand() override;

    void SetElement(std::shared_ptr<KeySignature> element) { element_ = std::move(element); }
    void SetScore(std::shared_ptr<Score> holder) { holder_ = std::move(holder); }

    void Do() override;
    void Undo() override;

private:
    std::shared_ptr<KeySignature> element_;
    std::shared_ptr<Score> holder_;
};

// Deleting a selected key signature; undo puts the same element back at its sorted place.
using RemoveKeySignatureCommand = InverseCommand<AddKeySignatureCommand>;

}  // namespace quaverly
