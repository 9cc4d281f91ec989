#include "engine/commands/make_tuplet_command.h"

#include "engine/editor/score_editor.h"
#include "engine/layout/layout_column_state.h"
#include "engine/layout/layout_engine.h"
#include "engine/model/bar.h"
#include "engine/model/note.h"
#include "engine/model/tuplet.h"

namespace quaverly {

MakeTupletCommand::MakeTupletCommand(ScoreEditor* editor)
    : editor_(editor), tuplet_(std::make_shared<Tuplet>())
{
}

void MakeTupletCommand::Do()
{
    if (!bar_ || !tuplet_) {
        return;
    }
    tuplet_->SetFirstNote(firstNote_);
    // A tuplet that comes back takes back the notes it held, with their counts, so that
    // the bar is timed as it was before it went.
    for (const auto& note : furtherNotes_)
        tuplet_->AddNote(note);
    furtherNotes_.clear();
    bar_->AddTuplet(tuplet_);
    LayoutBar();
}

void MakeTupletCommand::Undo()
{
    if (!bar_ || !tuplet_) {
        return;
    }
    // The notes leave the tuplet with counts 0 again, so they sound and are spaced at
    // their written lengths; Do writes the counts back.
    furtherNotes_ = tuplet_->GetNotes();
    tuplet_->ClearChildren();
    bar_->RemoveTuplet(tuplet_.get());
    LayoutBar();
}

void MakeTupletCommand::LayoutBar()
{
    if (Painter() == nullptr) {
        return;
    }
    // The notes' times follow from the counts: the bar's column is timed and laid out
    // again, not the bar alone.
    const int index = bar_->GetIndex();
    if (editor_ && editor_->score && index >= 0 && index < editor_->GetBarCount()) {
        LayoutScore(LayoutColumnState{Painter(), editor_->score, index, index + 1});
    } else {
        bar_->Layout(*Painter());
    }
}

}  // namespace quaverly
