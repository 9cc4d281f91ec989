// The editor's clipboard operations: a block of bars is copied as a score fragment in its
// byte form, and such bytes are pasted at the cursor as one undo step.
//
// A paste replaces the notes of every bar the fragment covers, starting at the cursor's
// bar and row; when the fragment runs past the last bar, bars are appended to every part
// first (and the final barline moves to the new last bar). The whole paste is one
// reverse group, so undo puts the old notes back before the appended bars go.
#include <memory>
#include <span>

#include "engine/commands/insert_bars_command.h"
#include "engine/commands/move_final_barline_command.h"
#include "engine/commands/refresh_commands.h"
#include "engine/commands/relayout_track_range_command.h"
#include "engine/commands/rewrite_bar_elements_command.h"
#include "engine/editor/measure_range_exporter.h"
#include "engine/editor/paste_inserter.h"
#include "engine/editor/score_editor.h"
#include "engine/editor/score_fragment_reader.h"
#include "engine/layout/selection_range.h"

namespace quaverly {

void ScoreEditor::CopySelection(std::vector<std::uint8_t>& bytes)
{
    // Without a block selected there is nothing to copy: the caller's bytes stay.
    if (!HasSelection())
        return;
    int firstPart = -1;
    int firstBar = -1;
    int lastPart = -1;
    int lastBar = -1;
    layout->GetSelection()->GetFirst(firstPart, firstBar);
    layout->GetSelection()->GetLast(lastPart, lastBar);
    CopyBarRange(score, firstPart, firstBar, lastPart, lastBar, bytes);
}

// Cutting leaves the score as it is: the program copies and deletes on its own.
void ScoreEditor::CutSelection(int /*flags*/) {}

void ScoreEditor::Paste(const std::uint8_t* data, std::size_t size)
{
    if (data == nullptr)
        return;
    ScoreFragment fragment;
    if (!ReadScoreChunk(std::span<const std::uint8_t>(data, size), fragment))
        return;
    // The cursor must stand on a bar of the layout; the plan checks the fragment whole.
    PastePlan plan;
    if (!PasteInserter(score, fragment).Plan(CursorBar(), cursor.track, plan))
        return;

    BeginReverseGroup(false);
    if (plan.barsToAppend > 0) {
        BeginGroup(false);
        auto insert = std::make_unique<InsertBarsCommand>(this);
        insert->SetIndex(plan.barCountBefore);
        insert->SetCount(plan.barsToAppend);
        AddCommand(std::move(insert));
        auto finalBarline = std::make_unique<MoveFinalBarlineCommand>(this);
        finalBarline->SetBarIndex(plan.barCountBefore);
        AddCommand(std::move(finalBarline));
        auto reflow = std::make_unique<ReflowLinesCommand>(this);
        reflow->SetPage(cursor.page);
        AddCommand(std::move(reflow));
        AddCommand(MakeDeferredReflows(cursor.page));
        EndGroup();
    }
    BeginGroup(false);
    for (const BarRewrite& rewrite : plan.rewrites) {
        auto command = std::make_unique<RewriteBarElementsCommand>(this);
        command->SetPartIndex(rewrite.part);
        command->SetBarIndex(rewrite.bar);
        command->SetNewElements(rewrite.newNotes);
        command->SetOldElements(rewrite.oldNotes);
        AddCommand(std::move(command));
    }
    auto relayout = std::make_unique<RelayoutTrackRangeCommand>(this);
    relayout->SetRange(plan.startBar, plan.endBar - 1);
    AddCommand(std::move(relayout));
    EndGroup();
    EndGroup();
    NotifyDocumentChanged();
}

}  // namespace quaverly
