// The continuation dash "-" that a note longer than a quarter draws at each further
// beat. Only a note makes it, for itself. It is dragged along x only, as a plain
// editable element; its offset counts for hit testing and drawing.
#pragma once

#include "engine/model/note.h"

namespace quaverly {

class DurationDash : public Note {
public:
    DurationDash();  // pitch code 9, dragged along x only

    // The editable element's move alone.
    void MoveBy(Point delta, int flags) override;
    // The rectangle moved by origin + position + offset.
    bool HitTest(Point point) const override;
    // The dash at origin + position + offset.
    void Draw(ScorePainter& painter) override;
};

}  // namespace quaverly
