#include "engine/commands/value_commands.h"

#include "engine/editor/score_editor.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/barline_mark.h"
#include "engine/model/decorator.h"
#include "engine/model/edit_mark.h"
#include "engine/model/line_mark.h"
#include "engine/model/page_text.h"
#include "engine/model/part.h"
#include "engine/model/part_group.h"
#include "engine/model/score.h"

namespace quaverly {

void SetElementOffsetCommand::Do()
{
    if (!element_)
        return;
    if (!byStep_) {
        element_->SetOffset(newOffset_);
        return;
    }
    foundOffset_ = element_->GetOffset();
    const Point step{SubtractCoordinates(newOffset_.x, oldOffset_.x),
                     SubtractCoordinates(newOffset_.y, oldOffset_.y)};
    element_->SetOffset(OffsetPoint(foundOffset_, step));
}

void SetElementOffsetCommand::Undo()
{
    if (element_)
        element_->SetOffset(byStep_ ? foundOffset_ : oldOffset_);
}

void SetStaffPairValueCommand::Do()
{
    if (system_)
        system_->SetRightOffset(newOffset_);
}

void SetStaffPairValueCommand::Undo()
{
    if (system_)
        system_->SetRightOffset(oldOffset_);
}

void SetStaffSizeCommand::Do()
{
    if (part_)
        part_->SetStaffSize(newSize_);
}

void SetStaffSizeCommand::Undo()
{
    if (part_)
        part_->SetStaffSize(oldSize_);
}

void SetPartIndexedValueCommand::Do()
{
    if (part_)
        part_->SetVerseOffset(verse_, newOffset_);
}

void SetPartIndexedValueCommand::Undo()
{
    if (part_)
        part_->SetVerseOffset(verse_, oldOffset_);
}

void SetBarValueCommand::Do()
{
    if (bar_)
        bar_->SetManualAdjust(newFactor_);
}

void SetBarValueCommand::Undo()
{
    if (bar_)
        bar_->SetManualAdjust(oldFactor_);
}

void SetElementStyleCommand::Do() { Apply(newValue_); }
void SetElementStyleCommand::Undo() { Apply(oldValue_); }

void SetElementStyleCommand::Apply(int value)
{
    if (auto* mark = dynamic_cast<BarlineMark*>(element_.get()))
        mark->SetValue(value);
    else if (auto* text = dynamic_cast<PageText*>(element_.get()))
        text->SetPage(value);
}

void SetBarlineTypeCommand::AppendBar(std::shared_ptr<Bar> bar)
{
    if (bar)
        bars_.push_back(std::move(bar));
}

void SetBarlineTypeCommand::Do() { Apply(newType_); }
void SetBarlineTypeCommand::Undo() { Apply(oldType_); }

void SetBarlineTypeCommand::Apply(int type)
{
    for (const auto& bar : bars_) {
        if (const auto& barline = bar->GetBarline(side_))
            barline->SetType(type);
    }
}

void SetBarRepeatCommand::AppendBar(std::shared_ptr<Bar> bar)
{
    if (bar)
        bars_.push_back(std::move(bar));
}

void SetBarRepeatCommand::Do() { Apply(newValue_); }
void SetBarRepeatCommand::Undo() { Apply(oldValue_); }

void SetBarRepeatCommand::Apply(int value)
{
    for (const auto& bar : bars_) {
        if (const auto& barline = bar->GetBarline(side_))
            barline->SetMarkValue(value);
    }
}

void MoveLineMarkCommand::Do() { Apply(new_); }
void MoveLineMarkCommand::Undo() { Apply(old_); }

void MoveLineMarkCommand::Apply(const Place& place)
{
    if (!mark_)
        return;
    mark_->SetBar(place.bar);
    mark_->SetTimePosition(place.position);
    mark_->SetOffset(place.offset);
}

void ReshapeLineMarkCommand::Do() { Apply(newDuration_, newCurve_); }
void ReshapeLineMarkCommand::Undo() { Apply(oldDuration_, oldCurve_); }

void ReshapeLineMarkCommand::Apply(int duration, float curve)
{
    if (!mark_)
        return;
    mark_->SetDuration(duration);
    mark_->SetRadian(curve);
}

void SetPartGroupBoundCommand::Do() { Apply(newPart_); }
void SetPartGroupBoundCommand::Undo() { Apply(oldPart_); }

void SetPartGroupBoundCommand::Apply(int part)
{
    if (!group_)
        return;
    if (firstBound_)
        group_->SetFirstPart(part);
    else
        group_->SetLastPart(part);
}

void AddPartGroupCommand::Do()
{
    if (score_)
        score_->AddPartGroup(group_);
}

void AddPartGroupCommand::Undo()
{
    if (score_)
        score_->RemovePartGroup(group_);
}

void AddBarIndexCommand::Do()
{
    if (bar_)
        bar_->SetDecorator(decorator_);
}

void AddBarIndexCommand::Undo()
{
    if (bar_)
        bar_->ClearDecorator();
}

void ReleaseSpacingHandlesCommand::Do()
{
    if (!editor_)
        return;
    for (const auto& line : editor_->lines) {
        if (!line)
            continue;
        for (int t = 0; t < line->GetChildCount(); ++t) {
            const auto row = std::dynamic_pointer_cast<TrackNode>(line->GetChild(t));
            if (row && row->GetSpacingMark())
                row->GetSpacingMark()->ReleaseButton();
        }
    }
}

}  // namespace quaverly
