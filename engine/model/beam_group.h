// The joined duration underlines of a run of short notes.
//
// In numbered notation eighths and shorter values are underlined, and the underlines of
// neighbouring notes of one beat are drawn as shared lines. A BeamGroup holds such a run
// of notes and draws the shared lines; while a note is in a group it keeps the room of
// its underlines but does not draw them itself (Note::SetBeamed). A bar builds one group
// per beamed run of its notes, a grace-note list one group for its short grace notes.
//
// Layout computes one segment per run and level: for the eighth level every run of
// consecutive notes shorter than a quarter, for the 16th level every run of notes of a
// 16th or shorter, and so on down to the 128th. A segment runs from the left edge of
// the run's first note to the right edge of its last note, one underline interval
// lower per level, exactly where the notes would draw their own underlines. The group
// draws only the segments, never the notes.
//
// Ownership: the group holds its notes by shared pointers. Emptying it (ClearChildren)
// leaves the notes' beamed flags alone, so an owner can refill it at once; destroying
// it clears the flag of every note it still holds. An owner that replaces its groups
// must therefore release the old groups before it fills the new ones.
#pragma once

#include <memory>
#include <vector>

#include "engine/model/note_style.h"
#include "engine/model/score_element.h"

namespace quaverly {

class Note;

class BeamGroup : public ScoreElement {
public:
    // One shared underline, in the coordinates of the notes' positions: start is its
    // left end under the run's first note, end its right end under the last note. It
    // is drawn level, at the start's y.
    struct Segment {
        Point start;
        Point end;

        friend bool operator==(const Segment&, const Segment&) = default;
    };

    BeamGroup();  // no notes, normal size
    BeamGroup(const BeamGroup&) = delete;
    // Clears the beamed flag of every note the group still holds.
    ~BeamGroup() override;

    // Marks the note as beamed and appends it; a null note is ignored.
    void AddNote(std::shared_ptr<Note> note);
    const std::vector<std::shared_ptr<Note>>& GetNotes() const { return notes_; }
    const std::vector<Segment>& GetSegments() const { return segments_; }

    // The size whose underline interval and note size the segments use; a null style
    // is ignored.
    void SetStyle(std::shared_ptr<const NoteStyle> style);
    const std::shared_ptr<const NoteStyle>& GetStyle() const { return style_; }

    // Releases the notes (their beamed flags stay as they are) and the segments.
    void ClearChildren() override;
    // Computes the segments from the notes' positions and base durations. The segments
    // are recomputed, so laying a group out again never doubles them.
    void Layout(ScorePainter& painter) override;
    // Draws each segment as an underline moved by origin + position + offset.
    void Draw(ScorePainter& painter) override;

private:
    std::vector<std::shared_ptr<Note>> notes_;
    std::vector<Segment> segments_;
    std::shared_ptr<const NoteStyle> style_;
};

}  // namespace quaverly
