#include "app/painter/header_text_item.h"

#include "app/painter/draw_resource_table.h"

#include <utility>

namespace brindle {

HeaderTextItem::HeaderTextItem(TextItemEditorGetter editor, int fontKey, Getter getter,
                               Setter setter)
    : EditableTextItem(std::move(editor)), fontKey_(fontKey), getter_(getter), setter_(setter)
{
}

void HeaderTextItem::SetText(std::u16string_view text)
{
    if (TextItemEditor* editor = Editor())
        (editor->*setter_)(text);
}

std::u16string HeaderTextItem::GetText() const
{
    const TextItemEditor* editor = Editor();
    return editor ? (editor->*getter_)() : std::u16string();
}

quaverly::LogFont HeaderTextItem::GetFontHeight() const
{
    return ZoomedFont(fontKey_);
}

TitleTextItem::TitleTextItem(TextItemEditorGetter editor)
    : HeaderTextItem(std::move(editor), font_key::kTitle, &TextItemEditor::GetTitle,
                     &TextItemEditor::SetTitle)
{
}

SubtitleTextItem::SubtitleTextItem(TextItemEditorGetter editor)
    : HeaderTextItem(std::move(editor), font_key::kSubtitle, &TextItemEditor::GetSubtitle,
                     &TextItemEditor::SetSubtitle)
{
}

PoetTextItem::PoetTextItem(TextItemEditorGetter editor)
    : HeaderTextItem(std::move(editor), font_key::kPoet, &TextItemEditor::GetPoet,
                     &TextItemEditor::SetPoet)
{
}

ComposerTextItem::ComposerTextItem(TextItemEditorGetter editor)
    : HeaderTextItem(std::move(editor), font_key::kComposer, &TextItemEditor::GetComposer,
                     &TextItemEditor::SetComposer)
{
}

SingerTextItem::SingerTextItem(TextItemEditorGetter editor)
    : HeaderTextItem(std::move(editor), font_key::kComposer, &TextItemEditor::GetSinger,
                     &TextItemEditor::SetSinger)
{
}

AdapterTextItem::AdapterTextItem(TextItemEditorGetter editor)
    : HeaderTextItem(std::move(editor), font_key::kComposer, &TextItemEditor::GetAdapter,
                     &TextItemEditor::SetAdapter)
{
}

}  // namespace brindle
