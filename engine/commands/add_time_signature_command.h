// Adds one count of a time signature to the score's table for a bar, and takes it off
// again. The time-signature operation adds one per part, so the table counts the parts
// that set the bar and undo releases them one by one.
//
// Setting a bar that already had an entry overwrites its values; Do remembers those
// values so that Undo puts them back instead of leaving the new ones behind.
#pragma once

#include <memory>
#include <optional>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"
#include "engine/model/time_signature.h"

namespace quaverly {

class Score;

class AddTimeSignatureCommand : public EditCommand {
public:
    AddTimeSignatureCommand();
    ~AddTimeSignatureCommand() override;

    void SetRecord(const TimeSignatureRecord& record) { record_ = record; }
    void SetScore(std::shared_ptr<Score> score) { score_ = std::move(score); }

    void Do() override;
    void Undo() override;

private:
    TimeSignatureRecord record_{0, 4, 4, 1};
    std::shared_ptr<Score> score_;
    std::optional<TimeSignatureRecord> before_;  // the bar's values before the last Do
    bool refused_ = false;  // the last Do was refused and changed nothing
};

// Deleting a time signature from the score's table.
using RemoveTimeSignatureCommand = InverseCommand<AddTimeSignatureCommand>;

}  // namespace quaverly
