// The lyric operations of the editor that read the verses of a part.
#include <memory>

#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"

namespace quaverly {

namespace {

constexpr int kVerses = 5;

}  // namespace

std::vector<std::u16string> ScoreEditor::GetLyrics(int part, int verse) const
{
    std::vector<std::u16string> texts;
    if (verse < 0 || verse >= kVerses || part < 0 || part >= score->GetChildCount())
        return texts;
    const auto track = GetElementAtPath2(*score, part, 0);
    if (!track)
        return texts;
    for (int b = 0; b < track->GetChildCount(); ++b) {
        const auto bar = std::dynamic_pointer_cast<Bar>(track->GetChild(b));
        if (!bar)
            continue;
        // One entry per note, so the texts line up with the notes; a note without a
        // syllable in the verse gives an empty text.
        for (const auto& note : bar->GetNotes()) {
            const auto lyric = note ? note->GetLyric(verse) : nullptr;
            texts.push_back(lyric ? lyric->GetText() : std::u16string());
        }
    }
    return texts;
}

}  // namespace quaverly
