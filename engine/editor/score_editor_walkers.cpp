// The editor's layout walkers: after an edit the score is not laid out whole again; the
// re-layout commands start at one line or one page and walk forwards, cutting the bars
// into lines and the lines into pages. And the playback walker, which puts the cursor on
// the note the player has reached.
#include <algorithm>
#include <set>
#include <utility>

#include "engine/commands/build_score_command.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/header_node.h"
#include "engine/layout/layout_column_state.h"
#include "engine/layout/layout_engine.h"
#include "engine/layout/page_node.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/header_text.h"
#include "engine/model/int_clamp.h"
#include "engine/model/note.h"
#include "engine/model/part.h"
#include "engine/model/score_painter.h"

namespace quaverly {

namespace {

// Above this ratio of the room a bar goes to the next line.
constexpr double kLineOverflow = 1.05;

// The playback records that carry a position.
constexpr int kPlaybackPositionKind = 20;

void LayoutColumns(const std::shared_ptr<Score>& score, ScorePainter& painter, int first,
                   int end)
{
    LayoutColumnState state;
    state.painter = &painter;
    state.score = score;
    state.firstBar = first;
    state.endBar = end;
    LayoutScore(state);
}

// Measures the bar columns a walk reaches, each once, from its first bar on. Only what
// the walk looks at is measured, so a line it leaves as it was keeps the widths its own
// rows gave its bars.
class ColumnMeasure {
public:
    ColumnMeasure(const std::shared_ptr<Score>& score, ScorePainter& painter, int first)
        : score_(score), painter_(painter), measuredEnd_(first)
    {
    }
    // Measures the columns up to `end` (exclusive) not measured yet.
    void Through(int end)
    {
        if (end <= measuredEnd_)
            return;
        LayoutColumns(score_, painter_, measuredEnd_, end);
        measuredEnd_ = end;
    }
    // The columns up to `end` (exclusive) count as measured.
    void Measured(int end) { measuredEnd_ = std::max(measuredEnd_, end); }
    // One past the last column measured.
    int End() const { return measuredEnd_; }

private:
    const std::shared_ptr<Score>& score_;
    ScorePainter& painter_;
    int measuredEnd_;
};

// Bar `index` of the first part's staff: the one every column is measured by.
std::shared_ptr<Bar> FirstPartBar(const Score& score, int index)
{
    return std::dynamic_pointer_cast<Bar>(GetElementAtPath3(score, 0, 0, index));
}

// What one bar adds to a line: the bar's margin and its measured width, which already
// holds the extra room the spacing made for accidentals, lyrics and the like.
long long BarContribution(ScorePainter& painter, const Score& score, int index)
{
    long long width = painter.GetMetric107();
    if (const auto bar = FirstPartBar(score, index))
        width += bar->GetRect().Width();
    return width;
}

}  // namespace

int ScoreEditor::RelayoutFrom(ScorePainter& painter, int line, int mode)
{
    // Columns the first layout measured count for this walk only.
    const int freshColumns = std::exchange(freshColumnsEnd, 0);
    if (score->GetChildCount() == 0)
        return -1;
    // A score that came in without a first layout (filled as it stands) gets the sizes
    // its parts lack here; sizes a part holds stay.
    FillUnsetScoreMetrics(*score, painter);
    const int barCount = GetBarCount();
    const int cursorBar = GetCursorBarIndex();
    // The heading is line 0 of every layout.
    if (lines.empty() || !lines.front()) {
        auto heading = std::make_shared<HeaderNode>(score);
        heading->SetRect({0, 0, pageContentWidth, 0});
        heading->Layout(painter);
        NotePageChanged();
        if (lines.empty())
            lines.push_back(std::move(heading));
        else
            lines.front() = std::move(heading);
    }

    // A line past the end of the list starts after the last line there is, so no line
    // is left empty in between and no bar is placed twice.
    const int start = std::clamp(line, 1, ClampToInt(static_cast<long long>(lines.size())));

    // Where the walk starts: the end of the line before it, or the first bar.
    int next = 0;
    if (start - 1 >= 1) {
        if (const auto before = std::dynamic_pointer_cast<SystemNode>(lines[start - 1]))
            next = before->GetBarRange().end;
    }
    next = std::clamp(next, 0, barCount);

    std::set<int> breaks;
    for (const int bar : score->GetLineBreaks()) {
        if (bar > next)
            breaks.insert(bar);
    }
    const std::map<int, int>& barsPerLine = score->GetBarsPerLine();


    // The bars are measured again as the walk reaches them, unless the first layout
    // has just measured them.
    ColumnMeasure measure(score, painter, next);
    measure.Measured(std::min(freshColumns, barCount));

    // The rows a line has: one per part of every part container.
    int rowCount = 0;
    for (int c = 0; c < score->GetChildCount(); ++c) {
        const auto container = score->GetChild(c);
        for (int p = 0; container && p < container->GetChildCount(); ++p)
            rowCount += std::dynamic_pointer_cast<Part>(container->GetChild(p)) != nullptr;
    }

    int index = start;
    while (next < barCount) {
        std::shared_ptr<SystemNode> system;
        BarRange before{-1, -1};
        if (static_cast<std::size_t>(index) < lines.size())
            system = std::dynamic_pointer_cast<SystemNode>(lines[index]);
        if (system) {
            before = system->GetBarRange();
        } else {
            system = std::make_shared<SystemNode>(score);
            NotePageChanged();
            if (static_cast<std::size_t>(index) >= lines.size())
                lines.resize(static_cast<std::size_t>(index) + 1);
            lines[index] = system;
            // A new line has rows before its bars, so their names can be measured.
            system->SetBarRange(next, next);
            system->CreateTracks();
        }

        // The room for bars: the page width less the line's own start and the widest
        // instrument name of its rows.
        long long header = 0;
        for (int t = 0; t < system->GetChildCount(); ++t) {
            const auto track = std::dynamic_pointer_cast<TrackNode>(system->GetChild(t));
            if (track && track->GetInstrumentName())
                header = std::max<long long>(
                    header, track->GetInstrumentName()->GetExtent(painter).Width());
        }
        const long long room = static_cast<long long>(pageContentWidth) -
                               system->GetExtraRect(painter).Width() - header;

        int end = next;
        const auto fixed = barsPerLine.find(index);
        // The document's own range of the line, where the line still starts there; a
        // bars-per-line entry says more.
        const auto held = documentLineRanges.find(index);
        const bool keepsRange = fixed == barsPerLine.end() && held != documentLineRanges.end() &&
                                held->second.first == next && held->second.end > next &&
                                held->second.end <= barCount;
        if (fixed != barsPerLine.end() || keepsRange) {
            end = keepsRange ? held->second.end
                             : static_cast<int>(std::clamp<long long>(
                                   static_cast<long long>(next) + std::max(fixed->second, 0),
                                   next, barCount));
            // A forced break inside the line still ends it there.
            const auto forced = breaks.upper_bound(next);
            if (forced != breaks.end() && *forced < end)
                end = *forced;
            breaks.erase(breaks.begin(), breaks.upper_bound(end));
        } else {
            long long running = 0;
            while (end < barCount) {
                if (breaks.erase(end) != 0 && end > next)
                    break;
                measure.Through(end + 1);
                running += BarContribution(painter, *score, end);
                if (running != 0 && end > next &&
                    (room <= 0 || static_cast<double>(running) / static_cast<double>(room) >
                                      kLineOverflow))
                    break;
                ++end;
            }
        }
        if (end <= next)
            end = next + 1;  // a bar wider than the line still gets a line of its own
        measure.Through(end);

        // The start line is always laid out: the edit that asked for the walk is there.
        if (mode == 0 && index > start && before.first == next && before.end == end) {
            // This line and the ones after it stand as they are. Its bars were measured
            // again to find its end, and so was the first bar of the next line: the rows
            // of every line with a measured bar give their bars back the widths of the
            // line.
            for (std::size_t i = static_cast<std::size_t>(index); i < lines.size(); ++i) {
                const auto standing = std::dynamic_pointer_cast<SystemNode>(lines[i]);
                if (!standing || standing->GetBarRange().first >= measure.End())
                    break;
                const Rect placed = standing->GetRect().Moved(standing->GetAbsolutePoint());
                standing->Layout(painter);
                ApplyViewFlagsToLine(*standing);
                NoteLineChanged(*standing, placed);
            }
            next = barCount;
            index = static_cast<int>(lines.size());
            break;
        }
        // A line that keeps its bars keeps its rows, and with them what the user gave
        // them (instrument names, row offsets); a line cut anew gets new rows.
        const bool sameRows = before.first == next && before.end == end &&
                              system->GetChildCount() == rowCount;
        const Rect placed = system->GetRect().Moved(system->GetAbsolutePoint());
        system->SetModel(score);
        system->SetIndex(index);
        system->SetBarRange(next, end);
        if (!sameRows)
            system->CreateTracks();
        system->SetRect({0, 0, pageContentWidth, 0});
        // A document that hides its empty rows hides them on every line made anew; the
        // first line of the score stays, so the score never shows no line at all. A line
        // as the document laid it out shows the rows the document shows.
        if (hideEmptyLines && !(keepsRange && sameRows))
            HideEmptyTracksInLine(*system, index == 1, true);
        system->Layout(painter);
        ApplyViewFlagsToLine(*system);
        NoteLineChanged(*system, placed);
        next = end;
        ++index;
    }

    // Lines past the last bar go, unless the walk stopped early on an unchanged line.
    if (next >= barCount && static_cast<std::size_t>(index) < lines.size()) {
        lines.resize(index);
        NotePageChanged();
    }
    // The document's ranges are kept by the first walk only: later walks cut the lines
    // as any edit does.
    documentLineRanges.clear();
    // The pages may still show the old lines; then the bar waits for the repagination.
    cursorBarAfterReflow_ = -1;
    if (cursorBar >= 0 && !PlaceCursorOnBar(cursorBar))
        cursorBarAfterReflow_ = cursorBar;
    return 0;
}

int ScoreEditor::LineHeight(std::size_t index) const
{
    const auto& line = lines[index];
    if (!line)
        return 0;
    if (index == 0)
        return line->GetRect().Height();
    // A laid-out line gave each row its measured extent as its rectangle; measuring the
    // rows again through the painter would give the same and cost as much as the layout.
    long long height = 0;
    for (int t = 0; t < line->GetChildCount(); ++t) {
        const auto row = line->GetChild(t);
        if (!row || !row->IsVisible())
            continue;
        height += static_cast<long long>(row->GetRect().Height()) + row->GetOffset().y;
    }
    return ClampToInt(height);
}

void ScoreEditor::RepaginateFrom(ScorePainter& painter, int page)
{
    const int cursorBar =
        cursorBarAfterReflow_ >= 0 ? cursorBarAfterReflow_ : GetCursorBarIndex();
    cursorBarAfterReflow_ = -1;
    NotePageChanged();
    const int pageCount = layout->GetChildCount();
    int first = std::clamp(page, 0, pageCount);

    // The first line of page `first`: the lines of the pages before it.
    std::size_t lineIndex = 0;
    for (int p = 0; p < first; ++p) {
        if (const auto node = layout->GetChild(p))
            lineIndex += static_cast<std::size_t>(node->GetChildCount());
    }
    lineIndex = std::min(lineIndex, lines.size());
    if (lines.empty()) {
        first = 0;
        lineIndex = 0;
    }

    const std::map<int, int>& linesPerPage = score->GetLinesPerPage();
    int p = first;
    while (lineIndex < lines.size()) {
        std::shared_ptr<PageNode> node;
        if (p < layout->GetChildCount())
            node = std::dynamic_pointer_cast<PageNode>(layout->GetChild(p));
        if (!node) {
            node = std::make_shared<PageNode>(score);
            if (p < layout->GetChildCount())
                layout->RemoveChild(p);
            layout->InsertChild(p, node);
        }
        node->SetModel(score);
        node->SetIndex(p);
        node->SetRect({0, 0, pageContentWidth, pageContentHeight});
        // A page made here shows its border as the view flag says, like the pages
        // that were there when the flag was set.
        node->SetShowBorder(viewFlags[0]);
        node->SetParent(layout.get());
        node->ClearChildren();

        const auto fixed = linesPerPage.find(p);
        const int wanted = fixed != linesPerPage.end() ? std::max(fixed->second, 1) : -1;
        long long h = 0;
        int placed = 0;
        while (lineIndex < lines.size()) {
            const auto& line = lines[lineIndex];
            const int height = LineHeight(lineIndex);
            if (wanted >= 0 ? placed == wanted
                            : placed > 0 && h + height > pageContentHeight)
                break;
            if (line) {
                line->SetOrigin(node->GetChildOrigin());
                line->SetPosition({0, ClampToInt(h)});
                node->AppendChild(line);
                line->SetParent(node.get());
            }
            h += height;
            ++placed;
            ++lineIndex;
        }
        node->Layout(painter);
        ++p;
    }
    while (layout->GetChildCount() > std::max(p, 0))
        layout->RemoveChild(layout->GetChildCount() - 1);
    NotifyListener(EditorNoticeCode::PageInfoChanged);
    if (cursorBar >= 0)
        PlaceCursorOnBar(cursorBar);
    ShowCursorPageInsteadOfLostPage();
}

void ScoreEditor::ShowCursorPageInsteadOfLostPage()
{
    const int pages = layout->GetChildCount();
    if (pages == 0 || currentPage < pages)
        return;
    // The page shown is gone: the page that now holds the cursor's bar is shown, and the
    // program follows it as after any page change.
    SetCurrentPage(cursor.page >= 0 && cursor.page < pages ? cursor.page : pages - 1);
    const NoticePosition where{currentPage, cursor.line, cursor.track, GetCursorBarIndex(),
                               cursor.timeInBar};
    NotifyListener(EditorNotice{EditorNoticeCode::PageChanged, nullptr, nullptr, &where});
}

void ScoreEditor::ReflowLinesFrom(ScorePainter& painter, int page, bool /*from*/, bool keep)
{
    // The walk starts with the first music line of the page, so the pages before it keep
    // their lines; a page past the end starts with the line after the last one.
    const int first = std::clamp(page, 0, layout->GetChildCount());
    // Every caller that keeps the lines has just cut them from this page's lines on or
    // before (the whole score, or the line of an edit and all after it): only the pages
    // are filled again.
    if (keep) {
        RepaginateFrom(painter, first);
        return;
    }
    std::size_t lineIndex = 0;
    for (int p = 0; p < first; ++p) {
        if (const auto node = layout->GetChild(p))
            lineIndex += static_cast<std::size_t>(node->GetChildCount());
    }
    RelayoutFrom(painter, ClampToInt(static_cast<long long>(lineIndex)), 1);
    RepaginateFrom(painter, first);
}

void ScoreEditor::RestackPage(ScorePainter& painter, int page)
{
    if (page < 0 || page >= layout->GetChildCount())
        return;
    const auto node = layout->GetChild(page);
    if (!node)
        return;
    NotePageChanged();
    long long h = 0;
    for (int i = 0; i < node->GetChildCount(); ++i) {
        const auto line = node->GetChild(i);
        if (!line)
            continue;
        line->Layout(painter);
        line->SetOrigin(node->GetChildOrigin());
        line->SetPosition({0, ClampToInt(h)});
        const auto found = std::find(lines.begin(), lines.end(), line);
        h += found != lines.end()
                 ? LineHeight(static_cast<std::size_t>(found - lines.begin()))
                 : line->GetRect().Height();
    }
    node->Layout(painter);
}

void ScoreEditor::EqualizeBarCounts()
{
    int longest = 0;
    for (int c = 0; c < score->GetChildCount(); ++c) {
        const auto group = score->GetChild(c);
        for (int t = 0; group && t < group->GetChildCount(); ++t) {
            if (const auto track = group->GetChild(t))
                longest = std::max(longest, track->GetChildCount());
        }
    }
    for (int c = 0; c < score->GetChildCount(); ++c) {
        const auto group = score->GetChild(c);
        for (int t = 0; group && t < group->GetChildCount(); ++t) {
            const auto track = group->GetChild(t);
            while (track && track->GetChildCount() < longest) {
                const int index = track->GetChildCount();
                auto bar = std::make_shared<Bar>(index);
                track->InsertChild(index, bar);
                bar->SetParent(track.get());
            }
        }
    }
}

int ScoreEditor::FindLineIndex(const ScoreElement& line) const
{
    // A line knows its index in the list, so the search spares a walk over the lines of
    // a long score; a line whose index is out of date is looked for.
    const int known = line.GetIndex();
    if (known >= 0 && static_cast<std::size_t>(known) < lines.size() &&
        lines[static_cast<std::size_t>(known)].get() == &line)
        return known;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].get() == &line)
            return static_cast<int>(i);
    }
    return -1;
}

ScoreEditor::LineOfBar ScoreEditor::FindLineOfBar(int bar) const
{
    const auto onPage = [this, bar](int p) -> LineOfBar {
        const auto page = layout->GetChild(p);
        for (int l = 0; page && l < page->GetChildCount(); ++l) {
            auto line = std::dynamic_pointer_cast<SystemNode>(page->GetChild(l));
            if (line && bar >= line->GetBarRange().first && bar < line->GetBarRange().end)
                return {p, l, std::move(line)};
        }
        return {};
    };
    // The pages hold the lines in bar order, so the page is found by halving the pages
    // by their first line's first bar (a long score has thousands of lines, and typing
    // a note asks for its line); pages out of that order are looked through one by one.
    const auto firstBar = [this](int p) {
        const auto page = layout->GetChild(p);
        for (int l = 0; page && l < page->GetChildCount(); ++l) {
            if (const auto* line = dynamic_cast<const SystemNode*>(page->GetChild(l).get()))
                return line->GetBarRange().first;
        }
        return -1;
    };
    int low = 0;
    int high = layout->GetChildCount() - 1;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (firstBar(middle) <= bar)
            low = middle;
        else
            high = middle - 1;
    }
    if (layout->GetChildCount() > 0) {
        if (LineOfBar found = onPage(low); found.node)
            return found;
    }
    for (int p = 0; p < layout->GetChildCount(); ++p) {
        if (LineOfBar found = onPage(p); found.node)
            return found;
    }
    return {};
}

bool ScoreEditor::PlaceCursorOnBar(int bar)
{
    const int barCount = GetBarCount();
    if (barCount <= 0)
        return false;
    bar = std::clamp(bar, 0, barCount - 1);
    const LineOfBar found = FindLineOfBar(bar);
    if (!found.node)
        return false;
    cursor.page = found.page;
    cursor.line = found.line;
    cursor.barInLine = bar - found.node->GetBarRange().first;
    return true;
}

int ScoreEditor::ShowPlaybackPosition(const PlaybackPosition& position)
{
    if (position.kind != kPlaybackPositionKind || position.bar < 0 ||
        position.bar >= GetBarCount())
        return 0;
    int latest = 0;
    for (int c = 0; c < score->GetChildCount(); ++c) {
        const auto group = score->GetChild(c);
        for (int t = 0; group && t < group->GetChildCount(); ++t) {
            const auto bar = std::dynamic_pointer_cast<Bar>(
                GetElementAtPath2(*group, t, position.bar));
            if (!bar)
                continue;
            for (const auto& note : bar->GetNotes()) {
                if (note && note->GetTiedFrom() == nullptr &&
                    note->GetStartTime() <= position.time)
                    latest = std::max(latest, note->GetStartTime());
            }
        }
    }
    PlaceCursorOnBar(position.bar);
    cursor.timeInBar = latest;
    const NoticePosition where{cursor.page, cursor.line, cursor.track, position.bar, latest};
    NotifyListener(EditorNotice{EditorNoticeCode::PageChanged, nullptr, nullptr, &where});
    return 0;
}

}  // namespace quaverly
