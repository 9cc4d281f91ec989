#include "engine/commands/move_final_barline_command.h"

#include "engine/editor/score_editor.h"
#include "engine/layout/layout_root.h"
#include "engine/layout/system_node.h"
#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/part.h"

namespace quaverly {

void MoveFinalBarlineCommand::Do()
{
    changes_.clear();
    if (!editor_)
        return;
    const int count = editor_->GetBarCount();
    if (barIndex_ > 0 && barIndex_ < count) {
        Retype(barIndex_ - 1, barline_type::kFinal, barline_type::kNormal);
        if (ScorePainter* painter = Painter()) {
            if (const auto system = editor_->layout->FindSystemOfBar(barIndex_ - 1))
                system->JoinRepeatBarlines(*painter);
        }
    }
    if (count > 0)
        Retype(count - 1, barline_type::kNormal, barline_type::kFinal);
    if (!changes_.empty())
        LayOutChangedBars(barIndex_ > 0 && barIndex_ < count ? barIndex_ - 1 : count - 1);
}

void MoveFinalBarlineCommand::Undo()
{
    const bool changed = !changes_.empty();
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
        if (const auto barline = change->barline.lock())
            barline->SetType(change->oldType);
    }
    changes_.clear();
    if (changed && editor_) {
        const int count = editor_->GetBarCount();
        LayOutChangedBars(barIndex_ > 0 && barIndex_ < count ? barIndex_ - 1 : count - 1);
    }
}

void MoveFinalBarlineCommand::LayOutChangedBars(int firstBar) const
{
    // A final barline is wider than a normal one: the columns of the bars whose barline
    // changed were measured with the other one. The lines are laid out again from the one
    // that holds the first of them, measuring their columns anew, as a layout from
    // scratch measures them.
    ScorePainter* painter = Painter();
    if (!painter || firstBar < 0)
        return;
    const ScoreEditor::LineOfBar found = editor_->FindLineOfBar(firstBar);
    if (!found.node)
        return;
    if (const int index = editor_->FindLineIndex(*found.node); index >= 0) {
        editor_->RelayoutFrom(*painter, index, 0);
        editor_->RepaginateFrom(*painter, found.page);
    }
}

void MoveFinalBarlineCommand::Retype(int bar, int from, int to)
{
    const Score& score = *editor_->score;
    for (int p = 0; p < score.GetChildCount(); ++p) {
        const auto container = score.GetChild(p);
        const auto part = container ? std::dynamic_pointer_cast<Part>(container->GetChild(0))
                                    : nullptr;
        const auto target = part ? std::dynamic_pointer_cast<Bar>(part->GetChild(bar)) : nullptr;
        if (!target)
            continue;
        const auto& barline = target->GetBarline(1);
        if (!barline || barline->GetType() != from)
            continue;
        changes_.push_back({barline, barline->GetType()});
        barline->SetType(to);
    }
}

}  // namespace quaverly
