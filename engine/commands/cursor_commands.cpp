#include "engine/commands/cursor_commands.h"

#include "engine/commands/input_position_commands.h"
#include "engine/editor/score_editor.h"

namespace quaverly {

void PageStepCommand::Do()
{
    if (!editor_ || !input_position::CursorBar(*editor_))
        return;
    const int bar = editor_->GetCursorBarIndex();
    if (editor_->cursor.timeInBar >= input_position::BarLength(*editor_, bar))
        editor_->MoveCursorNext();
}

void MoveCaretCommand::Do()
{
    if (editor_)
        editor_->ReportCaret(Painter());
}

}  // namespace quaverly
