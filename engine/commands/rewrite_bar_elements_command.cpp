#include "engine/commands/rewrite_bar_elements_command.h"

#include <set>

#include "engine/editor/score_editor.h"
#include "engine/editor/selected_notes.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/expression_text.h"
#include "engine/model/key_signature.h"
#include "engine/model/line_mark.h"
#include "engine/model/note.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "engine/model/tempo_mark.h"
#include "engine/model/tuplet.h"

namespace quaverly {

namespace {

void SetNotes(Bar& bar, const std::vector<std::shared_ptr<Note>>& notes)
{
    // Take the current notes off from the last, then hand over the list in its order.
    while (!bar.GetNotes().empty())
        bar.RemoveNote(bar.GetNotes().back().get());
    for (const auto& note : notes)
        bar.AddNote(note);
}

}  // namespace

void ReplaceBarNotes(Part& part, Bar& bar, const std::vector<std::shared_ptr<Note>>& notes,
                     LiftedAttachments& lifted)
{
    // The bar's notes with their chord and grace notes.
    std::set<const Note*> leaving;
    for (const NotePlace& place : NotesOfBar(bar, nullptr))
        leaving.insert(place.note.get());
    const std::vector<std::shared_ptr<Tie>> ties = part.GetTies();  // a copy: it shrinks
    for (const auto& tie : ties) {
        const NoteAnchor start = tie->GetStart();
        const NoteAnchor end = tie->GetEnd();
        if (leaving.count(start.note.get()) == 0 && leaving.count(end.note.get()) == 0)
            continue;
        lifted.ties.push_back({tie, start, end});
        part.RemoveTie(tie);
        tie->ClearChildren();
    }
    const std::vector<std::shared_ptr<Tuplet>> tuplets = bar.GetTuplets();
    for (const auto& tuplet : tuplets) {
        if (leaving.count(tuplet->GetFirstNote().get()) == 0)
            continue;
        lifted.tuplets.push_back(tuplet);
        bar.RemoveTuplet(tuplet.get());
    }
    SetNotes(bar, notes);
}

void RestoreBarNotes(Part& part, Bar& bar, const std::vector<std::shared_ptr<Note>>& notes,
                     LiftedAttachments& lifted)
{
    SetNotes(bar, notes);
    for (const auto& tuplet : lifted.tuplets)
        bar.AddTuplet(tuplet);
    for (auto it = lifted.ties.rbegin(); it != lifted.ties.rend(); ++it) {
        it->tie->SetStart(it->start);
        it->tie->SetEnd(it->end);
        part.AddTie(it->tie);
    }
    lifted = {};
}

RewriteBarElementsCommand::RewriteBarElementsCommand(ScoreEditor* editor) : editor_(editor) {}

RewriteBarElementsCommand::~RewriteBarElementsCommand() = default;

void RewriteBarElementsCommand::Do()
{
    if (const auto [part, bar] = Locate(); bar)
        ReplaceBarNotes(*part, *bar, newElements_, lifted_);
}

void RewriteBarElementsCommand::Undo()
{
    if (const auto [part, bar] = Locate(); bar)
        RestoreBarNotes(*part, *bar, oldElements_, lifted_);
}

std::pair<std::shared_ptr<Part>, std::shared_ptr<Bar>> RewriteBarElementsCommand::Locate() const
{
    if (!editor_ || !editor_->score)
        return {};
    auto part = std::dynamic_pointer_cast<Part>(GetElementAtPath2(*editor_->score, partIndex_, 0));
    auto bar = part ? std::dynamic_pointer_cast<Bar>(part->GetChild(barIndex_)) : nullptr;
    return {std::move(part), std::move(bar)};
}

int GetFlagValue(const ScoreElement& element)
{
    if (const auto* mark = dynamic_cast<const LineMark*>(&element))
        return mark->GetBar();
    if (const auto* key = dynamic_cast<const KeySignature*>(&element))
        return key->GetValue().bar;
    if (const auto* tempo = dynamic_cast<const TempoMark*>(&element))
        return tempo->GetValue().position;
    if (const auto* text = dynamic_cast<const ExpressionText*>(&element))
        return text->GetValue().position;
    return 0;
}

}  // namespace quaverly
