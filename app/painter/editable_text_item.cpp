#include "app/painter/editable_text_item.h"

#include "app/painter/draw_resource_table.h"

#include <utility>

namespace brindle {

EditableTextItem::EditableTextItem(TextItemEditorGetter editor) : editor_(std::move(editor)) {}

TextItemEditor* EditableTextItem::Editor() const
{
    return editor_ ? editor_() : nullptr;
}

quaverly::LogFont EditableTextItem::ZoomedFont(int fontKey) const
{
    if (!table_)
        return {};
    quaverly::LogFont font = table_->GetFont(fontKey);
    font.height = static_cast<std::int32_t>(font.height * static_cast<double>(scale_));
    return font;
}

}  // namespace brindle
