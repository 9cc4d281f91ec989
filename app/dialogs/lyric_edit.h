// The text box of the lyric editor: one verse as one line of syllables separated by "-",
// one syllable per note. While the user types it keeps that shape: blanks, ideographic
// blanks and line breaks become separators, and there are always exactly as many
// separators as note slots less one (missing ones are added at the end, extra ones cut the
// text there). With no slots at all the text is left as typed. The caret stays where it
// was in the text, moved back only by the characters taken out before it.
#pragma once

#include <QPlainTextEdit>

#include <string>
#include <string_view>

namespace brindle {

class CLyricEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    static constexpr char16_t kSeparator = u'-';

    explicit CLyricEdit(QWidget* parent = nullptr);

    // The number of syllable slots; 0 or less means none (nothing added or cut).
    void SetSlotCount(int n) { slots_ = n < 0 ? 0 : n; }
    int SlotCount() const { return slots_; }

    // Reshapes the current text, keeping the caret and the selection.
    void Normalize();

    std::u16string Text() const { return toPlainText().toStdU16String(); }
    void SetText(std::u16string_view text);

    // The reshaping itself. `anchor` and `position` (a selection, UTF-16 offsets into
    // `text`) are moved to where they fall in the result.
    static std::u16string NormalizeText(std::u16string_view text, int slotCount, int& anchor, int& position);

protected:
    // A pasted or dropped CR LF is one line break, not two.
    void insertFromMimeData(const QMimeData* source) override;

private:
    int slots_ = 10;
    bool normalizing_ = false;
};

}  // namespace brindle
