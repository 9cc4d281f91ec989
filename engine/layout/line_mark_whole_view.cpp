#include "engine/layout/line_mark_whole_view.h"

#include "engine/layout/line_mark_style.h"

namespace quaverly {

LineMarkWholeView::LineMarkWholeView(int kind)
    : LineMarkView(LineMarkStyleOf(kind), LineMarkStyleOf(kind).whole),
      endsAtBarStart_(LineMarkStyleOf(kind).endsAtBarStart)
{
}

void LineMarkWholeView::ComputeStart()
{
    ComputeStartAtMark();
}

void LineMarkWholeView::ComputeEnd()
{
    SetEndFromX(EndX(endsAtBarStart_));
}

}  // namespace quaverly
