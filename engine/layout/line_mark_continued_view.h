// The pieces of a line mark that began on an earlier row: a middle piece through the
// whole row (segment 2) or the end piece (segment 3). They start at the left edge of the
// row's first bar, at the height a sloped mark has reached there; the middle piece runs
// to the right edge of the row's last bar, the end piece to the mark's end. They never
// hit the pointer themselves: only their end handle can be taken.
#pragma once

#include "engine/layout/line_mark_view.h"

namespace quaverly {

class LineMarkContinuedView : public LineMarkView {
protected:
    explicit LineMarkContinuedView(int kind);

    void ComputeStart() override;
    void ComputeEnd() override;
};

}  // namespace quaverly
