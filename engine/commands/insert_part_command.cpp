#include "engine/commands/insert_part_command.h"

#include "engine/commands/bar_index_tables.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/layout_column_state.h"
#include "engine/layout/layout_engine.h"
#include "engine/layout/system_node.h"
#include "engine/model/layout_types.h"
#include "engine/model/part.h"
#include "engine/model/part_group.h"
#include "engine/model/score_painter.h"

namespace quaverly {

namespace {

bool IsUnset(double size) { return size < kUnsetDouble + 0.000001; }

}  // namespace

std::shared_ptr<Part> InsertPartCommand::PartOf(const std::shared_ptr<ScoreElement>& container) const
{
    return container ? std::dynamic_pointer_cast<Part>(container->GetChild(0)) : nullptr;
}

InsertPartCommand::Saved InsertPartCommand::Capture() const
{
    Saved saved;
    for (const auto& group : editor_->score->GetPartGroups()) {
        saved.groups.push_back({group, {group->GetFirstPart(), group->GetLastPart()}});
    }
    for (const auto& part : ScoreParts(*editor_->score)) {
        saved.links.emplace_back(part, part->GetStaffLink());
        saved.sizes.emplace_back(part, part->GetStaffSize());
    }
    return saved;
}

void InsertPartCommand::Restore(const Saved& saved) const
{
    // The score gets back the same groups in the same order, a group that a removal
    // dropped included.
    Score& score = *editor_->score;
    const auto current = score.GetPartGroups();
    for (const auto& group : current) {
        score.RemovePartGroup(group);
    }
    for (const auto& [group, bounds] : saved.groups) {
        group->SetFirstPart(bounds.first);
        group->SetLastPart(bounds.second);
        score.AddPartGroup(group);
    }
    for (const auto& [part, link] : saved.links) {
        part->SetStaffLink(link);
    }
    for (const auto& [part, size] : saved.sizes) {
        part->SetStaffSize(size);
    }
}

void InsertPartCommand::ShiftGroups(int delta) const
{
    const auto groups = editor_->score->GetPartGroups();
    for (const auto& group : groups) {
        int first = group->GetFirstPart();
        int last = group->GetLastPart();
        if (delta > 0) {
            first += first >= index_ ? delta : 0;
            last += last >= index_ ? delta : 0;
        } else {
            if (first == index_ && last == index_) {
                // The group covered only the removed part: it goes with it.
                editor_->score->RemovePartGroup(group);
                continue;
            }
            first -= first > index_ ? 1 : 0;
            last -= last >= index_ && last > 0 ? 1 : 0;
            if (last < first) {
                last = first;
            }
        }
        group->SetFirstPart(first);
        group->SetLastPart(last);
    }
}

void InsertPartCommand::UnpairAround(int index) const
{
    // The parts now at index - 1 and index were the removed part's neighbours.
    const auto parts = ScoreParts(*editor_->score);
    if (index - 1 >= 0 && static_cast<std::size_t>(index - 1) < parts.size() &&
        parts[static_cast<std::size_t>(index - 1)]->GetStaffLink() == staff_link::kFirstOfPair) {
        parts[static_cast<std::size_t>(index - 1)]->SetStaffLink(staff_link::kAlone);
    }
    if (index >= 0 && static_cast<std::size_t>(index) < parts.size() &&
        parts[static_cast<std::size_t>(index)]->GetStaffLink() == staff_link::kSecondOfPair) {
        parts[static_cast<std::size_t>(index)]->SetStaffLink(staff_link::kAlone);
    }
}

void InsertPartCommand::RebuildTracks() const
{
    for (const auto& line : editor_->lines) {
        if (const auto system = std::dynamic_pointer_cast<SystemNode>(line)) {
            system->CreateTracks();
        }
    }
}

void InsertPartCommand::Do()
{
    if (!editor_ || !editor_->score) {
        return;
    }
    Score& score = *editor_->score;
    const int count = score.GetChildCount();
    const auto part = PartOf(container_);
    if (!part || index_ < 0 || index_ > count) {
        return;
    }
    started_ = true;
    if (removedFirst_) {
        score.InsertChild(index_, container_);
        Restore(before_);
    } else if (insertedOnce_) {
        // A redo: the same sizes, offsets and group bounds as the first run gave.
        score.InsertChild(index_, container_);
        Restore(after_);
    } else {
        before_ = Capture();
        if (ScorePainter* painter = Painter()) {
            if (IsUnset(part->GetStaffSize())) {
                if (index_ < count) {
                    part->SetStaffSize(painter->GetMetric99());
                } else {
                    if (count > 0) {
                        if (const auto last = PartOf(score.GetChild(count - 1))) {
                            last->SetStaffSize(painter->GetMetric99());
                        }
                    }
                    part->SetStaffSize(static_cast<double>(painter->GetMetric100()) + painter->GetMetric99());
                }
            }
            for (int verse = 0; verse < Part::kVerseCount; ++verse) {
                if (part->GetVerseOffset(verse) == kUnset) {
                    part->SetVerseOffset(verse, verse == 0
                                                    ? painter->GetMetric111() + painter->GetMetric110()
                                                    : painter->GetMetric111());
                }
            }
        }
        ShiftGroups(1);
        score.InsertChild(index_, container_);
        insertedOnce_ = true;
        after_ = Capture();
    }
    editor_->EqualizeBarCounts();
    if (Painter() != nullptr && editor_->GetBarCount() > 0) {
        LayoutScore(LayoutColumnState{Painter(), editor_->score, 0, editor_->GetBarCount()});
    }
    RebuildTracks();
}

void InsertPartCommand::Undo()
{
    if (!editor_ || !editor_->score || index_ < 0 || index_ >= editor_->score->GetChildCount()) {
        return;
    }
    Score& score = *editor_->score;
    if (!started_) {
        started_ = true;
        removedFirst_ = true;
    }
    if (removedFirst_) {
        before_ = Capture();
        if (!container_) {
            container_ = score.GetChild(index_);
        }
        score.RemoveChild(index_);
        ShiftGroups(-1);
        UnpairAround(index_);
    } else {
        score.RemoveChild(index_);
        Restore(before_);
    }
    RebuildTracks();
}

}  // namespace quaverly
