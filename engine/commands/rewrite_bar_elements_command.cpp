#include "engine/commands/rewrite_bar_elements_command.h"

#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/note.h"
#include "engine/model/part.h"
#include "engine/model/score.h"

namespace quaverly {

namespace {

// Bar b of part p, or nothing when either index is out of range.
std::shared_ptr<Bar> FindBar(const ScoreEditor& editor, int p, int b)
{
    if (!editor.score || p < 0 || p >= editor.score->GetChildCount())
        return nullptr;
    const auto container = editor.score->GetChild(p);
    if (!container || container->GetChildCount() <= 0)
        return nullptr;
    const auto part = std::dynamic_pointer_cast<Part>(container->GetChild(0));
    if (!part || b < 0 || b >= part->GetChildCount())
        return nullptr;
    return std::dynamic_pointer_cast<Bar>(part->GetChild(b));
}

}  // namespace

RewriteBarElementsCommand::RewriteBarElementsCommand(ScoreEditor* editor) : editor_(editor) {}

RewriteBarElementsCommand::~RewriteBarElementsCommand() = default;

void RewriteBarElementsCommand::Do()
{
    Rewrite(newElements_);
}

void RewriteBarElementsCommand::Undo()
{
    Rewrite(oldElements_);
}

void RewriteBarElementsCommand::Rewrite(const NoteList& notes)
{
    if (!editor_)
        return;
    const auto bar = FindBar(*editor_, partIndex_, barIndex_);
    if (!bar)
        return;
    // Take the current notes off from the last, then hand over the list in its order.
    while (!bar->GetNotes().empty())
        bar->RemoveNote(bar->GetNotes().back().get());
    for (const auto& note : notes)
        bar->AddNote(note);
}

}  // namespace quaverly
