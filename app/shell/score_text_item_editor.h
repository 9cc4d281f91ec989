// The in-place text items reach the score editor through this adapter: the header texts
// and the three lyric operations of one syllable, passed on to the editor in charge.
#pragma once

#include <functional>

#include "app/painter/text_item_editor.h"

namespace quaverly::api {
class ScoreEditor;
}

namespace brindle {

class ScoreTextItemEditor final : public TextItemEditor {
public:
    using EditorGetter = std::function<quaverly::api::ScoreEditor*()>;
    explicit ScoreTextItemEditor(EditorGetter editor) : editor_(std::move(editor)) {}

    // The getter the items take: this adapter while an editor is in charge, else null.
    TextItemEditor* Get() { return Current() ? this : nullptr; }

    std::u16string GetTitle() const override;
    void SetTitle(std::u16string_view text) override;
    std::u16string GetSubtitle() const override;
    void SetSubtitle(std::u16string_view text) override;
    std::u16string GetPoet() const override;
    void SetPoet(std::u16string_view text) override;
    std::u16string GetComposer() const override;
    void SetComposer(std::u16string_view text) override;
    std::u16string GetSinger() const override;
    void SetSinger(std::u16string_view text) override;
    std::u16string GetAdapter() const override;
    void SetAdapter(std::u16string_view text) override;

    void BeginLyricEdit(const LyricLocation& location) override;
    void EndLyricEdit(const LyricLocation& location) override;
    void SetLyricText(const LyricLocation& location, std::u16string_view text) override;

private:
    using Getter = std::u16string (quaverly::api::ScoreEditor::*)() const;
    using Setter = void (quaverly::api::ScoreEditor::*)(const std::u16string&);
    // The editor in charge now; null when there is none.
    quaverly::api::ScoreEditor* Current() const { return editor_ ? editor_() : nullptr; }
    std::u16string Read(Getter getter) const;
    void Write(Setter setter, std::u16string_view text);

    EditorGetter editor_;
};

}  // namespace brindle
