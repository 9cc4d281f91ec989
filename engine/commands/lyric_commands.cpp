#include "engine/commands/lyric_commands.h"

#include "engine/model/bar.h"
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

}  // namespace quaverly
