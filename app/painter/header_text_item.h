// The header texts that can be edited in place: title, subtitle, poet, composer, singer
// and adapter. Each reads and writes its text through the editor in charge at the moment
// of the call and is edited in the font the score draws it with (the singer and the
// adapter in the composer's font).
#pragma once

#include "app/painter/editable_text_item.h"

namespace brindle {

class HeaderTextItem : public EditableTextItem {
public:
    void SetText(std::u16string_view text) override;
    std::u16string GetText() const override;
    quaverly::LogFont GetFontHeight() const override;

    int GetFontKey() const { return fontKey_; }

protected:
    using Getter = std::u16string (TextItemEditor::*)() const;
    using Setter = void (TextItemEditor::*)(std::u16string_view);

    HeaderTextItem(TextItemEditorGetter editor, int fontKey, Getter getter, Setter setter);

private:
    int fontKey_;
    Getter getter_;
    Setter setter_;
};

class TitleTextItem final : public HeaderTextItem {
public:
    explicit TitleTextItem(TextItemEditorGetter editor);
};

class SubtitleTextItem final : public HeaderTextItem {
public:
    explicit SubtitleTextItem(TextItemEditorGetter editor);
};

class PoetTextItem final : public HeaderTextItem {
public:
    explicit PoetTextItem(TextItemEditorGetter editor);
};

class ComposerTextItem final : public HeaderTextItem {
public:
    explicit ComposerTextItem(TextItemEditorGetter editor);
};

class SingerTextItem final : public HeaderTextItem {
public:
    explicit SingerTextItem(TextItemEditorGetter editor);
};

class AdapterTextItem final : public HeaderTextItem {
public:
    explicit AdapterTextItem(TextItemEditorGetter editor);
};

}  // namespace brindle
