#include "app/painter/lyric_text_item.h"

#include "app/painter/draw_resource_table.h"

#include <utility>

namespace brindle {

LyricTextItem::LyricTextItem(TextItemEditorGetter editor, const LyricLocation& location,
                             std::u16string text)
    : EditableTextItem(std::move(editor)), location_(location), text_(std::move(text))
{
}

void LyricTextItem::BeginEdit()
{
    if (TextItemEditor* editor = Editor())
        editor->BeginLyricEdit(location_);
}

void LyricTextItem::EndEdit()
{
    if (TextItemEditor* editor = Editor())
        editor->EndLyricEdit(location_);
}

void LyricTextItem::SetText(std::u16string_view text)
{
    text_.assign(text);
    if (TextItemEditor* editor = Editor())
        editor->SetLyricText(location_, text_);
}

quaverly::LogFont LyricTextItem::GetFontHeight() const
{
    return ZoomedFont(font_key::kLyric);
}

}  // namespace brindle
