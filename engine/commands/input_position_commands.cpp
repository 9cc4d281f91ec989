#include "engine/commands/input_position_commands.h"

#include <cstdint>

#include "engine/commands/bar_index_tables.h"
#include "engine/layout/layout_column_state.h"
#include "engine/layout/layout_engine.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/int_clamp.h"
#include "engine/model/note.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"

namespace quaverly {

namespace input_position {

std::shared_ptr<Bar> CursorBar(const ScoreEditor& editor)
{
    if (!editor.layout) {
        return nullptr;
    }
    const CursorPosition& c = editor.cursor;
    return std::dynamic_pointer_cast<Bar>(
        GetElementAtPath4(*editor.layout, c.page, c.line, c.track, c.barInLine));
}

int BarLength(const ScoreEditor& editor, int barIndex)
{
    std::int64_t beats = 4;
    std::int64_t beatType = 4;
    if (editor.score) {
        if (const auto signature = editor.score->FindTimeSignature(barIndex)) {
            if (signature->beats > 0 && signature->beatType > 0) {
                beats = signature->beats;
                beatType = signature->beatType;
            }
        }
    }
    return ClampToInt(beats * kTicksPerWhole / beatType);
}

std::shared_ptr<Note> LastNoteBefore(const Bar& bar, int limit)
{
    std::shared_ptr<Note> found;
    for (const auto& note : bar.GetNotes()) {
        if (!note || note->GetStartTime() >= limit) {
            break;
        }
        found = note;
    }
    return found;
}

int EndOfNoteBefore(const Bar& bar, int limit)
{
    const auto note = LastNoteBefore(bar, limit);
    return note ? GetNoteEndTime(note) : 0;
}

}  // namespace input_position

using namespace input_position;

void AppendBarCommand::Do()
{
    if (!editor_ || !editor_->score) {
        return;
    }
    const int n = editor_->GetBarCount();
    if (n + 1 > kMaxBarsByEntry) {
        return;
    }
    for (const auto& part : ScoreParts(*editor_->score)) {
        if (part->GetChildCount() == n) {
            part->InsertChild(n, std::make_shared<Bar>(n));
        }
    }
    if (Painter() != nullptr) {
        LayoutScore(LayoutColumnState{Painter(), editor_->score, n, n + 1});
    }
}

void AdvanceInputTimeCommand::Remember(int timeAfter)
{
    acted_ = true;
    before_ = editor_->cursor;
    timeAfter_ = timeAfter;
}

void AdvanceInputTimeCommand::Do()
{
    if (!editor_ || !note_ || !bar_ || CursorBar(*editor_) != bar_) {
        acted_ = false;
        return;
    }
    const int end = GetNoteEndTime(note_);
    Remember(end);
    editor_->cursor.timeInBar = end;
    const int barIndex = editor_->GetCursorBarIndex();
    if (end >= BarLength(*editor_, barIndex)) {
        editor_->MoveCursorNext();
    }
}

void AdvanceInputTimeCommand::Undo()
{
    if (!editor_ || !bar_ || !acted_) {
        return;
    }
    const int time = EndOfNoteBefore(*bar_, timeAfter_);
    editor_->cursor = before_;
    editor_->cursor.timeInBar = time;
}

void RetimeNoteCommand::Do()
{
    ScoreEditor* editor = Editor();
    if (!editor || !GetNote() || !GetBar() || CursorBar(*editor) != GetBar()) {
        return;
    }
    Remember(GetNote()->GetStartTime());
    editor->cursor.timeInBar = GetNote()->GetStartTime();
}

void StepCursorCommand::Do()
{
    if (editor_) {
        editor_->MoveCursorNext();
    }
}

void StepCursorCommand::Undo()
{
    if (editor_) {
        editor_->StepCursorBack();
    }
}

void CursorStepCommand::Do()
{
    if (editor_) {
        editor_->Navigate(6);
    }
}

void PlaceCursorCommand::Do()
{
    if (!editor_) {
        return;
    }
    const CursorPosition& c = editor_->cursor;
    NoticePosition position{c.page, c.line, c.track, editor_->GetCursorBarIndex(), c.timeInBar};
    EditorNotice notice;
    notice.code = EditorNoticeCode::PageChanged;
    notice.position = &position;
    editor_->NotifyListener(notice);
    editor_->ReportCaret(Painter());
}

void SelectNoteAtInputCommand::Do()
{
    if (!editor_) {
        return;
    }
    const auto bar = CursorBar(*editor_);
    if (!bar) {
        return;
    }
    for (const auto& note : bar->GetNotes()) {
        if (note && note->GetStartTime() == editor_->cursor.timeInBar) {
            note->Select();
            return;
        }
    }
}

void UpdateCaretCommand::Do()
{
    if (editor_) {
        editor_->SetCaretEnabled(editor_->selectedElements.empty());
    }
}

}  // namespace quaverly
