// The piece of a line mark that starts and ends on one row (segment 0): from the mark's
// start time to its end, with an end handle that reshapes it.
#pragma once

#include "engine/layout/line_mark_view.h"

namespace quaverly {

class LineMarkWholeView : public LineMarkView {
public:
    // A mark that ends at time 0 of a bar ends at the bar's left edge when set, at the
    // first note of the bar otherwise. Set from the kind (slurs end at the note).
    void SetEndsAtBarStart(bool value) { endsAtBarStart_ = value; }
    bool EndsAtBarStart() const { return endsAtBarStart_; }

protected:
    explicit LineMarkWholeView(int kind);

    void ComputeStart() override;
    void ComputeEnd() override;

private:
    bool endsAtBarStart_;
};

}  // namespace quaverly
