// Lyric edits: one lyric's text, and the texts of a verse over a range of bars.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/commands/edit_command.h"

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

}  // namespace quaverly
