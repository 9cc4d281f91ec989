#include "engine/commands/make_tuplet_command.h"

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
    bar_->AddTuplet(tuplet_);
    LayoutBar();
}

void MakeTupletCommand::Undo()
{
    if (!bar_ || !tuplet_) {
        return;
    }
    // The notes leave the tuplet with counts 0 again, so they sound and are spaced at
    // their written lengths; Do writes the counts back through the first note.
    tuplet_->ClearChildren();
    bar_->RemoveTuplet(tuplet_.get());
    LayoutBar();
}

void MakeTupletCommand::LayoutBar()
{
    if (Painter() != nullptr) {
        bar_->Layout(*Painter());
    }
}

}  // namespace quaverly
