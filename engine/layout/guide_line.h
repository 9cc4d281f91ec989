// The guide line: a vertical line the height of its rectangle, drawn by the editor
// outside the element tree at the caret while the view is busy (playing, recording,
// loading).
#pragma once

#include "engine/model/score_element.h"

namespace quaverly {

class GuideLine final : public ScoreElement {
public:
    GuideLine();  // colour 30

    // Down from origin + position (the offset does not count), the rectangle's height
    // long.
    void Draw(ScorePainter& painter) override;
};

}  // namespace quaverly
