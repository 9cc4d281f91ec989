// Puts an expression-text element into the score's expression table, and takes it out again.
#pragma once

#include <memory>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"

namespace quaverly {

class ExpressionText;
class Score;

class AddTempoTextEntryCommand : public EditCommand {
public:
    AddTempoTextEntryCommand();
    ~AddTempoTextEntryCommand() override;

    void SetElement(std::shared_ptr<ExpressionText> element) { element_ = std::move(element); }
    void SetScore(std::shared_ptr<Score> holder) { holder_ = std::move(holder); }

    void Do() override;
    void Undo() override;

private:
    std::shared_ptr<ExpressionText> element_;
    std::shared_ptr<Score> holder_;
};

// Deleting a selected expression text; undo puts the same element back at its sorted place.
using RemoveTempoTextCommand = InverseCommand<AddTempoTextEntryCommand>;

}  // namespace quaverly
