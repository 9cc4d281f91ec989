#include "engine/commands/insert_note_command.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "engine/commands/bar_index_tables.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/layout_column_state.h"
#include "engine/layout/layout_engine.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_mark_views.h"
#include "engine/model/bar.h"
#include "engine/model/element_notification.h"
#include "engine/model/note.h"
#include "engine/model/part.h"
#include "engine/model/tuplet.h"

namespace quaverly {

namespace {

std::shared_ptr<Part> PartHolding(const ScoreEditor& editor, const Bar* bar)
{
    if (!editor.score || bar == nullptr) {
        return nullptr;
    }
    const auto parts = ScoreParts(*editor.score);
    // A bar is normally where its index says: one look per part, whatever the length.
    for (const auto& part : parts) {
        if (part->GetChild(bar->GetIndex()).get() == bar) {
            return part;
        }
    }
    for (const auto& part : parts) {
        if (part->FindBarPlace(bar) >= 0) {
            return part;
        }
    }
    return nullptr;
}

// The place in the part of the bar an anchor's note stands in; -1 when the part has no
// such bar.
int BarPlaceInPart(const Part& part, const NoteAnchor& anchor)
{
    const auto* bar = dynamic_cast<const Bar*>(anchor.owner.get());
    if (!bar || !anchor.note)
        return -1;
    return part.FindBarPlace(bar);
}

// Where a note stands in its part: the bar's place in the part and the place in the bar
// of the note (of the note that carries it, for a chord note). The order of the bar's
// notes, not their start times: a note just put in has the time it was entered at until
// the layout times the bar's notes again.
std::pair<int, int> PlaceInPart(const Part& part, const NoteAnchor& anchor)
{
    const int index = BarPlaceInPart(part, anchor);
    if (index < 0)
        return {-1, -1};
    const auto& notes = static_cast<const Bar&>(*anchor.owner).GetNotes();
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (notes[i] == anchor.note)
            return {index, static_cast<int>(i)};
        for (const auto& chord : notes[i]->GetChordMembers()) {
            if (chord == anchor.note)
                return {index, static_cast<int>(i)};
        }
    }
    return {-1, -1};
}

// The part's ties at the places the look-ups gave, in the part's order, each once.
std::vector<std::shared_ptr<Tie>> TiesAt(const Part& part, std::vector<std::size_t>& places)
{
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    std::vector<std::shared_ptr<Tie>> ties;
    ties.reserve(places.size());
    const auto& all = part.GetTies();
    for (const std::size_t place : places) {
        if (place < all.size())
            ties.push_back(all[place]);
    }
    return ties;
}

}  // namespace

void InsertNoteCommand::Do()
{
    if (!note_ || !bar_) {
        return;
    }
    // The layout retimes a bar's notes one after the other, so once the note was out its
    // followers moved up to its start time; sorting on start time alone would put it back
    // behind them. Sort it in just before the note that took its place.
    const auto& notes = bar_->GetNotes();
    // Ties and tuplets reach other bars, maybe other lines and pages.
    bool reachesOut = !ended_.empty() || !ties_.empty() || !tuplets_.empty();
    Reopen(ended_);
    if (removedAt_ >= 0 && static_cast<std::size_t>(removedAt_) < notes.size()) {
        const int start = note_->GetStartTime();
        const int before = notes[static_cast<std::size_t>(removedAt_)]->GetStartTime();
        note_->SetStartTime(before > std::numeric_limits<int>::min() ? before - 1 : before);
        bar_->AddNote(note_);
        bar_->SortNotes();
        note_->SetStartTime(start);
    } else {
        bar_->AddNote(note_);
        bar_->SortNotes();
    }
    removedAt_ = -1;
    ReattachTiesAndTuplets();
    // The open ties of the part whose next note is now this one end here.
    if (!part_ && editor_)
        part_ = PartHolding(*editor_, bar_.get());
    if (part_) {
        // An open tie ends at the next note of its start bar or at the first note of the
        // bar after it: only the open ties that start in the note's bar or in the bar
        // before it can end at the note.
        std::vector<std::size_t> places;
        const int at = BarPlaceInPart(*part_, {bar_, note_});
        if (at >= 0) {
            part_->FindTiesAt(bar_.get(), places);
            if (at > 0)
                part_->FindTiesAt(part_->GetChild(at - 1).get(), places);
        }
        std::vector<std::shared_ptr<Tie>> open;
        for (const std::shared_ptr<Tie>& tie : TiesAt(*part_, places)) {
            if (tie && tie->GetStart().note && !tie->GetEnd().note)
                open.push_back(tie);
        }
        ended_ = EndOpenTies(open, note_.get());
        // A tie over the new note's place breaks there; its lines are laid out again.
        BreakTiesAcross();
        reachesOut = reachesOut || !ended_.empty() || !broken_.empty();
    }
    if (editor_) {
        if (reachesOut)
            editor_->NotePageChanged();
        else
            editor_->NoteBarChanged(barIndex_);
    }
    if (!WalkMeasuresColumn())
        Relayout();
}

void InsertNoteCommand::Undo()
{
    if (!note_ || !bar_) {
        return;
    }
    Reopen(ended_);
    DetachTiesAndTuplets();
    NotificationPayload payload;
    payload.element = note_;
    payload.note = note_;
    payload.subject = note_.get();
    ElementNotification going{notification_id::kNoteGoingAway, &payload, note_.get()};
    note_->Notify(going);
    const auto& notes = bar_->GetNotes();
    const auto at = std::find(notes.begin(), notes.end(), note_);
    removedAt_ = at == notes.end() ? -1 : static_cast<int>(at - notes.begin());
    bar_->RemoveNote(note_.get());
    RestoreBrokenTies();
    // The ties that ended at the note go on to the note after it, when it has the pitch.
    std::vector<std::shared_ptr<Tie>> cut;
    for (const auto& tie : ties_) {
        if (!tie.removed)
            cut.push_back(tie.tie);
    }
    ended_ = EndOpenTies(cut, nullptr);
    Relayout();
}

std::vector<std::shared_ptr<Tie>> InsertNoteCommand::EndOpenTies(
    const std::vector<std::shared_ptr<Tie>>& ties, const Note* endingAt) const
{
    std::vector<std::shared_ptr<Tie>> ended;
    if (!part_)
        return ended;
    for (const auto& tie : ties) {
        if (!tie || tie->GetEnd().note)
            continue;
        NoteAnchor end = FindOpenTieEnd(*part_, *tie);
        if (!end.note || (endingAt != nullptr && end.note.get() != endingAt) ||
            end.note->GetTiedFrom() != nullptr)
            continue;
        tie->SetEnd(std::move(end));
        ended.push_back(tie);
    }
    return ended;
}

void InsertNoteCommand::Reopen(std::vector<std::shared_ptr<Tie>>& ties)
{
    for (const auto& tie : ties)
        tie->SetEnd({});
    ties.clear();
}

void InsertNoteCommand::BreakTiesAcross()
{
    broken_.clear();
    if (!part_)
        return;
    const std::pair<int, int> here = PlaceInPart(*part_, {bar_, note_});
    if (here.first < 0)
        return;
    // A tie over the note either has a note in the note's bar or reaches over the
    // whole bar.
    std::vector<std::size_t> places;
    part_->FindTiesAt(bar_.get(), places);
    part_->FindTiesOver(here.first, places);
    std::vector<std::shared_ptr<Tie>> found;
    for (const std::shared_ptr<Tie>& tie : TiesAt(*part_, places)) {
        if (!tie || !tie->GetStart().note || !tie->GetEnd().note || tie->GetStart().note == note_ ||
            tie->GetEnd().note == note_)
            continue;
        const std::pair<int, int> start = PlaceInPart(*part_, tie->GetStart());
        const std::pair<int, int> end = PlaceInPart(*part_, tie->GetEnd());
        if (start.first >= 0 && end.first >= 0 && start < here && here < end)
            found.push_back(tie);
    }
    for (const auto& tie : found) {
        broken_.push_back({tie, tie->GetStart(), tie->GetEnd(), true});
        part_->RemoveTie(tie);
        tie->ClearChildren();
    }
    RelayoutBrokenTieLines(broken_);
}

void InsertNoteCommand::RestoreBrokenTies()
{
    if (broken_.empty())
        return;
    const std::vector<CutTie> restored = std::move(broken_);
    broken_.clear();
    for (const auto& cut : restored) {
        cut.tie->SetStart(cut.start);
        cut.tie->SetEnd(cut.end);
        if (part_)
            part_->AddTie(cut.tie);
    }
    RelayoutBrokenTieLines(restored);
}

void InsertNoteCommand::RelayoutBrokenTieLines(const std::vector<CutTie>& ties) const
{
    // The line of the note is laid out by the walk that follows the entry; a tie's other
    // end may stand on a line the walk leaves as it is.
    if (!Painter() || !editor_ || !part_)
        return;
    for (const auto& cut : ties) {
        for (const NoteAnchor* anchor : {&cut.start, &cut.end}) {
            const int bar = PlaceInPart(*part_, *anchor).first;
            if (bar < 0)
                continue;
            if (const auto line = editor_->FindLineOfBar(bar).node) {
                line->Layout(*Painter());
                editor_->ApplyViewFlagsToLine(*line);
            }
        }
    }
}

void InsertNoteCommand::DetachTiesAndTuplets()
{
    tuplets_.clear();
    for (const auto& tuplet : std::vector<std::shared_ptr<Tuplet>>(bar_->GetTuplets())) {
        if (tuplet && tuplet->GetFirstNote() == note_) {
            tuplets_.push_back(tuplet);
            bar_->RemoveTuplet(tuplet.get());
        }
    }
    ties_.clear();
    part_ = editor_ ? PartHolding(*editor_, bar_.get()) : nullptr;
    if (!part_) {
        return;
    }
    // The ties of the note are found first and cut after: the part's list changes on the
    // way. They are among the ties with a note in the note's bar.
    std::vector<std::size_t> places;
    part_->FindTiesAt(bar_.get(), places);
    std::vector<std::shared_ptr<Tie>> found;
    for (const std::shared_ptr<Tie>& tie : TiesAt(*part_, places)) {
        if (tie && (tie->GetStart().note == note_ || tie->GetEnd().note == note_)) {
            found.push_back(tie);
        }
    }
    for (const auto& tie : found) {
        const bool starts = tie->GetStart().note == note_;
        ties_.push_back({tie, tie->GetStart(), tie->GetEnd(), starts});
        if (starts) {
            part_->RemoveTie(tie);
            tie->ClearChildren();
        } else {
            tie->SetEnd({});
        }
    }
}

void InsertNoteCommand::ReattachTiesAndTuplets()
{
    for (const auto& tuplet : tuplets_) {
        bar_->AddTuplet(tuplet);
    }
    tuplets_.clear();
    for (const auto& cut : ties_) {
        cut.tie->SetStart(cut.start);
        cut.tie->SetEnd(cut.end);
        if (cut.removed && part_) {
            part_->AddTie(cut.tie);
        }
    }
    ties_.clear();
}

bool InsertNoteCommand::WalkMeasuresColumn() const
{
    if (!walkedLine_ || !editor_ || !editor_->score || barIndex_ < 0 ||
        barIndex_ >= editor_->GetBarCount() || editor_->freshColumnsEnd > barIndex_)
        return false;
    const auto& lines = editor_->lines;
    const int index = walkedLine_->GetIndex();
    if (index < 1 || static_cast<std::size_t>(index) >= lines.size() ||
        lines[static_cast<std::size_t>(index)] != walkedLine_)
        return false;
    const auto* line = dynamic_cast<const SystemNode*>(walkedLine_.get());
    if (!line || barIndex_ < line->GetBarRange().first || barIndex_ >= line->GetBarRange().end)
        return false;
    // The walk starts at the end of the line before (the first bar after the heading).
    int start = 0;
    if (index >= 2) {
        const auto& previous = lines[static_cast<std::size_t>(index - 1)];
        if (const auto* before = dynamic_cast<const SystemNode*>(previous.get()))
            start = before->GetBarRange().end;
    }
    return start <= barIndex_;
}

void InsertNoteCommand::Relayout()
{
    if (!Painter() || !editor_ || !editor_->score || barIndex_ < 0 ||
        barIndex_ >= editor_->GetBarCount()) {
        return;
    }
    LayoutScore(LayoutColumnState{Painter(), editor_->score, barIndex_, barIndex_ + 1});
}

}  // namespace quaverly
