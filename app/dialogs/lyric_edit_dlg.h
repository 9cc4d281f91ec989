// "歌词编辑": the lyrics of one verse of a voice as one line of syllables, one per note,
// separated by "-". The view tells it the voice (the cursor's) before it runs; the verse
// box picks verse 1 to 5, and each choice loads that verse from the editor. OK writes the
// chosen verse's syllables back through the editor; Cancel writes nothing.
#pragma once

#include "platform/dialog_base.h"

#include <string>
#include <vector>

namespace brindle {

class CLyricEdit;
class LyricsEditor;

class CLyricEditDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 218;
    static constexpr int kIdText = 1110;
    static constexpr int kIdVerse = 1111;
    static constexpr int kVerseCount = 5;

    // The editor is not owned and must outlive the dialog.
    explicit CLyricEditDlg(LyricsEditor& editor, QWidget* parent = nullptr);

    // The voice whose lyrics are edited; -1 (none) until set, and then nothing is read or
    // written.
    void SetVoice(int voice) { voice_ = voice; }
    int Voice() const { return voice_; }

    CLyricEdit* TextBox() const { return text_; }

    // The syllables of a verse's text: its pieces between the separators, in order.
    static std::vector<std::u16string> SplitSyllables(std::u16string_view text);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    int SelectedVerse() const;
    void LoadVerse();

    LyricsEditor& editor_;
    int voice_ = -1;
    CLyricEdit* text_ = nullptr;
};

}  // namespace brindle
