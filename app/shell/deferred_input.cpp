#include "app/shell/deferred_input.h"

#include "engine/editor/editor_interface.h"

namespace brindle {

void DeferredNoteInput::Execute(quaverly::api::ScoreEditor& editor)
{
    editor.InputNote(degree_, octave_, value_, dots_, accidental_, graceKind_, modifiers_);
}

void DeferredChordInput::Execute(quaverly::api::ScoreEditor& editor)
{
    editor.InputChord(&keys_, value_, dots_, graceKind_, modifiers_);
}

void DeferredPointerNoteInput::Execute(quaverly::api::ScoreEditor& editor)
{
    editor.OnButtonDown(point_, pointerFlags_, 0);
    note_.Execute(editor);
}

}  // namespace brindle
