#include "engine/model/bar.h"

#include <algorithm>
#include <cstdint>

#include "engine/model/beam_group.h"
#include "engine/model/beat_grouping.h"
#include "engine/model/int_clamp.h"
#include "engine/model/note.h"
#include "engine/model/pointer_list.h"
#include "engine/model/position_map.h"

namespace quaverly {

Bar::Bar() : Bar(-1)
{
}

Bar::Bar(int index)
{
    SetIndex(index);
}

Bar::~Bar() = default;

Rect Bar::GetExtent(ScorePainter& /*painter*/)
{
    if (!positionMap_)
        return {};
    const std::int64_t width = std::int64_t{positionMap_->GetTotalExtent()} +
                               positionMap_->GetLeftMargin() + positionMap_->GetRightMargin();
    return {0, 0, ClampToInt(width), 0};
}

void Bar::SetPositionMap(std::shared_ptr<PositionMap> map)
{
    positionMap_ = std::move(map);
}

void Bar::AddNote(NotePtr note)
{
    if (note)
        notes_.push_back(std::move(note));
}

void Bar::SortNotes()
{
    std::stable_sort(notes_.begin(), notes_.end(), [](const NotePtr& a, const NotePtr& b) {
        return a->GetStartTime() < b->GetStartTime();
    });
}

void Bar::RemoveNote(const Note* note)
{
    TakeEntry(notes_, note);
}

void Bar::RebuildBeamGroups()
{
    for (const std::shared_ptr<BeamGroup>& group : beamGroups_) {
        for (const NotePtr& note : group->GetNotes())
            note->SetBeamed(false);
        group->ClearChildren();
    }
    beamGroups_.clear();

    BeatGrouping grouping;
    if (positionMap_) {
        const auto [beats, beatType] = positionMap_->GetMeter();
        grouping.SetMeter(beats, beatType);
    }
    beamGroups_ = grouping.GroupBeams(notes_);
}

int Bar::AddTuplet(TupletPtr tuplet)
{
    if (!tuplet)
        return -1;
    tuplets_.push_back(std::move(tuplet));
    return static_cast<int>(tuplets_.size()) - 1;
}

void Bar::RemoveTuplet(const Tuplet* tuplet)
{
    TakeEntry(tuplets_, tuplet);
}

}  // namespace quaverly
