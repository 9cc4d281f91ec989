// Lyric edits: one lyric's text, and the texts of a verse over a range of bars.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/commands/edit_command.h"
#include "engine/editor/score_editor.h"

namespace quaverly {

class Lyric;
class ScoreElement;

// Exchanges the stored text with the lyric's: the lyric gets the stored text and the
// command keeps the lyric's previous one, so Undo is the same exchange again.
class SetLyricTextCommand final : public EditCommand {
public:
    void SetText(std::u16string text) { text_ = std::move(text); }
    void SetLyric(std::shared_ptr<Lyric> lyric) { lyric_ = std::move(lyric); }
    void Do() override;
    void Undo() override { Do(); }

private:
    std::u16string text_;
    std::shared_ptr<Lyric> lyric_;
};

// Writes texts into one verse of the notes of a range of bars, note by note in bar
// order; notes past the last text keep their lyrics. Undo writes the old texts.
class SetLyricsCommand final : public EditCommand {
public:
    void SetNewTexts(std::vector<std::u16string> texts) { newTexts_ = std::move(texts); }
    void SetOldTexts(std::vector<std::u16string> texts) { oldTexts_ = std::move(texts); }
    void SetVerse(int verse) { verse_ = verse; }
    // A container of bars (a part).
    void SetRange(std::shared_ptr<ScoreElement> range) { range_ = std::move(range); }
    void Do() override { Write(newTexts_); }
    void Undo() override { Write(oldTexts_); }

private:
    void Write(const std::vector<std::u16string>& texts) const;

    std::vector<std::u16string> newTexts_;
    std::vector<std::u16string> oldTexts_;
    int verse_ = 0;
    std::shared_ptr<ScoreElement> range_;
};

// Asks the lyric of a verse of the note at the cursor's position for in-place editing.
class SelectVerseCommand final : public EditCommand {
public:
    void SetVerse(int verse) { verse_ = verse; }
    // The cursor path (page, line, track, bar in the line) and the position in the bar.
    void SetCursor(const CursorPosition& cursor) { cursor_ = cursor; }
    // The root the cursor path starts from.
    void SetRoot(std::shared_ptr<ScoreElement> root) { root_ = std::move(root); }
    void Do() override;
    void Undo() override {}

private:
    int verse_ = 0;
    CursorPosition cursor_;
    std::shared_ptr<ScoreElement> root_;
};

// Moves in-place lyric editing to the next note (forward) or the previous one: in the
// bar at the stored index of a range of bars, the first note after (last note before)
// the position, else the first (last) note of the nearest following (earlier) bar that
// has notes. Nothing happens past either end of the range.
class StepLyricCommand : public EditCommand {
public:
    void SetPosition(int position) { position_ = position; }
    void SetVerse(int verse) { verse_ = verse; }
    void SetBarIndex(int bar) { bar_ = bar; }
    void SetRange(std::shared_ptr<ScoreElement> range) { range_ = std::move(range); }
    void Do() override;
    void Undo() override {}

protected:
    explicit StepLyricCommand(bool forward) : forward_(forward) {}

private:
    bool forward_;
    int position_ = 0;
    int verse_ = 0;
    int bar_ = 0;
    std::shared_ptr<ScoreElement> range_;
};

class EditNextLyricCommand final : public StepLyricCommand {
public:
    EditNextLyricCommand() : StepLyricCommand(true) {}
};

class EditPreviousLyricCommand final : public StepLyricCommand {
public:
    EditPreviousLyricCommand() : StepLyricCommand(false) {}
};

}  // namespace quaverly
