// The editor's key and pointer input: the choice of input mode, the keys the editor
// handles itself (Backspace and the four arrows), and the dispatch of everything else to
// the current input mode and then to the laid-out view.
#include <limits>
#include <memory>

#include "engine/commands/cursor_commands.h"
#include "engine/commands/input_position_commands.h"
#include "engine/commands/refresh_commands.h"
#include "engine/commands/set_note_properties_command.h"
#include "engine/editor/score_editor.h"
#include "engine/editor/selected_notes.h"
#include "engine/layout/input_mode.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_mark_views.h"
#include "engine/model/bar.h"
#include "engine/model/note.h"

namespace quaverly {

namespace {

// Virtual-key codes the editor handles itself.
constexpr int kBackspace = 8;

// The degree above or below: after 7 comes 1 an octave higher, before 1 comes 7 an
// octave lower. Value, dots and accidental stay.
NoteInputValues StepDegree(NoteInputValues values, bool up)
{
    if (up) {
        if (values.pitch >= pitch_code::kLastDegree) {
            values.pitch = pitch_code::kFirstDegree;
            ++values.octave;
        } else {
            ++values.pitch;
        }
    } else if (values.pitch <= pitch_code::kFirstDegree) {
        values.pitch = pitch_code::kLastDegree;
        --values.octave;
    } else {
        --values.pitch;
    }
    return values;
}

// The mode the events go to first; null when the map lacks the current number.
InputMode* CurrentModeOf(const ScoreEditor& editor)
{
    const auto mode = editor.modes.find(editor.currentMode);
    return mode != editor.modes.end() ? mode->second.get() : nullptr;
}

}  // namespace

bool ScoreEditor::MoveCursorNext()
{
    const auto bar = input_position::CursorBar(*this);
    if (bar) {
        // The next element of the bar ...
        if (const auto next = FindFirstElementAfter(*bar, cursor.timeInBar)) {
            cursor.timeInBar = next->GetStartTime();
            return true;
        }
        // ... else the first one of the next bar.
        const int index = GetCursorBarIndex();
        if (index >= 0 && index + 1 < GetBarCount() && PlaceCursorOnBar(index + 1)) {
            cursor.timeInBar = 0;
            return true;
        }
    }
    NotifyListener(EditorNoticeCode::ContentChanged);
    return false;
}

bool ScoreEditor::StepCursorBack()
{
    const auto bar = input_position::CursorBar(*this);
    if (!bar)
        return false;
    if (const auto note = input_position::LastNoteBefore(*bar, cursor.timeInBar)) {
        cursor.timeInBar = note->GetStartTime();
        return true;
    }
    // The last element of the bar before.
    const int index = GetCursorBarIndex();
    if (index < 1 || !PlaceCursorOnBar(index - 1))
        return false;
    const auto previous = input_position::CursorBar(*this);
    const auto last = previous ? input_position::LastNoteBefore(*previous, std::numeric_limits<int>::max())
                               : nullptr;
    cursor.timeInBar = last ? last->GetStartTime() : 0;
    return true;
}

void ScoreEditor::SetInputMode(int mode)
{
    // Only the three modes exist; any other number leaves the current mode on.
    const auto next = modes.find(mode);
    if (mode == currentMode || next == modes.end() || !next->second)
        return;
    if (InputMode* current = CurrentModeOf(*this))
        current->Leave();
    currentMode = mode;
    next->second->Enter();
}

void ScoreEditor::OnKeyDown(int key, int flags)
{
    // Whatever the key causes is one undo step, undone last change first. A group that
    // only moved the cursor records nothing.
    BeginReverseGroup(false);
    const bool ctrl = (flags & input_flag::kKeepSelection) != 0;
    if (key == kBackspace) {
        DeleteBeforeCursor();
    } else if ((key == key_code::kLeft || key == key_code::kRight) && !ctrl) {
        CursorKey(key == key_code::kRight, flags);
    } else if (key == key_code::kUp && !ctrl) {
        StepSelectedPitch(true, flags);
    } else if (key == key_code::kDown && !ctrl) {
        StepSelectedPitch(false, flags);
    } else {
        if (InputMode* mode = CurrentModeOf(*this))
            mode->OnKeyDown(key, flags);
        layout->OnKeyDown(key, flags);
    }
    EndGroup();
}

void ScoreEditor::OnInputEvent(int first, int second)
{
    if (InputMode* mode = CurrentModeOf(*this))
        mode->OnInputEvent(first, second);
    layout->OnInputEvent(first, second);
}

void ScoreEditor::OnButtonDown(Point point, int flags, int extra)
{
    if (InputMode* mode = CurrentModeOf(*this))
        mode->OnButtonDown(point, flags);
    int handled = extra;
    layout->OnButtonDown(point, flags, handled);
}

void ScoreEditor::OnPointerMove(Point point, int flags)
{
    if (InputMode* mode = CurrentModeOf(*this))
        mode->OnPointerMove(point, flags);
    layout->OnPointerMove(point, flags);
}

void ScoreEditor::OnButtonUp(Point point, int flags)
{
    if (InputMode* mode = CurrentModeOf(*this))
        mode->OnButtonUp(point, flags);
    layout->OnButtonUp(point, flags);
}

void ScoreEditor::OnDoubleClick(Point point, int flags, int extra)
{
    if (InputMode* mode = CurrentModeOf(*this))
        mode->OnDoubleClick(point, flags);
    int handled = extra;
    layout->OnDoubleClick(point, flags, handled);
}

void ScoreEditor::QueueCaretRefresh()
{
    BeginGroup(true);
    AddCommand(std::make_unique<MoveCaretCommand>(this));
    AddCommand(std::make_unique<UpdateCaretCommand>(this));
    EndGroup();
}

void ScoreEditor::QueueCursorPlacement()
{
    BeginGroup(true);
    AddCommand(std::make_unique<PlaceCursorCommand>(this));
    EndGroup();
}

void ScoreEditor::CursorKey(bool right, int flags)
{
    ClearSelectedElements();
    Navigate(right ? 7 : 6);
    if ((flags & 2) != 0)
        SetCaretEnabled(true);
    else
        QueueCaretRefresh();
    NotifyListener(EditorNoticeCode::ContentChanged);
}

void ScoreEditor::DeleteBeforeCursor()
{
    // The note the cursor steps back over is the one that goes: the step runs first and
    // puts the cursor at that note's start, then the note asks for its own removal.
    const auto bar = input_position::CursorBar(*this);
    const auto before = bar ? input_position::LastNoteBefore(*bar, cursor.timeInBar) : nullptr;
    auto step = std::make_unique<CursorStepCommand>(this);
    // A step that deletes nothing is a cursor move: it runs but is no undo step.
    step->SetTransient(!before);
    AddCommand(std::move(step));
    if (before)
        before->DeleteSelected();
    NotifyListener(EditorNoticeCode::ContentChanged);
}

void ScoreEditor::StepSelectedPitch(bool up, int flags)
{
    if (flags != 0)
        return;
    const auto bar = input_position::CursorBar(*this);
    const auto line = CursorLine();
    if (!bar || !line)
        return;
    bool changed = false;
    BeginGroup(false);
    for (const NotePlace& place : NotesOfBar(*bar, bar)) {
        const Note& note = *place.note;
        // Rests and the unpitched symbols have no degree to step.
        if (note.GetState() != element_state::kSelected || !IsPitchedNote(note))
            continue;
        changed = true;
        auto step = std::make_unique<SetNotePropertiesCommand>();
        const NoteInputValues values = SetNotePropertiesCommand::ValuesOf(note);
        step->SetNote(place.note.get());
        step->SetOldValues(values);
        step->SetNewValues(StepDegree(values, up));
        AddCommand(std::move(step));
    }
    if (changed) {
        AddCommand(MakeLineRelayout(this, line));
    }
    EndGroup();
    if (changed) {
        NotifyListener(EditorNoticeCode::DocumentModified);
        NotifyListener(EditorNoticeCode::ContentChanged);
    }
}

}  // namespace quaverly
