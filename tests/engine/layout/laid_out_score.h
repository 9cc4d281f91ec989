// Scores laid out into lines for the tests of the view tree: a score of some parts whose
// bars hold four quarter notes each, and the steps the editor's walkers take to make a
// line of it (the columns spaced, the rows made, the width given, the line laid out).
#pragma once

#include <memory>

#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "tests/engine/layout/layout_test_score.h"

namespace quaverly::layout_test {

inline constexpr int kLineWidth = 12000;

inline std::shared_ptr<Score> MakeFilledScore(int parts, int bars)
{
    auto score = MakeScore(parts, bars);
    for (int p = 0; p < parts; ++p) {
        auto part = std::dynamic_pointer_cast<Part>(score->GetChild(p)->GetChild(0));
        part->SetStaffSize(1000);
        for (int v = 0; v < 5; ++v)
            part->SetVerseOffset(v, 100);
        for (int b = 0; b < bars; ++b)
            AddNotes(*BarOf(*score, p, b), 4, note_length::kQuarter);
    }
    return score;
}

// A line over bars [first, end) with its rows, spaced and laid out at kLineWidth.
inline std::shared_ptr<SystemNode> MakeLine(const std::shared_ptr<Score>& score,
                                            ScorePainter& painter, int index, int first,
                                            int end)
{
    Lay(score, painter, first, end);
    auto line = std::make_shared<SystemNode>(score);
    line->SetIndex(index);
    line->SetBarRange(first, end);
    line->SetRect({0, 0, kLineWidth, 0});
    line->CreateTracks();
    line->Layout(painter);
    return line;
}

}  // namespace quaverly::layout_test
