// The rectangle tracker of the score view's selection tool, drawn in the program's own
// style: a dotted black frame 3 pixels outside the rectangle and solid blue handles. Hit
// testing, cursors and dragging are the plain tracker's.
#pragma once

#include "platform/rect_tracker.h"

namespace brindle {

class CScoreRectTracker : public platform::RectTracker {
public:
    static constexpr platform::ColorRef kHandleColor = 0xFF0000;  // pure blue
    // How far outside the rectangle the frame is drawn.
    static constexpr int kFrameGap = 3;

    using RectTracker::RectTracker;

    // Draws in device pixels whatever mapping the context has; the mapping, pen and brush
    // are given back as they were.
    void Draw(platform::DeviceContext& dc) const override;
};

}  // namespace brindle
