// Commands that change the user's manual layout held by the score: the forced line
// breaks (bar indices at which a new line starts), the bars-per-line map (line index to
// number of bars) and the lines-per-page map (page index to number of lines). The
// layout reads these containers; edits change them only through these commands, so
// every change can be undone. The keys are plain integers to them.
#pragma once

#include <map>
#include <memory>
#include <optional>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"

namespace quaverly {

class Score;
class ScoreEditor;

// What a map key held before a command set it, kept from the command's first Do to its
// Undo.
struct PriorMapEntry {
    bool saved = false;        // a Do ran since the last Undo
    std::optional<int> value;  // the key's value then; none when it had no entry
};

// Inserts a line break at the bar (once); Undo removes it unless the bar had a break
// before, which stays.
class AddLineBreakCommand final : public EditCommand {
public:
    explicit AddLineBreakCommand(ScoreEditor* editor) : editor_(editor) {}

    void SetBar(int bar) { bar_ = bar; }

    void Do() override;
    void Undo() override;

private:
    int bar_ = 0;
    ScoreEditor* editor_;
    bool applied_ = false;   // a Do ran since the last Undo
    bool hadBreak_ = false;  // the bar had its break before that Do
};

class RemoveLineBreakCommand final : public InverseCommand<AddLineBreakCommand> {
public:
    explicit RemoveLineBreakCommand(ScoreEditor* editor) : InverseCommand(editor) {}

    void SetBar(int bar) { Target().SetBar(bar); }
};

// Sets the bar count of one line (replacing an entry with the key); Undo gives the line
// back the count it had before, or no entry when it had none.
class AddBarsPerLineCommand final : public EditCommand {
public:
    explicit AddBarsPerLineCommand(ScoreEditor* editor) : editor_(editor) {}

    void SetEntry(int key, int value)
    {
        key_ = key;
        value_ = value;
    }

    void Do() override;
    void Undo() override;

private:
    int key_ = 0;
    int value_ = 1;
    ScoreEditor* editor_;
    PriorMapEntry before_;
};

class RemoveBarsPerLineCommand final : public InverseCommand<AddBarsPerLineCommand> {
public:
    explicit RemoveBarsPerLineCommand(ScoreEditor* editor) : InverseCommand(editor) {}

    void SetEntry(int key, int value) { Target().SetEntry(key, value); }
};

// Replaces the whole bars-per-line map with one of two stored copies. The score's map
// object stays the same: it is cleared and refilled, since the layout keeps referring
// to it.
class ChangeBarsPerLineCommand final : public EditCommand {
public:
    explicit ChangeBarsPerLineCommand(ScoreEditor* editor) : editor_(editor) {}

    void SetUndoMap(const std::map<int, int>& map) { undoMap_ = map; }
    void SetDoMap(const std::map<int, int>& map) { doMap_ = map; }

    void Do() override;
    void Undo() override;

private:
    void Apply(const std::map<int, int>& map);

    std::map<int, int> undoMap_;
    std::map<int, int> doMap_;
    ScoreEditor* editor_;
};

// Sets the line count of one page (replacing an entry with the key); Undo gives the
// page back the count it had before, or no entry when it had none.
class AddPageLinesCommand final : public EditCommand {
public:
    void SetEntry(int key, int value)
    {
        key_ = key;
        value_ = value;
    }
    void SetScore(std::shared_ptr<Score> score) { score_ = std::move(score); }

    void Do() override;
    void Undo() override;

private:
    int key_ = 0;
    int value_ = 1;
    std::shared_ptr<Score> score_;
    PriorMapEntry before_;
};

class RemovePageLinesCommand final : public InverseCommand<AddPageLinesCommand> {
public:
    void SetEntry(int key, int value) { Target().SetEntry(key, value); }
    void SetScore(std::shared_ptr<Score> score) { Target().SetScore(std::move(score)); }
};

}  // namespace quaverly
