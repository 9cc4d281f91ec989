// The guide line: a horizontal line the width of its rectangle, drawn by the editor
// outside the element tree.
#pragma once

#include "engine/model/score_element.h"

namespace quaverly {

class GuideLine final : public ScoreElement {
public:
    GuideLine();  // colour 30

    // From origin + position (the offset does not count), the rectangle's width long.
    void Draw(ScorePainter& painter) override;
};

}  // namespace quaverly
