#include "engine/model/beam_group.h"

#include <bit>
#include <utility>

#include "engine/model/note.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_time.h"

namespace quaverly {

BeamGroup::BeamGroup() : style_(SharedNormalNoteStyle()) {}

BeamGroup::~BeamGroup()
{
    for (const auto& note : notes_)
        note->SetBeamed(false);
}

void BeamGroup::AddNote(std::shared_ptr<Note> note)
{
    if (!note)
        return;
    note->SetBeamed(true);
    notes_.push_back(std::move(note));
}

void BeamGroup::SetStyle(std::shared_ptr<const NoteStyle> style)
{
    if (style)
        style_ = std::move(style);
}

void BeamGroup::ClearChildren()
{
    ScoreElement::ClearChildren();
    notes_.clear();
    segments_.clear();
}

void BeamGroup::Layout(ScorePainter& painter)
{
    ScoreElement::Layout(painter);
    segments_.clear();

    const Size note = style_->GetNoteSize(painter);
    const int interval = style_->GetLegerInterval(painter);

    // One pass per underline level, eighth down to 128th. A note takes part in a level
    // when its base length is at most the level's length; a note without a length has
    // no underlines and ends a run like a long note.
    for (int level = note_length::kEighth; level >= note_length::k128th; level /= 2) {
        const int depth = std::bit_width(static_cast<unsigned>(kTicksPerQuarter / level)) - 1;
        const auto addRun = [&](std::size_t first, std::size_t last) {
            const Point from = notes_[first]->GetPosition();
            const Point to = notes_[last]->GetPosition();
            const int below = note.cy + depth * interval;
            segments_.push_back({{from.x, from.y + below}, {to.x + note.cx, to.y + below}});
        };

        bool open = false;
        std::size_t runStart = 0;
        for (std::size_t i = 0; i < notes_.size(); ++i) {
            const int base = notes_[i]->GetDuration();
            const bool joins = base > 0 && base <= level;
            if (joins && !open) {
                open = true;
                runStart = i;
            } else if (!joins && open) {
                open = false;
                addRun(runStart, i - 1);
            }
        }
        if (open)
            addRun(runStart, notes_.size() - 1);
    }
}

void BeamGroup::Draw(ScorePainter& painter)
{
    ScoreElement::Draw(painter);
    const Point at = GetAbsolutePoint();
    for (const Segment& segment : segments_) {
        style_->DrawLegerLine(painter, OffsetPoint(segment.start, at),
                              segment.end.x - segment.start.x, GetColor());
    }
}

}  // namespace quaverly
