// A dynamics mark (p, mf, sfz, ...) of a bar, centred on the x of its time position.
// Its code is the drawing interface's dynamics glyph; Delete asks for its removal
// (1016), the bar fills in the mark on the way up.
#pragma once

#include "engine/model/editable_element.h"

namespace quaverly {

class DynamicMark : public EditableElement {
public:
    DynamicMark() = default;  // time position 0, code 0

    // The time inside the bar (ticks) at which the mark sits.
    void SetTimePosition(int time) { timePosition_ = time; }
    int GetTimePosition() const { return timePosition_; }
    void SetDynamicsCode(int code) { code_ = code; }
    int GetDynamicsCode() const { return code_; }

    void DeleteSelected() override;
    // The measured size (w, h) gives the rectangle {-(w / 2), 0, w / 2, h}, the halves
    // truncated toward zero: the mark is centred on its position.
    void Layout(ScorePainter& painter) override;
    // Draws at the rectangle's top-left corner moved by origin + position + offset.
    void Draw(ScorePainter& painter) override;

private:
    int timePosition_ = 0;
    int code_ = 0;
};

}  // namespace quaverly
