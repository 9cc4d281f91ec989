// The piece of a line mark that starts on a row and goes on past its end (segment 1): from
// the mark's start time to the right edge of the row's last bar. It has no end handle
// (the end is on a later row); the smooth slur's start piece has its bulge handle.
//
// The glissando also draws its middle pieces (segment 2) with its start class; such a
// piece starts at the row's left edge, where the continued pieces of the other kinds
// start, since the mark's own start lies on an earlier row.
#pragma once

#include "engine/layout/line_mark_view.h"

namespace quaverly {

class LineMarkStartView : public LineMarkView {
protected:
    explicit LineMarkStartView(int kind);

    void ComputeStart() override;
    void ComputeEnd() override;
    bool ShortensFlatSlur() const override { return true; }
};

}  // namespace quaverly
