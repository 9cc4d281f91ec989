// The request handed to LayoutScore: what to measure with, which score, and which bar
// columns [firstBar, endBar) to lay out. Callers build it on their stack: one bar
// (k, k + 1), the range of one line, or the whole score (0, bars of the first part).
#pragma once

#include <memory>

namespace quaverly {

class Score;
class ScorePainter;

struct LayoutColumnState {
    ScorePainter* painter = nullptr;  // not owned
    std::shared_ptr<Score> score;
    int firstBar = 0;
    int endBar = 0;  // exclusive
};

}  // namespace quaverly
