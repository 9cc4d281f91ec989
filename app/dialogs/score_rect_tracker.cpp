#include "app/dialogs/score_rect_tracker.h"

namespace brindle {

using platform::Brush;
using platform::Pen;
using platform::Rect;

void CScoreRectTracker::Draw(platform::DeviceContext& dc) const
{
    const Rect r = NormalizedRect();
    if (r.IsEmpty())
        return;
    // The tracker's rectangle is in client pixels: draw with the plain mapping.
    const platform::Mapping saved = dc.GetMapping();
    dc.SetMapMode(platform::MapMode::Text);
    dc.SetViewportOrg({0, 0});
    dc.SetWindowOrg({0, 0});
    const Pen oldPen = dc.SelectPen(Pen{platform::kPsDot, 0, 0});
    const Brush oldBrush = dc.SelectBrush(Brush::Null());
    dc.Rectangle(Rect{r.left - kFrameGap, r.top - kFrameGap, r.right + kFrameGap, r.bottom + kFrameGap});

    const unsigned mask = GetHandleMask();
    if (mask) {
        dc.SelectPen(Pen{platform::kPsNull, 0, 0});
        dc.SelectBrush(Brush::Solid(kHandleColor));
        for (int handle = 0; handle < 8; ++handle) {
            if (!(mask & (1u << handle)))
                continue;
            Rect h = HandleRect(handle);
            // A null pen leaves the right and bottom edge unfilled; one pixel more fills it.
            h.right += 1;
            h.bottom += 1;
            dc.Rectangle(h);
        }
    }
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
    dc.SetMapMode(saved.mode);
    dc.SetWindowExt(saved.windowExt);
    dc.SetViewportExt(saved.viewportExt);
    dc.SetWindowOrg(saved.windowOrg);
    dc.SetViewportOrg(saved.viewportOrg);
}

}  // namespace brindle
