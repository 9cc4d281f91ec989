#include "engine/commands/enter_note_command.h"

#include "engine/commands/input_position_commands.h"
#include "engine/commands/insert_note_command.h"
#include "engine/commands/refresh_commands.h"
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/note.h"

namespace quaverly {

void EnterNoteCommand::Do()
{
    if (!editor_ || !editor_->layout || !note_) {
        return;
    }
    const auto bar = input_position::CursorBar(*editor_);
    const auto line = GetElementAtPath2(*editor_->layout, editor_->cursor.page, editor_->cursor.line);
    if (!bar || !line) {
        return;
    }
    note_->SetStartTime(editor_->cursor.timeInBar);

    auto insert = std::make_unique<InsertNoteCommand>(editor_);
    insert->SetNote(note_);
    insert->SetBarIndex(editor_->GetCursorBarIndex());
    insert->SetBar(bar);
    insert->SetLineWalkedAfter(line);
    auto relayout = std::make_unique<RelayoutAndRepaginateCommand>(editor_);
    relayout->SetStartElement(line);
    auto advance = std::make_unique<AdvanceInputTimeCommand>(editor_);
    advance->SetCursor(editor_->cursor);
    advance->SetNote(note_);
    advance->SetBar(bar);

    editor_->BeginGroup(false);
    editor_->AddCommand(std::move(insert));
    editor_->AddCommand(std::move(relayout));
    editor_->AddCommand(std::move(advance));
    editor_->AddCommand(std::make_unique<PlaceCursorCommand>(editor_));
    editor_->EndGroup();
}

}  // namespace quaverly
