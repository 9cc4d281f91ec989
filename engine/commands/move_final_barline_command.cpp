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
}

void MoveFinalBarlineCommand::Undo()
{
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
        if (const auto barline = change->barline.lock())
            barline->SetType(change->oldType);
    }
    changes_.clear();
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
