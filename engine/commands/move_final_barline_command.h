// Moves the score's final barline to the new last bar when bars were appended at the
// end: the bar that used to end the score (bar n - 1) gets a normal right barline and
// the last bar of every part gets the final one.
//
// Only a final barline is turned into a normal one, and only a normal one into a final
// one: a repeat or double barline the user gave either bar stays. The command remembers
// what it changed on every Do and its Undo puts exactly those barlines back to the type
// they had, so a user's barline is never lost in either direction. The barlines are
// held weakly: one whose bar was removed in the meantime is left alone.
//
// The line that shows bar n - 1 is looked up by bar index when the command runs, never
// kept, since a re-flow may have replaced it. Where a barline changed, the lines from
// the first changed bar on are laid out again with their columns measured anew.
#pragma once

#include <memory>
#include <vector>

#include "engine/commands/edit_command.h"

namespace quaverly {

class Barline;
class ScoreEditor;

class MoveFinalBarlineCommand final : public EditCommand {
public:
    explicit MoveFinalBarlineCommand(ScoreEditor* editor) : editor_(editor) {}

    // n: the number of bars before the append.
    void SetBarIndex(int n) { barIndex_ = n; }
    int GetBarIndex() const { return barIndex_; }

    void Do() override;
    void Undo() override;

private:
    struct Change {
        std::weak_ptr<Barline> barline;
        int oldType = 0;
    };

    // Gives the right barline of bar `bar` of every part the type `to` where it holds
    // `from`, and remembers each change.
    void Retype(int bar, int from, int to);
    // Lays the lines out again from the one that holds `firstBar`, their columns measured
    // with the barlines as they now are.
    void LayOutChangedBars(int firstBar) const;

    ScoreEditor* editor_;
    int barIndex_ = 0;
    std::vector<Change> changes_;  // of the last Do, in the order made
};

}  // namespace quaverly
