// Sets a tempo mark at a position in the score's table, and back.
//
// Do remembers the record the position held before (if any), so that undo puts that
// record back in place rather than leaving the position empty.
#pragma once

#include <memory>
#include <optional>

#include "engine/commands/edit_command.h"
#include "engine/model/tempo_mark.h"

namespace quaverly {

class Score;

class SetTempoCommand : public EditCommand {
public:
    SetTempoCommand();
    ~SetTempoCommand() override;

    void SetRecord(const TempoMarkRecord& record) { record_ = record; }
    void SetScore(std::shared_ptr<Score> score) { score_ = std::move(score); }

    void Do() override;
    void Undo() override;

private:
    TempoMarkRecord record_{0, 161280, 120};
    std::shared_ptr<Score> score_;
    std::optional<TempoMarkRecord> before_;  // the position's record before the last Do
};

}  // namespace quaverly
