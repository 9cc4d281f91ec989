// A rest ("0"). It has every sub-element of a note, lays them all out, but draws only
// its symbol, its underlines, its continuation glyphs (further rests) and its dots. It
// is dragged along x only, its offset counts for hit testing and drawing, and moving
// it does not ask for a re-layout of its line.
#pragma once

#include "engine/model/note.h"

namespace quaverly {

class Rest : public Note {
public:
    Rest();  // pitch code 1, dragged along x only

    // The editable element's move alone.
    void MoveBy(Point delta, int flags) override;
    // The rectangle moved by origin + position + offset.
    bool HitTest(Point point) const override;
    void Draw(ScorePainter& painter) override;
};

}  // namespace quaverly
