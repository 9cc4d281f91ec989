#include "engine/commands/insert_bars_command.h"

#include <algorithm>

#include "engine/editor/score_editor.h"
#include "engine/layout/layout_column_state.h"
#include "engine/layout/layout_engine.h"
#include "engine/model/bar.h"
#include "engine/model/part.h"

namespace quaverly {

namespace {

void RenumberBars(Part& part, int from)
{
    for (int i = std::max(from, 0); i < part.GetChildCount(); ++i) {
        if (auto bar = part.GetChild(i)) {
            bar->SetIndex(i);
        }
    }
}

}  // namespace

void InsertBarsCommand::Do()
{
    if (!editor_ || !editor_->score || count_ < 1 || index_ < 0 || index_ > editor_->GetBarCount()) {
        return;
    }
    started_ = true;
    Score& score = *editor_->score;
    if (removedFirst_) {
        InsertBars();
        before_.Restore(score);
    } else {
        before_.Capture(score);
        InsertBars();
        BarIndexTables::Shift(score, index_, count_);
    }
    Relayout(index_, index_ + count_);
}

void InsertBarsCommand::Undo()
{
    if (!editor_ || !editor_->score || count_ < 1 || index_ < 0 || index_ >= editor_->GetBarCount()) {
        return;
    }
    if (!started_) {
        started_ = true;
        removedFirst_ = true;
    }
    Score& score = *editor_->score;
    if (removedFirst_) {
        before_.Capture(score);
        RemoveBars();
        BarIndexTables::Shift(score, index_, -count_);
    } else {
        RemoveBars();
        before_.Restore(score);
    }
    Relayout(index_, index_ + 1);
}

void InsertBarsCommand::InsertBars()
{
    auto parts = ScoreParts(*editor_->score);
    for (std::size_t p = 0; p < parts.size(); ++p) {
        Part& part = *parts[p];
        int at = std::min(index_, part.GetChildCount());
        if (p < removed_.size() && !removed_[p].empty()) {
            for (const auto& bar : removed_[p]) {
                part.InsertChild(at++, bar);
            }
        } else {
            for (int n = 0; n < count_; ++n) {
                part.InsertChild(at, std::make_shared<Bar>(at));
                ++at;
            }
        }
        RenumberBars(part, index_);
    }
    removed_.clear();
}

void InsertBarsCommand::RemoveBars()
{
    auto parts = ScoreParts(*editor_->score);
    removed_.assign(parts.size(), {});
    for (std::size_t p = 0; p < parts.size(); ++p) {
        Part& part = *parts[p];
        for (int n = 0; n < count_ && index_ < part.GetChildCount(); ++n) {
            if (auto bar = std::dynamic_pointer_cast<Bar>(part.GetChild(index_))) {
                removed_[p].push_back(std::move(bar));
            }
            part.RemoveChild(index_);
        }
        RenumberBars(part, index_);
    }
}

void InsertBarsCommand::Relayout(int first, int end)
{
    if (!Painter()) {
        return;
    }
    int bars = editor_->GetBarCount();
    end = std::min(end, bars);
    if (first < 0 || first >= end) {
        return;
    }
    LayoutScore(LayoutColumnState{Painter(), editor_->score, first, end});
}

}  // namespace quaverly
