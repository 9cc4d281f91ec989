// A lyric syllable edited in place. It knows where the syllable is and keeps its own copy
// of the text: the view makes it with the text the editor reported, and every edit that is
// stored through it replaces the copy as well, so the item always shows what was written.
#pragma once

#include "app/painter/editable_text_item.h"

namespace brindle {

class LyricTextItem final : public EditableTextItem {
public:
    LyricTextItem(TextItemEditorGetter editor, const LyricLocation& location,
                  std::u16string text);

    // The editor opens and closes its lyric edit at the syllable.
    void BeginEdit() override;
    void EndEdit() override;
    // Keeps the text and writes it to the syllable.
    void SetText(std::u16string_view text) override;
    std::u16string GetText() const override { return text_; }
    quaverly::LogFont GetFontHeight() const override;
    bool IsLyric() const override { return true; }

    const LyricLocation& GetLocation() const { return location_; }

private:
    LyricLocation location_;
    std::u16string text_;
};

}  // namespace brindle
