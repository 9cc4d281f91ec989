#include "engine/commands/add_time_signature_command.h"

#include "engine/model/score.h"

namespace quaverly {

namespace {

std::optional<TimeSignatureRecord> EntryAt(const Score& score, int bar)
{
    for (const auto& entry : score.GetTimeSignatures()) {
        if (entry.bar == bar)
            return entry.ToRecord();
    }
    return std::nullopt;
}

}  // namespace

AddTimeSignatureCommand::AddTimeSignatureCommand() = default;
AddTimeSignatureCommand::~AddTimeSignatureCommand() = default;

void AddTimeSignatureCommand::Do()
{
    if (!score_)
        return;
    before_ = EntryAt(*score_, record_.bar);
    refused_ = !score_->SetTimeSignature(record_);
}

void AddTimeSignatureCommand::Undo()
{
    if (!score_ || refused_)
        return;
    score_->RemoveTimeSignatureAt(record_.bar);
    if (before_ && EntryAt(*score_, record_.bar)) {
        // The entry is still counted by others: give it back its earlier values. Setting
        // counts once more, so take that count off again; the values stay.
        score_->SetTimeSignature(*before_);
        score_->RemoveTimeSignatureAt(record_.bar);
    }
}

}  // namespace quaverly
