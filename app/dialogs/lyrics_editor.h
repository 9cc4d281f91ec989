// What the lyric editor dialog needs of the score editor: one verse of one voice's lyrics,
// read and written as one syllable per note slot. The application's editor is reached
// through an adapter over this interface, so the dialog depends on nothing else of it.
#pragma once

#include <string>
#include <vector>

namespace brindle {

class LyricsEditor {
public:
    virtual ~LyricsEditor() = default;

    // Fills `syllables` with one text per note of the voice (empty for a note without a
    // syllable). `verse` is 0 to 4. An unknown voice gives none.
    virtual void GetLyrics(int voice, int verse, std::vector<std::u16string>& syllables) = 0;
    // Replaces the verse's syllables of the voice, one per note in order.
    virtual void SetLyrics(int voice, int verse, const std::vector<std::u16string>& syllables) = 0;
};

}  // namespace brindle
