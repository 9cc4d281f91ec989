#include "app/shell/score_text_item_editor.h"

#include "engine/editor/editor_interface.h"

namespace brindle {

using Editor = quaverly::api::ScoreEditor;

std::u16string ScoreTextItemEditor::Read(Getter getter) const
{
    Editor* editor = Current();
    return editor ? (editor->*getter)() : std::u16string();
}

void ScoreTextItemEditor::Write(Setter setter, std::u16string_view text)
{
    if (Editor* editor = Current())
        (editor->*setter)(std::u16string(text));
}

std::u16string ScoreTextItemEditor::GetTitle() const { return Read(&Editor::GetTitle); }
void ScoreTextItemEditor::SetTitle(std::u16string_view text) { Write(&Editor::SetTitle, text); }
std::u16string ScoreTextItemEditor::GetSubtitle() const { return Read(&Editor::GetSubtitle); }
void ScoreTextItemEditor::SetSubtitle(std::u16string_view text) { Write(&Editor::SetSubtitle, text); }
std::u16string ScoreTextItemEditor::GetPoet() const { return Read(&Editor::GetPoet); }
void ScoreTextItemEditor::SetPoet(std::u16string_view text) { Write(&Editor::SetPoet, text); }
std::u16string ScoreTextItemEditor::GetComposer() const { return Read(&Editor::GetComposer); }
void ScoreTextItemEditor::SetComposer(std::u16string_view text) { Write(&Editor::SetComposer, text); }
std::u16string ScoreTextItemEditor::GetSinger() const { return Read(&Editor::GetSinger); }
void ScoreTextItemEditor::SetSinger(std::u16string_view text) { Write(&Editor::SetSinger, text); }
std::u16string ScoreTextItemEditor::GetAdapter() const { return Read(&Editor::GetAdapter); }
void ScoreTextItemEditor::SetAdapter(std::u16string_view text) { Write(&Editor::SetAdapter, text); }

void ScoreTextItemEditor::BeginLyricEdit(const LyricLocation& at)
{
    if (Editor* editor = Current())
        editor->BeginLyricEdit(at.part, at.bar, at.verse, at.time);
}

void ScoreTextItemEditor::EndLyricEdit(const LyricLocation& at)
{
    if (Editor* editor = Current())
        editor->EndLyricEdit(at.part, at.bar, at.verse, at.time);
}

void ScoreTextItemEditor::SetLyricText(const LyricLocation& at, std::u16string_view text)
{
    if (Editor* editor = Current())
        editor->SetLyricText(quaverly::LyricTextRecord{at.part, at.bar, at.verse, at.time, std::u16string(text)});
}

}  // namespace brindle
