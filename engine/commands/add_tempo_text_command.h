// Sets an expression text at a position in the score's table, and back.
//
// Do remembers the record the position held before (if any), so that undo puts that
// record back in place rather than leaving the position empty.
#pragma once

#include <memory>
#include <optional>

#include "engine/commands/edit_command.h"
#include "engine/model/expression_text.h"

namespace quaverly {

class Score;

class AddTempoTextCommand : public EditCommand {
public:
    AddTempoTextCommand();
    ~AddTempoTextCommand() override;

    void SetRecord(const ExpressionRecord& record) { record_ = record; }
    void SetScore(std::shared_ptr<Score> score) { score_ = std::move(score); }

    void Do() override;
    void Undo() override;

private:
    ExpressionRecord record_{0, {}};
    std::shared_ptr<Score> score_;
    std::optional<ExpressionRecord> before_;  // the position's record before the last Do
};

}  // namespace quaverly
