#include "engine/layout/line_mark_start_view.h"

#include "engine/layout/line_mark_style.h"

namespace quaverly {

LineMarkStartView::LineMarkStartView(int kind)
    : LineMarkView(LineMarkStyleOf(kind), LineMarkStyleOf(kind).start)
{
}

void LineMarkStartView::ComputeStart()
{
    if (GetSegment() == line_mark_segment::kMiddle)
        ComputeStartAtRowStart();
    else
        ComputeStartAtMark();
}

void LineMarkStartView::ComputeEnd()
{
    SetEndFromX(EndX(true));
}

}  // namespace quaverly
