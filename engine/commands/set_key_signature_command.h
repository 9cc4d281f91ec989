// Sets the key signature of one bar in the score's key table, and back.
//
// The builder passes the new record and the record the bar had before; an old record
// whose bar is -1 says the bar had no key of its own, so undo only removes the new one.
#pragma once

#include <memory>

#include "engine/commands/edit_command.h"
#include "engine/model/key_signature.h"

namespace quaverly {

class Score;

class SetKeySignatureCommand : public EditCommand {
public:
    SetKeySignatureCommand();
    ~SetKeySignatureCommand() override;

    void SetNewRecord(const KeySignatureRecord& record) { newRecord_ = record; }
    void SetOldRecord(const KeySignatureRecord& record) { oldRecord_ = record; }
    void SetScore(std::shared_ptr<Score> score) { score_ = std::move(score); }

    void Do() override;
    void Undo() override;

private:
    KeySignatureRecord newRecord_{0, 0, 1};
    KeySignatureRecord oldRecord_{-1, 0, 1};
    std::shared_ptr<Score> score_;
};

}  // namespace quaverly
