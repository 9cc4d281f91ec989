// Turns a score fragment read from the clipboard into the change a paste makes: the
// notes of every bar it covers, starting at one bar of one part, and the bars to append
// when it runs past the end of the score.
//
// The fragment is checked whole before anything is planned: every unit must have a type
// code of 1 to 8 or 10 to 13, 0 to 3 dots, kind 0 to 2, a positive base duration the
// note can hold, a start time from 0 within reach of a bar, an octave and accidental the
// note can hold, and the notes of a bar must come in start-time order. A fragment that
// fails, or a start that lies off the score, plans nothing.
//
// Staves beyond the score's last part are skipped. The bars appended are those the
// longest stave needs, in every part, so the parts keep one bar count.
//
// Plan only computes; it leaves the score alone, so an editor can hand the rewrites to
// its undoable commands. Apply makes the change in the model directly and Revert takes
// it back exactly: the old notes return in their order, the appended bars go, and the
// tuplets and ties of the replaced notes (which the fragment cannot carry) are taken
// off by Apply and put back by Revert.
#pragma once

#include <memory>
#include <vector>

#include "engine/commands/rewrite_bar_elements_command.h"
#include "engine/editor/score_fragment.h"

namespace quaverly {

class Bar;
class Note;
class NoteStyle;
class Part;
class Score;

// The bars one paste may reach: the start bar plus the fragment's bars.
inline constexpr int kMaxPasteBars = 100000;

// One bar's notes after and before the paste.
struct BarRewrite {
    int part = 0;
    int bar = 0;
    std::vector<std::shared_ptr<Note>> newNotes;
    std::vector<std::shared_ptr<Note>> oldNotes;  // empty for a bar the paste appends
    // Filled by Apply: the tuplets and ties of the old notes it took off.
    LiftedAttachments lifted;
};

struct PastePlan {
    int startBar = -1;
    int firstPart = 0;
    int barCountBefore = 0;  // bars of every part before the paste
    int barsToAppend = 0;
    // Bars startBar .. endBar - 1 are laid out again after the paste.
    int endBar = -1;
    std::vector<BarRewrite> rewrites;

    // Filled by Apply, used by Revert.
    std::vector<std::pair<std::shared_ptr<Part>, std::shared_ptr<Bar>>> appendedBars;
};

class PasteInserter {
public:
    PasteInserter(std::shared_ptr<Score> score, const ScoreFragment& fragment);

    // Plans the paste with the fragment's first bar at `startBar` and its first stave
    // on part `firstPart`. False, with the plan untouched, when the fragment fails the
    // check or the start lies off the score.
    bool Plan(int startBar, int firstPart, PastePlan& plan) const;

    static bool ValidateFragment(const ScoreFragment& fragment);
    static bool IsValidUnit(const NoteUnit& unit);

    // Makes the planned change in the score (bars appended first) and records in the
    // plan what Revert needs.
    void Apply(PastePlan& plan) const;
    void Revert(PastePlan& plan) const;

    // Appends bars to every part until each holds `barCount`; the bars made are added to
    // `appended` when given.
    static void EnsureBars(
        Score& score, int barCount,
        std::vector<std::pair<std::shared_ptr<Part>, std::shared_ptr<Bar>>>* appended = nullptr);
    // The notes of one fragment bar, with their chord and grace notes.
    static std::vector<std::shared_ptr<Note>> PasteBar(const FragmentBar& bar);
    // The note of a valid unit; empty for a type code that makes no note.
    static std::shared_ptr<Note> MakeNoteFromUnit(const NoteUnit& unit);
    // The style of the kind: 0 normal, 1 small, 2 grace (anything else normal).
    static std::shared_ptr<const NoteStyle> MakeNoteStyle(int kind);
    // Bar `index` of the part, empty when the index is outside its bars.
    static std::shared_ptr<Bar> FindBarInTrack(const std::shared_ptr<Part>& part, int index);

private:
    std::shared_ptr<Score> score_;
    const ScoreFragment& fragment_;
};

}  // namespace quaverly
