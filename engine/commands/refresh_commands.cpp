#include "engine/commands/refresh_commands.h"

#include "engine/editor/score_editor.h"
#include "engine/layout/layout_column_state.h"
#include "engine/layout/layout_engine.h"
#include "engine/layout/layout_root.h"
#include "engine/layout/page_node.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/score.h"

namespace quaverly {

namespace {

// Whether the node still belongs to a laid-out view: its parents lead up to a layout
// root. A node a re-flow dropped has lost its parent.
bool IsInView(const ScoreElement& node)
{
    for (const ScoreElement* at = node.GetParent(); at; at = at->GetParent()) {
        if (dynamic_cast<const LayoutRoot*>(at))
            return true;
    }
    return false;
}

// Every bar of every part, part by part; the counts are read again at every step.
template <class Action>
void ForEachBar(const Score& score, Action action)
{
    for (int p = 0; p < score.GetChildCount(); ++p) {
        const auto container = score.GetChild(p);
        const auto part = container ? container->GetChild(0) : nullptr;
        if (!part)
            continue;
        for (int b = 0; b < part->GetChildCount(); ++b) {
            if (const auto bar = std::dynamic_pointer_cast<Bar>(part->GetChild(b)))
                action(*bar);
        }
    }
}

void LayColumns(ScorePainter* painter, const std::shared_ptr<Score>& score, int first, int end)
{
    if (!painter || !score)
        return;
    LayoutColumnState state;
    state.painter = painter;
    state.score = score;
    state.firstBar = first;
    state.endBar = end;
    LayoutScore(state);
}

}  // namespace

std::shared_ptr<ScoreElement> GetBarRef(const ScoreElement& container, int a, int b)
{
    const auto track = container.GetChild(a);
    return track ? track->GetChild(b) : nullptr;
}

void RefreshElementCommand::Do()
{
    if (target_ && Painter())
        target_->Layout(*Painter());
}

int RelayoutFromElementCommand::FindStart() const
{
    if (const int index = editor_->FindLineIndex(*start_); index >= 0)
        return index;
    const auto& lines = editor_->lines;
    // The line went with an undone re-cut and the redone one made a new line in its
    // place: the line that now holds its first bar is the one the edit laid out.
    if (startBar_ < 0)
        return -1;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto system = std::dynamic_pointer_cast<SystemNode>(lines[i]);
        if (!system)
            continue;
        const BarRange range = system->GetBarRange();
        if (range.first <= startBar_ && startBar_ < range.end)
            return static_cast<int>(i);
    }
    return -1;
}

bool RelayoutFromElementCommand::RelayoutFromStart()
{
    if (!editor_ || !start_ || !Painter())
        return false;
    const int index = FindStart();
    if (index < 0)
        return false;
    start_ = editor_->lines[static_cast<std::size_t>(index)];
    if (const auto system = std::dynamic_pointer_cast<SystemNode>(start_))
        startBar_ = system->GetBarRange().first;
    editor_->RelayoutFrom(*Painter(), index, mode_);
    return true;
}

void RelayoutFromElementCommand::Do()
{
    // A walk that ends with more or fewer lines leaves the pages holding the old ones: the
    // pages are filled again from the one that shows the start line.
    const std::size_t before = editor_ ? editor_->lines.size() : 0;
    if (!RelayoutFromStart() || editor_->lines.size() == before)
        return;
    int page = 0;
    for (int p = 0; p < editor_->layout->GetChildCount(); ++p) {
        const auto node = editor_->layout->GetChild(p);
        for (int l = 0; node && l < node->GetChildCount(); ++l) {
            if (node->GetChild(l).get() == start_.get())
                page = p;
        }
    }
    editor_->RepaginateFrom(*Painter(), page);
}

void RelayoutAndRepaginateCommand::Do()
{
    ScoreEditor* editor = Editor();
    if (!editor)
        return;
    const std::size_t before = editor->lines.size();
    if (RelayoutFromStart() && editor->lines.size() != before)
        editor->RepaginateFrom(*Painter(), 0);
}

void RelayoutScoreCommand::Do()
{
    if (!editor_ || !Painter() || editor_->lines.empty())
        return;
    if (const auto& heading = editor_->lines.front())
        heading->Layout(*Painter());
    editor_->RelayoutFrom(*Painter(), 1, 1);
}

void RelayoutLinesCommand::Do()
{
    if (editor_ && Painter())
        editor_->RestackPage(*Painter(), page_);
}

void RepaginateFromCommand::Do()
{
    if (editor_ && Painter())
        editor_->RepaginateFrom(*Painter(), page_);
}

void ReflowLinesBaseCommand::Do()
{
    if (editor_ && Painter())
        editor_->ReflowLinesFrom(*Painter(), page_, first_, second_);
}

void RefreshLineListCommand::Do()
{
    if (!editor_)
        return;
    for (int index : indices_)
        editor_->deferredReflows.insert(index);
}

void RebuildBarContentCommand::Walk(bool withBars)
{
    ScorePainter* painter = Painter();
    if (!editor_ || !painter || page_ < 0 || page_ >= editor_->GetLastPageIndex())
        return;
    const auto page = editor_->layout->GetChild(page_);
    if (!page)
        return;
    for (int s = 0; s < page->GetChildCount(); ++s) {
        const auto system = std::dynamic_pointer_cast<SystemNode>(page->GetChild(s));
        if (!system)
            continue;
        for (int t = 0; t < system->GetChildCount(); ++t) {
            const auto track = std::dynamic_pointer_cast<TrackNode>(system->GetChild(t));
            if (!track)
                continue;
            track->PlaceVerses(*painter);
            if (!withBars)
                continue;
            // The bar's layout places its lyrics on the verse lines just given.
            for (int b = 0; b < track->GetChildCount(); ++b) {
                if (const auto bar = track->GetChild(b))
                    bar->Layout(*painter);
            }
        }
    }
}

void RebuildBarIndexCommand::Do()
{
    ScorePainter* painter = Painter();
    if (!editor_ || !painter)
        return;
    // The bar's layout places its number (decorator) with everything else it owns.
    ForEachBar(*editor_->score, [painter](Bar& bar) { bar.Layout(*painter); });
}

void PlaceBarTimeSignatureCommand::Do()
{
    if (bar_ && Painter())
        bar_->Layout(*Painter());
}

void RefreshPageLinesCommand::Do()
{
    const auto page = page_.lock();
    // The page's own layout places its lines-per-page marker (and its page texts); the
    // lines are laid out by themselves.
    if (page && Painter() && IsInView(*page))
        page->Layout(*Painter());
}

void RebuildTrackLineMarksCommand::Do()
{
    const auto track = track_.lock();
    if (track && Painter() && IsInView(*track))
        track->BuildLineMarkViews(*Painter());
}

void RelayoutAllBarsCommand::Do()
{
    if (!score_)
        return;
    const auto first = score_->GetChild(0);
    const auto part = first ? first->GetChild(0) : nullptr;
    if (part)
        LayColumns(Painter(), score_, 0, part->GetChildCount());
}

void RelayoutBarRangeCommand::Do() { LayColumns(Painter(), score_, first_, end_); }

void RebuildBarsCommand::AppendBar(std::shared_ptr<Bar> bar)
{
    if (bar)
        bars_.push_back(std::move(bar));
}

void RebuildBarsCommand::Do()
{
    if (!Painter())
        return;
    // The bar's layout makes its barline-mark views afresh.
    for (const auto& bar : bars_)
        bar->Layout(*Painter());
}

void RefreshStaffJoinsCommand::Do()
{
    const auto system = system_.lock();
    if (system && Painter() && IsInView(*system))
        system->JoinRepeatBarlines(*Painter());
}

namespace {

void LayOutLinesAfterHeading(ScoreEditor* editor, ScorePainter* painter)
{
    if (!editor || !painter)
        return;
    for (std::size_t i = 1; i < editor->lines.size(); ++i) {
        if (const auto line = std::dynamic_pointer_cast<SystemNode>(editor->lines[i]))
            line->Layout(*painter);
    }
}

}  // namespace

void RefreshPartGroupTracksCommand::Do() { LayOutLinesAfterHeading(editor_, Painter()); }

void RefreshPartGroupHeadersCommand::Do() { LayOutLinesAfterHeading(editor_, Painter()); }

void NoticeCommand::Do()
{
    if (editor_)
        editor_->NotifyListener(code_);
}

BeginWaitNoticeCommand::BeginWaitNoticeCommand(ScoreEditor* editor)
    : NoticeCommand(editor, EditorNoticeCode::LongOperationBegin)
{
}

EndWaitNoticeCommand::EndWaitNoticeCommand(ScoreEditor* editor)
    : NoticeCommand(editor, EditorNoticeCode::LongOperationEnd)
{
}

PlaybackChangedNoticeCommand::PlaybackChangedNoticeCommand(ScoreEditor* editor)
    : NoticeCommand(editor, EditorNoticeCode::PlaybackChanged)
{
}

}  // namespace quaverly
