#include "engine/commands/set_note_duration_command.h"

#include <algorithm>
#include <cstdint>

#include "engine/commands/insert_note_command.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/layout_column_state.h"
#include "engine/layout/layout_engine.h"
#include "engine/model/bar.h"
#include "engine/model/int_clamp.h"
#include "engine/model/note.h"
#include "engine/model/note_time.h"

namespace quaverly {

void SetNoteDurationCommand::Plan()
{
    planned_ = true;
    const std::int64_t from = note_->GetStartTime();
    std::int64_t needed = GetNoteDuration(note_.get());
    // A copy: the plan is made on the notes as they are now.
    const std::vector<std::shared_ptr<Note>> notes = bar_->GetNotes();
    for (const auto& note : notes)
        if (note && note != note_)
            order_.emplace_back(note, note->GetStartTime());
    for (const auto& note : notes) {
        if (!note || note == note_ || needed <= 0)
            continue;
        const std::int64_t start = note->GetStartTime();
        const std::int64_t length = GetNoteDuration(note.get());
        const std::int64_t end = start + length;
        if (end <= from)
            continue;
        const NoteInputValues values = SetNotePropertiesCommand::ValuesOf(*note);
        if (start < from) {
            // Running over the input time: it ends there now.
            NoteInputValues cut = values;
            cut.duration = ClampToInt(from - start);
            cut.dots = 0;
            shortened_.push_back({note, values, cut, note->GetStartTime()});
            continue;
        }
        if (length <= needed || note->GetTupletActual() > 0) {
            auto remove = std::make_shared<RemoveNoteCommand>(editor_);
            remove->Target().SetNote(note);
            remove->Target().SetBar(bar_);
            removals_.push_back(std::move(remove));
            needed -= std::min(length, needed);
            continue;
        }
        NoteInputValues rest = values;
        rest.duration = ClampToInt(length - needed);
        rest.dots = 0;
        shortened_.push_back({note, values, rest, ClampToInt(start + needed)});
        needed = 0;
    }
}

void SetNoteDurationCommand::Do()
{
    if (!note_ || !bar_)
        return;
    if (!planned_)
        Plan();
    for (const auto& removal : removals_) {
        removal->SetPainter(Painter());
        removal->Do();
    }
    for (const Shortened& entry : shortened_) {
        SetNotePropertiesCommand::Apply(*entry.note, entry.newValues);
        entry.note->SetStartTime(entry.newStart);
    }
    // No layout here: it would retime the notes before the new note is sorted in.
    bar_->SortNotes();
}

void SetNoteDurationCommand::Undo()
{
    if (!note_ || !bar_)
        return;
    for (auto it = shortened_.rbegin(); it != shortened_.rend(); ++it)
        SetNotePropertiesCommand::Apply(*it->note, it->oldValues);
    for (auto it = removals_.rbegin(); it != removals_.rend(); ++it) {
        (*it)->SetPainter(Painter());
        (*it)->Undo();
    }
    // The layouts in between retimed the notes that stayed: order and times come back
    // from the record, not from a sort.
    for (const auto& [note, start] : order_)
        bar_->RemoveNote(note.get());
    for (const auto& [note, start] : order_) {
        note->SetStartTime(start);
        bar_->AddNote(note);
    }
    Relayout();
}

void SetNoteDurationCommand::Relayout()
{
    if (!Painter() || !editor_ || !editor_->score || barIndex_ < 0 ||
        barIndex_ >= editor_->GetBarCount())
        return;
    LayoutScore(LayoutColumnState{Painter(), editor_->score, barIndex_, barIndex_ + 1});
}

}  // namespace quaverly
