// Puts a tempo-mark element into the score's tempo table, and takes it out again.
#pragma once

#include <memory>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"

namespace quaverly {

class TempoMark;
class Score;

class AddTempoMarkCommand : public EditCommand {
public:
    AddTempoMarkCommand();
    ~AddTempoMarkCommand() override;

    void SetElement(std::shared_ptr<TempoMark> element) { element_ = std::move(element); }
    void SetScore(std::shared_ptr<Score> holder) { holder_ = std::move(holder); }

    void Do() override;
    void Undo() override;

private:
    std::shared_ptr<TempoMark> element_;
    std::shared_ptr<Score> holder_;
};

// Deleting a selected tempo mark; undo puts the same element back at its sorted place.
using RemoveTempoMarkCommand = InverseCommand<AddTempoMarkCommand>;

}  // namespace quaverly
