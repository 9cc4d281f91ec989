#include "engine/layout/line_mark_continued_view.h"

#include "engine/layout/line_mark_style.h"

namespace quaverly {

LineMarkContinuedView::LineMarkContinuedView(int kind)
    : LineMarkView(LineMarkStyleOf(kind), LineMarkStyleOf(kind).continued)
{
}

void LineMarkContinuedView::ComputeStart()
{
    ComputeStartAtRowStart();
}

void LineMarkContinuedView::ComputeEnd()
{
    // A middle piece's mark ends past the row, which EndX turns into the row's end.
    SetEndFromX(EndX(true));
}

}  // namespace quaverly
