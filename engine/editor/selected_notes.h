// Finding the notes an edit acts on: the notes the user selected in the laid-out lines,
// and every note that hangs on a bar's notes (grace notes before and after, chord notes).
//
// A note is selected when its state is element_state::kSelected. Each note found comes
// with where it is: its line and row (for re-layout and for its part), its bar with the
// bar's score-wide index, the bar's note it hangs on and the element that holds it.
// The edits then lay out again the lines they touched.
#pragma once

#include <memory>
#include <vector>

namespace quaverly {

class Bar;
class EditCommand;
class Note;
class ScoreEditor;
class ScoreElement;
class SystemNode;
class TrackNode;

// Where a note sits relative to the bar's note it belongs to.
enum class NoteRole { kMain, kGraceBefore, kGraceAfter, kChord };

struct NotePlace {
    std::shared_ptr<Note> note;
    // The bar's note it hangs on; the note itself for a main note.
    std::shared_ptr<Note> entry;
    // What holds the note: the bar, one of the entry's grace lists or its chord list.
    std::shared_ptr<ScoreElement> owner;
    NoteRole role = NoteRole::kMain;
};

struct SelectedNote {
    std::shared_ptr<SystemNode> line;
    std::shared_ptr<TrackNode> track;
    std::shared_ptr<Bar> bar;
    int barIndex = -1;  // score-wide
    NotePlace place;
};

// Every note of the bar in order: each bar note, then its grace notes before, its grace
// notes after and its chord notes.
std::vector<NotePlace> NotesOfBar(const Bar& bar, const std::shared_ptr<Bar>& owner);

// Which notes a collection takes.
enum class SelectionScope {
    kMainNotes,  // selected bar notes only
    kAllNotes,   // selected bar notes, grace notes and chord notes
};

// The selected notes of one laid-out line, row by row and bar by bar.
std::vector<SelectedNote> SelectedNotesOfLine(const std::shared_ptr<SystemNode>& line,
                                              SelectionScope scope);
// The selected notes of every line of every page of the layout root.
std::vector<SelectedNote> SelectedNotesOfLayout(const ScoreElement& layout, SelectionScope scope);

// The re-layout of the lines from the given one on (RelayoutFromElementCommand).
std::unique_ptr<EditCommand> MakeLineRelayout(ScoreEditor* editor,
                                              const std::shared_ptr<ScoreElement>& line);

// True for the scale degrees 1 to 7 (pitch codes 2 to 8).
bool IsDegreeCode(int code);
bool IsPitchedNote(const Note& note);

}  // namespace quaverly
