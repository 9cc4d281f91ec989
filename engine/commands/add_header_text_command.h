// Attaches an instrument name to a track row of a system, and detaches it again: Undo
// gives the row back the name it showed before (none when it showed none).
#pragma once

#include <memory>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"

namespace quaverly {

class InstrumentNameText;
class TrackNode;

class AddHeaderTextCommand : public EditCommand {
public:
    AddHeaderTextCommand();
    ~AddHeaderTextCommand() override;

    void SetTrackNode(std::shared_ptr<TrackNode> track) { track_ = std::move(track); }
    void SetInstrumentName(std::shared_ptr<InstrumentNameText> name) { name_ = std::move(name); }

    void Do() override;
    void Undo() override;

private:
    std::shared_ptr<TrackNode> track_;
    std::shared_ptr<InstrumentNameText> name_;
    std::shared_ptr<InstrumentNameText> before_;  // the row's name before the first Do
    bool applied_ = false;  // a Do ran since the last Undo
};

// Deleting an instrument name from its track row.
using RemoveHeaderTextCommand = InverseCommand<AddHeaderTextCommand>;

}  // namespace quaverly
