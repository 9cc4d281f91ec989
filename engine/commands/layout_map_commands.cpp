#include "engine/commands/layout_map_commands.h"

#include "engine/editor/score_editor.h"
#include "engine/model/score.h"

namespace quaverly {

namespace {

Score* ScoreOf(ScoreEditor* editor) { return editor ? editor->score.get() : nullptr; }

}  // namespace

void AddLineBreakCommand::Do()
{
    if (Score* score = ScoreOf(editor_))
        score->GetLineBreaks().insert(bar_);
}

void AddLineBreakCommand::Undo()
{
    if (Score* score = ScoreOf(editor_))
        score->GetLineBreaks().erase(bar_);
}

void AddBarsPerLineCommand::Do()
{
    if (Score* score = ScoreOf(editor_))
        score->GetBarsPerLine().insert_or_assign(key_, value_);
}

void AddBarsPerLineCommand::Undo()
{
    if (Score* score = ScoreOf(editor_))
        score->GetBarsPerLine().erase(key_);
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
        score_->GetLinesPerPage().insert_or_assign(key_, value_);
}

void AddPageLinesCommand::Undo()
{
    if (score_)
        score_->GetLinesPerPage().erase(key_);
}

}  // namespace quaverly
