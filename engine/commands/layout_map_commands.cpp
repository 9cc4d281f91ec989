#include "engine/commands/layout_map_commands.h"

#include "engine/editor/score_editor.h"
#include "engine/model/score.h"

namespace quaverly {

namespace {

Score* ScoreOf(ScoreEditor* editor) { return editor ? editor->score.get() : nullptr; }

// Sets the key's entry; the first time since the last restore it remembers what the key
// held (so doing twice still restores what was there before the first).
void SetMapEntry(std::map<int, int>& map, int key, int value, PriorMapEntry& prior)
{
    if (!prior.saved) {
        const auto found = map.find(key);
        prior.value = found != map.end() ? std::optional<int>(found->second) : std::nullopt;
        prior.saved = true;
    }
    map.insert_or_assign(key, value);
}

// Puts back what the key held before it was set: its earlier value, or no entry.
void RestoreMapEntry(std::map<int, int>& map, int key, PriorMapEntry& prior)
{
    if (prior.value)
        map.insert_or_assign(key, *prior.value);
    else
        map.erase(key);
    prior = {};
}

}  // namespace

void AddLineBreakCommand::Do()
{
    Score* score = ScoreOf(editor_);
    if (!score)
        return;
    const bool added = score->GetLineBreaks().insert(bar_).second;
    if (!applied_)
        hadBreak_ = !added;
    applied_ = true;
}

void AddLineBreakCommand::Undo()
{
    if (Score* score = ScoreOf(editor_); score && !hadBreak_)
        score->GetLineBreaks().erase(bar_);
    applied_ = false;
    hadBreak_ = false;
}

void AddBarsPerLineCommand::Do()
{
    if (Score* score = ScoreOf(editor_))
        SetMapEntry(score->GetBarsPerLine(), key_, value_, before_);
}

void AddBarsPerLineCommand::Undo()
{
    if (Score* score = ScoreOf(editor_))
        RestoreMapEntry(score->GetBarsPerLine(), key_, before_);
}

void ChangeBarsPerLineCommand::Do() { Apply(doMap_); }
void ChangeBarsPerLineCommand::Undo() { Apply(undoMap_); }

void ChangeBarsPerLineCommand::Apply(const std::map<int, int>& map)
{
    Score* score = ScoreOf(editor_);
    if (!score)
        return;
    std::map<int, int>& target = score->GetBarsPerLine();
    target.clear();
    target.insert(map.begin(), map.end());
}

void AddPageLinesCommand::Do()
{
    if (score_)
        SetMapEntry(score_->GetLinesPerPage(), key_, value_, before_);
}

void AddPageLinesCommand::Undo()
{
    if (score_)
        RestoreMapEntry(score_->GetLinesPerPage(), key_, before_);
}

}  // namespace quaverly
