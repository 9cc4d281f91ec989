// Gives a bar the time-signature element it shows, and takes it away again: Undo puts
// back the element the bar showed before (none when it showed none).
#pragma once

#include <memory>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"

namespace quaverly {

class TimeSignature;
class Bar;

class AttachBarTimeSignatureCommand : public EditCommand {
public:
    AttachBarTimeSignatureCommand();
    ~AttachBarTimeSignatureCommand() override;

    void SetElement(std::shared_ptr<TimeSignature> element) { element_ = std::move(element); }
    void SetBar(std::shared_ptr<Bar> holder) { holder_ = std::move(holder); }

    void Do() override;
    void Undo() override;

private:
    std::shared_ptr<TimeSignature> element_;
    std::shared_ptr<Bar> holder_;
    std::shared_ptr<TimeSignature> before_;  // the bar's element before the first Do
    bool applied_ = false;  // a Do ran since the last Undo
};

// Deleting the time signature a bar shows.
using DetachBarTimeSignatureCommand = InverseCommand<AttachBarTimeSignatureCommand>;

}  // namespace quaverly
