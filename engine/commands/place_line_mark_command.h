// Places a new line mark over a span of the music: its start bar and time inside that
// bar, and its length in time units. Undo puts the mark's earlier span back.
#pragma once

#include <memory>
#include <utility>

#include "engine/commands/edit_command.h"
#include "engine/model/layout_types.h"

namespace quaverly {

class Bar;
class LineMark;

class PlaceLineMarkCommand final : public EditCommand {
public:
    void SetDuration(int duration) { duration_ = duration; }
    void SetLineMark(std::shared_ptr<LineMark> mark) { mark_ = std::move(mark); }
    // The bar the mark starts in, and the time inside it (0: the bar's start).
    void SetBar(std::shared_ptr<Bar> bar) { bar_ = std::move(bar); }
    void SetStartTime(int time) { startTime_ = time; }

    // The mark starts at the stored time of the stored bar, drawn from there (no offset
    // of its own), and lasts the stored duration.
    void Do() override;
    void Undo() override;

private:
    struct Span {
        int bar = 0;
        int time = 0;
        int duration = 0;
        Point offset;
    };
    void Apply(const Span& span);

    int duration_ = 0;
    int startTime_ = 0;
    std::shared_ptr<LineMark> mark_;
    std::shared_ptr<Bar> bar_;
    bool placed_ = false;
    Span before_;
};

}  // namespace quaverly
