// Puts a note into its bar and lays the bar out; its removal form takes it out.
//
// A note that leaves its bar takes with it the tuplets that start at it and the ties
// that start at it; a tie that ended at it is aimed at the next note when that has the
// same pitch, else it stays open. A note that comes in ends the open ties that find it
// as their next note of the same pitch, and breaks the ties whose two notes it now
// stands between (a tie joins a note and the note after it). All of that happens here,
// inside the command and reversibly, before the note is told it is going away: a change
// left to the elements on the way up or to the layout would be no part of this undo step,
// and undo could never bring the tie or tuplet back as it was.
#pragma once

#include <memory>
#include <vector>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"
#include "engine/model/tie.h"

namespace quaverly {

class Bar;
class Note;
class Part;
class ScoreEditor;
class Tuplet;

class InsertNoteCommand : public EditCommand {
public:
    explicit InsertNoteCommand(ScoreEditor* editor) : editor_(editor) {}

    void SetNote(std::shared_ptr<Note> note) { note_ = std::move(note); }
    // The bar's score-wide index, for the layout (-1: no layout); the bar itself.
    void SetBarIndex(int barIndex) { barIndex_ = barIndex; }
    void SetBar(std::shared_ptr<Bar> bar) { bar_ = std::move(bar); }
    // The line the walk that follows the insertion in the same step starts at
    // (RelayoutAndRepaginateCommand). That walk measures the bar's column again, so the
    // insertion leaves the measuring to it where it surely reaches the bar.
    void SetLineWalkedAfter(std::shared_ptr<ScoreElement> line) { walkedLine_ = std::move(line); }
    const std::shared_ptr<Note>& GetNote() const { return note_; }
    const std::shared_ptr<Bar>& GetBar() const { return bar_; }

    // Adds the note in start-time order, puts back what its removal took with it, and
    // lays the bar out.
    void Do() override;
    // Takes the tuplets and ties off the note, sends it 1029, takes it out of its bar
    // and lays the bar out.
    void Undo() override;
    // Do reports the bar's line; ties it ends or takes back change the page.
    bool KeepsToReportedLines() const override { return true; }

private:
    struct CutTie {
        std::shared_ptr<Tie> tie;
        NoteAnchor start;
        NoteAnchor end;
        bool removed = false;  // taken out of the part (it started at the note)
    };

    void DetachTiesAndTuplets();
    void ReattachTiesAndTuplets();
    // Gives each of the ties the end it finds now (FindOpenTieEnd) when it is open and
    // finds one; returns those it gave an end.
    std::vector<std::shared_ptr<Tie>> EndOpenTies(const std::vector<std::shared_ptr<Tie>>& ties,
                                                  const Note* endingAt) const;
    static void Reopen(std::vector<std::shared_ptr<Tie>>& ties);
    // Takes out of the part the ties whose start note lies before the note and whose end
    // note lies after it; RestoreBrokenTies puts them back as they were.
    void BreakTiesAcross();
    void RestoreBrokenTies();
    // Lays out again the lines that show the ends of the broken ties.
    void RelayoutBrokenTieLines(const std::vector<CutTie>& ties) const;
    void Relayout();
    // Whether the walk from walkedLine_ measures the bar's column: the line is where the
    // editor's list says, holds the bar, and the walk from it starts at or before the bar
    // with the columns from there on not counted as measured.
    bool WalkMeasuresColumn() const;

    ScoreEditor* editor_;
    std::shared_ptr<Note> note_;
    std::shared_ptr<Bar> bar_;
    std::shared_ptr<ScoreElement> walkedLine_;
    int barIndex_ = -1;
    int removedAt_ = -1;  // the note's place in its bar while it is out
    std::shared_ptr<Part> part_;  // the part that held the note's ties while it was out
    std::vector<std::shared_ptr<Tuplet>> tuplets_;
    std::vector<CutTie> ties_;
    // Ties this command gave an end: on the way in those that now end at the note, on
    // the way out those that ended at it and now end at its follower. The other
    // direction takes the ends off again first.
    std::vector<std::shared_ptr<Tie>> ended_;
    // Ties the note broke on the way in.
    std::vector<CutTie> broken_;
};

using RemoveNoteCommand = InverseCommand<InsertNoteCommand>;

}  // namespace quaverly
