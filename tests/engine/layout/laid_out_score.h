// Scores laid out into lines for the tests of the view tree: a score of some parts whose
// bars hold four quarter notes each, and the steps the editor's walkers take to make a
// line of it (the columns spaced, the rows made, the width given, the line laid out).
#pragma once

#include <memory>
#include <vector>

#include "engine/layout/header_node.h"
#include "engine/layout/layout_root.h"
#include "engine/layout/page_node.h"
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

inline constexpr int kPageWidth = 16000;
inline constexpr int kPageHeight = 24000;
inline constexpr int kLineGap = 1500;

// The laid-out score as the editor's walkers make it: the lines of the given ranges,
// `linesPerPage` to a page, each page's lines stacked from y = 0 with a gap between
// them, the heading first on page 0 when asked for. Pages get their index, size and the
// score; every page, line and row is laid out.
inline std::shared_ptr<LayoutRoot> MakeLaidOutRoot(const std::shared_ptr<Score>& score,
                                                   ScorePainter& painter,
                                                   const std::vector<BarRange>& ranges,
                                                   int linesPerPage, bool heading = false)
{
    auto root = std::make_shared<LayoutRoot>();
    std::shared_ptr<PageNode> page;
    int y = 0;
    int onPage = 0;
    const auto newPage = [&]() {
        page = std::make_shared<PageNode>(score);
        page->SetIndex(root->GetChildCount());
        page->SetRect({0, 0, kPageWidth, kPageHeight});
        root->AppendChild(page);
        y = 0;
        onPage = 0;
    };
    newPage();
    if (heading) {
        auto head = std::make_shared<HeaderNode>(score);
        head->SetRect({0, 0, kLineWidth, 0});
        page->AppendChild(head);
        head->SetParent(page.get());
        head->Layout(painter);
        head->SetPosition({0, 0});
        y += head->GetRect().Height() + kLineGap;
    }
    int index = 1;
    for (const BarRange& range : ranges) {
        if (onPage == linesPerPage)
            newPage();
        auto line = MakeLine(score, painter, index++, range.first, range.end);
        page->AppendChild(line);
        line->SetParent(page.get());
        line->SetPosition({0, y + 2000});  // room for the marks row above the rows
        line->Layout(painter);
        y += 2000 + line->GetRect().Height() + kLineGap;
        ++onPage;
    }
    root->Layout(painter);
    return root;
}

}  // namespace quaverly::layout_test
