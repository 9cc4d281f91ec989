// The small commands that note input, keys and navigation queue around their edits:
// appending a bar when entry reaches the end, moving the input time and the cursor,
// reporting the cursor and caret, selecting the note at the input time.
//
// The cursor's bar is the bar the editor's cursor path reaches in the laid-out view;
// the input time is the cursor's time inside that bar. Most of these only run (their
// Undo does nothing); the input-time commands put the time back on Undo, in the bar
// they acted on, even when the cursor has moved to another bar since.
#pragma once

#include <memory>

#include "engine/commands/build_score_command.h"
#include "engine/commands/edit_command.h"
#include "engine/editor/score_editor.h"

namespace quaverly {

class Bar;
class Note;

namespace input_position {
// The score can grow to this many bars by note entry, as many as adding bars allows.
inline constexpr int kMaxBarsByEntry = BuildScoreCommand::kMaxBars;

// The bar at the editor's cursor, or empty.
std::shared_ptr<Bar> CursorBar(const ScoreEditor& editor);
// The length of a bar under the time signature in force there (4/4 without one).
int BarLength(const ScoreEditor& editor, int barIndex);
// The last note of the bar that starts before `limit` (the walk stops at a missing
// note); empty when the first note already starts at or after it.
std::shared_ptr<Note> LastNoteBefore(const Bar& bar, int limit);
// The end of the last note of the bar that starts before `limit`, or 0 when none does.
int EndOfNoteBefore(const Bar& bar, int limit);
}  // namespace input_position

// Appends one bar to every part at the end of the score, while it has fewer bars than
// note entry may make.
class AppendBarCommand final : public EditCommand {
public:
    explicit AppendBarCommand(ScoreEditor* editor) : editor_(editor) {}
    void Do() override;
    void Undo() override {}

private:
    ScoreEditor* editor_;
};

// After a note is entered: the input time moves to the note's end and, when the note
// fills the bar, the cursor moves to the next bar.
class AdvanceInputTimeCommand : public EditCommand {
public:
    explicit AdvanceInputTimeCommand(ScoreEditor* editor) : editor_(editor) {}
    void SetCursor(const CursorPosition& cursor) { cursor_ = cursor; }
    void SetNote(std::shared_ptr<Note> note) { note_ = std::move(note); }
    void SetBar(std::shared_ptr<Bar> bar) { bar_ = std::move(bar); }

    // Only when the cursor's bar is this command's bar.
    void Do() override;
    // Back in the bar the command acted on: the cursor returns to it, and the input
    // time becomes the end of the last note before the time Do set (0 when none).
    void Undo() override;
    // Moves the cursor only.
    bool KeepsToReportedLines() const override { return true; }

protected:
    ScoreEditor* Editor() const { return editor_; }
    const std::shared_ptr<Note>& GetNote() const { return note_; }
    const std::shared_ptr<Bar>& GetBar() const { return bar_; }
    // Remembers where the cursor was before the command moved anything, and the input
    // time it is about to set.
    void Remember(int timeAfter);

private:
    ScoreEditor* editor_;
    CursorPosition cursor_;
    std::shared_ptr<Note> note_;
    std::shared_ptr<Bar> bar_;
    bool acted_ = false;
    CursorPosition before_;  // the cursor as it was when Do acted
    int timeAfter_ = 0;      // the input time Do set
};

// Puts the input time back to a note's start (in the cursor's bar only).
class RetimeNoteCommand final : public AdvanceInputTimeCommand {
public:
    using AdvanceInputTimeCommand::AdvanceInputTimeCommand;
    void Do() override;
    bool KeepsToReportedLines() const override { return false; }
};

// One element of the cursor forward (the next note start of its bar, or the start of
// the next bar); undo steps one element back.
class StepCursorCommand final : public EditCommand {
public:
    explicit StepCursorCommand(ScoreEditor* editor) : editor_(editor) {}
    void Do() override;
    void Undo() override;

private:
    ScoreEditor* editor_;
};

// The editor's navigation step 6.
class CursorStepCommand final : public EditCommand {
public:
    explicit CursorStepCommand(ScoreEditor* editor) : editor_(editor) {}
    void Do() override;
    void Undo() override {}

private:
    ScoreEditor* editor_;
};

// Reports the cursor (notice 16 with page, line, track, bar and time) and the caret
// line (notice 17, drawing nothing).
class PlaceCursorCommand final : public EditCommand {
public:
    explicit PlaceCursorCommand(ScoreEditor* editor) : editor_(editor) {}
    void Do() override;
    void Undo() override {}
    // Reports the cursor only.
    bool KeepsToReportedLines() const override { return true; }

private:
    ScoreEditor* editor_;
};

// Selects the first note of the cursor's bar that starts at the input time.
class SelectNoteAtInputCommand final : public EditCommand {
public:
    explicit SelectNoteAtInputCommand(ScoreEditor* editor) : editor_(editor) {}
    void Do() override;
    void Undo() override {}

private:
    ScoreEditor* editor_;
};

// The caret shows only while nothing is selected.
class UpdateCaretCommand final : public EditCommand {
public:
    explicit UpdateCaretCommand(ScoreEditor* editor) : editor_(editor) {}
    void Do() override;
    void Undo() override {}

private:
    ScoreEditor* editor_;
};

}  // namespace quaverly
