// What a press on the shown page can take: the notes, bars, lyrics, line marks, header
// texts (and, when asked, the marks on notes and bars) of the editor's current page,
// each with its placed rectangle and a point well inside what its own hit test takes.
#pragma once

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/editor/score_editor.h"
#include "engine/layout/header_node.h"
#include "engine/layout/line_mark_view.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/header_text.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_symbol.h"
#include "engine/model/score.h"

namespace shell_test {

// A name, the element and its placed rectangle in score units.
struct Target {
    std::string name;
    std::shared_ptr<quaverly::ScoreElement> element;
    quaverly::Rect rect;
};

// Where an element's box lies on the page, as its hit test and its drawing place it. A
// note's offset moves it through the layout (its position), so its box starts at its
// children's origin; a line-mark piece's box starts at its start point.
inline quaverly::Rect Placed(const quaverly::ScoreElement& e)
{
    if (dynamic_cast<const quaverly::Note*>(&e))
        return e.GetRect().Moved(e.GetChildOrigin());
    if (const auto* mark = dynamic_cast<const quaverly::LineMarkView*>(&e))
        return e.GetRect().Moved(quaverly::OffsetPoint(e.GetAbsolutePoint(), mark->GetStartPoint()));
    return e.GetRect().Moved(e.GetAbsolutePoint());
}

// A score point well inside what the target's own hit test takes: the middle of its
// rectangle, or else the hit point nearest the middle of all hits on a grid over it (a
// slanted line mark).
inline std::optional<quaverly::Point> PointOn(const Target& target)
{
    const quaverly::Rect& r = target.rect;
    const quaverly::Point middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (target.element->HitTest(middle))
        return middle;
    std::vector<quaverly::Point> hits;
    for (int y = r.top; y <= r.bottom; y += 10)
        for (int x = r.left; x <= r.right; x += 10)
            if (target.element->HitTest({x, y}))
                hits.push_back({x, y});
    if (hits.empty())
        return std::nullopt;
    double cx = 0;
    double cy = 0;
    for (const auto& p : hits) {
        cx += p.x;
        cy += p.y;
    }
    cx /= static_cast<double>(hits.size());
    cy /= static_cast<double>(hits.size());
    return *std::min_element(hits.begin(), hits.end(), [&](const quaverly::Point& a, const quaverly::Point& b) {
        return std::hypot(a.x - cx, a.y - cy) < std::hypot(b.x - cx, b.y - cy);
    });
}

// The notes, bars, lyrics, line marks and header texts of the shown page; with
// `withMarks` also the symbols on notes and the directions of bars.
inline std::vector<Target> PageTargets(quaverly::ScoreEditor& editor, bool withMarks = false)
{
    using namespace quaverly;
    std::vector<Target> targets;
    // Pieces of a line mark that continue it on the next line take no presses.
    const auto add = [&](std::string name, std::shared_ptr<ScoreElement> element) {
        if (element && element->IsVisible())
            targets.push_back({std::move(name), element, Placed(*element)});
        if (!targets.empty() && targets.back().element == element && !PointOn(targets.back()))
            targets.pop_back();
    };
    const auto page = editor.layout->GetChild(editor.GetCurrentPage());
    for (int s = 0; page && s < page->GetChildCount(); ++s) {
        const auto system = page->GetChild(s);
        if (auto header = std::dynamic_pointer_cast<HeaderNode>(system)) {
            const auto& score = *editor.score;
            add("title", score.GetTitleText());
            add("subtitle", score.GetSubtitleText());
            add("composer", score.GetComposerText());
            continue;
        }
        for (int t = 0; t < system->GetChildCount(); ++t) {
            const auto track = std::dynamic_pointer_cast<TrackNode>(system->GetChild(t));
            if (!track)
                continue;
            for (const auto& mark : track->GetLineMarkViews())
                add("line mark", mark);
            for (int b = 0; b < track->GetChildCount(); ++b) {
                const auto bar = track->GetBar(b);
                if (!bar)
                    continue;
                const std::string where = " s" + std::to_string(s) + " t" + std::to_string(t) + " b" + std::to_string(b);
                add("bar" + where, bar);
                if (withMarks)
                    for (const auto& direction : bar->GetDirections())
                        add("direction" + where, direction);
                int n = 0;
                for (const auto& note : bar->GetNotes()) {
                    const std::string which = where + " n" + std::to_string(n++);
                    add("note" + which, note);
                    for (int v = 0; v < kVerseCount; ++v)
                        if (auto lyric = note->GetLyric(v); lyric && !lyric->GetText().empty())
                            add("lyric" + which + " v" + std::to_string(v), lyric);
                    if (withMarks)
                        for (const auto& symbol : note->GetOrnaments())
                            add("symbol" + which, symbol);
                }
            }
        }
    }
    return targets;
}

}  // namespace shell_test
