#include "engine/commands/lyric_commands.h"

#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"

namespace quaverly {

void SetLyricTextCommand::Do()
{
    if (!lyric_) {
        return;
    }
    std::u16string previous = lyric_->GetText();
    lyric_->SetText(std::move(text_));
    text_ = std::move(previous);
}

void SetLyricsCommand::Write(const std::vector<std::u16string>& texts) const
{
    if (!range_) {
        return;
    }
    std::size_t next = 0;
    for (int b = 0; b < range_->GetChildCount() && next < texts.size(); ++b) {
        const auto bar = std::dynamic_pointer_cast<Bar>(range_->GetChild(b));
        if (!bar) {
            continue;
        }
        for (const auto& note : bar->GetNotes()) {
            if (next >= texts.size()) {
                return;
            }
            if (note) {
                note->SetLyricText(verse_, texts[next]);
            }
            ++next;
        }
    }
}

void SelectVerseCommand::Do()
{
    if (!root_) {
        return;
    }
    const auto bar = std::dynamic_pointer_cast<Bar>(
        GetElementAtPath4(*root_, cursor_.page, cursor_.line, cursor_.track, cursor_.barInLine));
    if (!bar) {
        return;
    }
    for (const auto& note : bar->GetNotes()) {
        if (note && note->GetStartTime() == cursor_.timeInBar) {
            if (const auto lyric = note->GetLyric(verse_)) {
                lyric->RequestEdit();
            }
            return;
        }
    }
}

void StepLyricCommand::Do()
{
    if (!range_ || bar_ < 0 || bar_ >= range_->GetChildCount()) {
        return;
    }
    std::shared_ptr<Note> found;
    if (const auto bar = std::dynamic_pointer_cast<Bar>(range_->GetChild(bar_))) {
        for (const auto& note : bar->GetNotes()) {
            if (!note) {
                continue;
            }
            if (forward_ && note->GetStartTime() > position_) {
                found = note;
                break;
            }
            if (!forward_ && note->GetStartTime() < position_) {
                found = note;  // the last one before the position wins
            }
        }
    }
    const int step = forward_ ? 1 : -1;
    for (int b = bar_ + step; !found && b >= 0 && b < range_->GetChildCount(); b += step) {
        const auto bar = std::dynamic_pointer_cast<Bar>(range_->GetChild(b));
        if (bar && !bar->GetNotes().empty()) {
            found = forward_ ? bar->GetNotes().front() : bar->GetNotes().back();
        }
    }
    if (found) {
        if (const auto lyric = found->GetLyric(verse_)) {
            lyric->RequestEdit();
        }
    }
}

}  // namespace quaverly
