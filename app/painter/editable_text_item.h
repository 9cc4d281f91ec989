// One header text or lyric syllable being edited in place. The score view makes one when
// the editor asks for an in-place edit, gives it the view's resource table and zoom, and
// hands it to the in-place text box, which reads its text and font, writes the edited text
// back through it, and tells it when the edit opens and closes. The item is the only thing
// the box knows of what it edits.
#pragma once

#include "app/painter/text_item_editor.h"
#include "engine/model/log_font.h"

#include <functional>
#include <string>
#include <string_view>

namespace brindle {

class DrawResourceTable;

// The editor in charge at the moment of a call; null when there is none (no document).
using TextItemEditorGetter = std::function<TextItemEditor*()>;

class EditableTextItem {
public:
    virtual ~EditableTextItem() = default;
    EditableTextItem(const EditableTextItem&) = delete;
    EditableTextItem& operator=(const EditableTextItem&) = delete;

    // The edit opens and closes; nothing for a header text.
    virtual void BeginEdit() {}
    virtual void EndEdit() {}
    // Stores the edited text through the editor.
    virtual void SetText(std::u16string_view text) = 0;
    // The text as it stands.
    virtual std::u16string GetText() const = 0;
    // The font the score draws the text in, its height (screen pixels at 100 %) times the
    // zoom, truncated toward zero.
    virtual quaverly::LogFont GetFontHeight() const = 0;
    // A lyric syllable ends at a blank; a header text takes blanks.
    virtual bool IsLyric() const { return false; }

    // The same font under the name the text box asks for it.
    quaverly::LogFont GetFont() const { return GetFontHeight(); }

    // The view's zoom factor; 1.0 until set.
    void SetScale(float scale) { scale_ = scale; }
    float GetScale() const { return scale_; }
    // The view's table, not owned; without one the font is all zero (the system's).
    void SetResourceTable(const DrawResourceTable* table) { table_ = table; }
    const DrawResourceTable* GetResourceTable() const { return table_; }

protected:
    explicit EditableTextItem(TextItemEditorGetter editor);

    // The editor in charge now, or null.
    TextItemEditor* Editor() const;
    // The table's font of `fontKey` at the zoom.
    quaverly::LogFont ZoomedFont(int fontKey) const;

private:
    float scale_ = 1.0f;
    const DrawResourceTable* table_ = nullptr;
    TextItemEditorGetter editor_;
};

}  // namespace brindle
