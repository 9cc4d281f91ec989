// The number shown at a barline: a repeat or jump mark (segno, coda, D.C., Fine ...)
// whose glyph the drawing interface picks by value. Values 0 to 2 show nothing; the
// bar makes a view for any other value at every layout. The mark's own offset is the
// user's drag of that view and is saved with the score.
#pragma once

#include "engine/model/score_element.h"

namespace quaverly {

class BarlineMark final : public ScoreElement {
public:
    BarlineMark() = default;  // value 0: nothing shown

    void SetValue(int value) { value_ = value; }
    int GetValue() const { return value_; }

    // True for the values that have a glyph of their own (anything but 0, 1 and 2).
    static bool HasView(int value) { return value < 0 || value > 2; }

private:
    int value_ = 0;
};

}  // namespace quaverly
