// Makes room for a note that is entered over the notes at the input time (overwrite
// entry): starting at that time, the bar's notes give up as much time as the new note
// lasts. A note that lies wholly inside that time is taken out of the bar; the note in
// which the time runs out is shortened by what was taken and starts later by as much.
// The command runs before the new note is put in, so the note starts where the removed
// notes began and the notes after them keep their places.
//
// The first Do decides what goes and what shrinks; later runs repeat or revert exactly
// that, and Undo puts the bar's notes back in their order and at their times. A note of a tuplet is never cut: it goes as a whole. A note that started before
// the time and ends after it is cut back to end there.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "engine/commands/edit_command.h"
#include "engine/commands/set_note_properties_command.h"

namespace quaverly {

class Bar;
class Note;
class ScoreEditor;

class SetNoteDurationCommand final : public EditCommand {
public:
    explicit SetNoteDurationCommand(ScoreEditor* editor) : editor_(editor) {}

    // The note that will be entered (its start time is the input time) and the bar it goes
    // into, with the bar's score-wide index for the layout (-1: no layout).
    void SetNote(std::shared_ptr<Note> note) { note_ = std::move(note); }
    void SetBar(std::shared_ptr<Bar> bar) { bar_ = std::move(bar); }
    void SetBarIndex(int barIndex) { barIndex_ = barIndex; }

    void Do() override;
    void Undo() override;

private:
    struct Shortened {
        std::shared_ptr<Note> note;
        NoteInputValues oldValues;
        NoteInputValues newValues;
        int newStart = 0;
    };

    void Plan();
    void Relayout();

    ScoreEditor* editor_;
    std::shared_ptr<Note> note_;
    std::shared_ptr<Bar> bar_;
    int barIndex_ = -1;
    bool planned_ = false;
    // The bar's other notes and their start times as the first Do found them.
    std::vector<std::pair<std::shared_ptr<Note>, int>> order_;
    std::vector<std::shared_ptr<EditCommand>> removals_;
    std::vector<Shortened> shortened_;
};

}  // namespace quaverly
