// Pasting into a bar: swaps the bar's notes between the list after the paste and the
// list before it. The bar is found by part and bar index when the command runs, so a
// bar that no longer exists is left alone.
//
// The notes that leave a bar take nothing with them into the list that replaces them:
// the bar's tuplets and the part's ties that hang on a leaving note (or on one of its
// chord or grace notes) are taken off with them, and Undo puts them back with the notes.
//
// The same source holds two small records that element readers share: GetFlagValue and
// ElementRange.
#pragma once

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "engine/commands/edit_command.h"
#include "engine/model/tie.h"

namespace quaverly {

class Bar;
class Note;
class Part;
class ScoreEditor;
class ScoreElement;
class Tuplet;

// What the notes leaving a bar had hanging on them.
struct LiftedAttachments {
    struct LiftedTie {
        std::shared_ptr<Tie> tie;
        NoteAnchor start;
        NoteAnchor end;
    };
    std::vector<std::shared_ptr<Tuplet>> tuplets;
    std::vector<LiftedTie> ties;
};

// Gives the bar of the part the notes, taking the bar's tuplets and the part's ties of
// the notes that leave off and adding them to `lifted`.
void ReplaceBarNotes(Part& part, Bar& bar, const std::vector<std::shared_ptr<Note>>& notes,
                     LiftedAttachments& lifted);
// Gives the bar the notes again and puts back what `lifted` holds (ties last lifted
// first), then empties it.
void RestoreBarNotes(Part& part, Bar& bar, const std::vector<std::shared_ptr<Note>>& notes,
                     LiftedAttachments& lifted);

class RewriteBarElementsCommand : public EditCommand {
public:
    using NoteList = std::vector<std::shared_ptr<Note>>;

    explicit RewriteBarElementsCommand(ScoreEditor* editor);  // not owned
    ~RewriteBarElementsCommand() override;

    void SetPartIndex(int index) { partIndex_ = index; }
    void SetBarIndex(int index) { barIndex_ = index; }
    void SetNewElements(const NoteList& notes) { newElements_ = notes; }
    void SetOldElements(const NoteList& notes) { oldElements_ = notes; }

    void Do() override;
    void Undo() override;

private:
    // The part and its bar at the indices; the bar empty when either is out of range.
    std::pair<std::shared_ptr<Part>, std::shared_ptr<Bar>> Locate() const;

    ScoreEditor* editor_;
    int partIndex_ = 0;
    int barIndex_ = 0;
    NoteList newElements_;
    NoteList oldElements_;
    LiftedAttachments lifted_;  // taken off by Do, put back by Undo
};

// The first value of an element's own record: the bar index of a line mark or a key
// signature, the position (a bar index) of a tempo mark or an expression text; 0 for
// any other element.
int GetFlagValue(const ScoreElement& element);

// Four values and the element they belong to, for the caret and lyric placing code.
struct ElementRange {
    ElementRange() = default;
    // Zero values, holding the element.
    explicit ElementRange(std::shared_ptr<ScoreElement> held) : element(std::move(held)) {}

    // Zeroes the values and lets go of the element.
    void ClearRange() { *this = {}; }

    std::array<int, 4> values{};
    std::shared_ptr<ScoreElement> element;
};

}  // namespace quaverly
