// The caret: a vertical line one bar-line height long at the input position, drawn by
// the editor outside the element tree.
#pragma once

#include "engine/model/score_element.h"

namespace quaverly {

class CaretLine final : public ScoreElement {
public:
    CaretLine();  // colour 29

    // From origin + position (the offset does not count), the bar-line height long.
    void Draw(ScorePainter& painter) override;
};

}  // namespace quaverly
