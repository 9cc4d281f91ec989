// Gives a line mark its length in time units (an ending's span over its bar); Undo
// puts the earlier length back.
#pragma once

#include <memory>
#include <utility>

#include "engine/commands/edit_command.h"

namespace quaverly {

class LineMark;

class SetLineMarkValueCommand final : public EditCommand {
public:
    void SetDuration(int duration) { duration_ = duration; }
    void SetLineMark(std::shared_ptr<LineMark> mark) { mark_ = std::move(mark); }

    void Do() override;
    void Undo() override;

private:
    int duration_ = 0;
    int before_ = 0;
    bool applied_ = false;
    std::shared_ptr<LineMark> mark_;
};

}  // namespace quaverly
