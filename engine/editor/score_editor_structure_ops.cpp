// The editor's structure operations: parts and bars added and deleted, grouping signs
// and bar numbers, transposition and octave shifts of a bar range, and the cursor
// navigation that the page commands and the arrow keys use.
#include <algorithm>
#include <limits>
#include <memory>

#include "engine/commands/input_position_commands.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/system_node.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/note.h"
#include "engine/model/note_time.h"

namespace quaverly {

namespace {

// The navigation operations of Navigate, by index.
namespace navigation {
constexpr int kFirstPage = 0;
constexpr int kLastBar = 1;
constexpr int kPreviousPage = 2;
constexpr int kNextPage = 3;
constexpr int kPreviousBar = 4;
constexpr int kNextBar = 5;
constexpr int kPreviousNote = 6;
constexpr int kNextNote = 7;
}  // namespace navigation

// The number of bars the cursor's line shows; 0 off the layout or on the heading.
int BarsOnCursorLine(const ScoreEditor& editor)
{
    const auto line = std::dynamic_pointer_cast<SystemNode>(
        GetElementAtPath2(*editor.layout, editor.cursor.page, editor.cursor.line));
    if (!line)
        return 0;
    const BarRange range = line->GetBarRange();
    return std::max(range.end - range.first, 0);
}

}  // namespace

bool ScoreEditor::Navigate(int index)
{
    const CursorPosition before = cursor;
    const int bar = GetCursorBarIndex();
    const int barCount = GetBarCount();
    bool moved = false;
    // Puts the cursor on another bar at a time; false when no laid-out line shows it.
    const auto toBar = [this](int target, int time) {
        if (!PlaceCursorOnBar(target))
            return false;
        cursor.timeInBar = time;
        return true;
    };

    switch (index) {
        case navigation::kFirstPage:
            cursor = {0, 1, cursor.track, 0, 0};
            moved = true;
            break;
        case navigation::kLastBar:
            moved = barCount > 0 && toBar(barCount - 1, 0);
            break;
        case navigation::kPreviousPage: {
            const int page = std::max(cursor.page - 1, 0);
            cursor = {page, page == 0 ? 1 : 0, cursor.track, 0, 0};
            moved = true;
            break;
        }
        case navigation::kNextPage:
            // Past the last page there is no line for the cursor: it stays.
            if (cursor.page >= 0 && cursor.page + 1 < layout->GetChildCount()) {
                cursor = {cursor.page + 1, 0, cursor.track, 0, 0};
                moved = true;
            }
            break;
        case navigation::kPreviousBar:
            if (bar >= 0 && cursor.barInLine > 0) {
                // Inside the line: the bar before, at the same time, with nothing to report.
                --cursor.barInLine;
                return true;
            }
            moved = bar > 0 && toBar(bar - 1, 0);
            break;
        case navigation::kNextBar:
            if (bar >= 0 && bar + 1 < barCount && cursor.barInLine + 1 < BarsOnCursorLine(*this)) {
                ++cursor.barInLine;
                cursor.timeInBar = 0;
                return true;
            }
            moved = bar >= 0 && bar + 1 < barCount && toBar(bar + 1, 0);
            break;
        case navigation::kPreviousNote: {
            const auto current = input_position::CursorBar(*this);
            if (!current)
                break;
            // The start of the last note that starts before the time, in this bar ...
            int start = -1;
            for (const auto& note : current->GetNotes()) {
                if (!note || note->GetStartTime() >= cursor.timeInBar)
                    break;
                start = note->GetStartTime();
            }
            if (start >= 0) {
                cursor.timeInBar = start;
                return true;
            }
            // ... else the end of the previous bar's last note.
            const auto previous =
                bar > 0 ? std::dynamic_pointer_cast<Bar>(GetElementAtPath3(*score, cursor.track, 0, bar - 1))
                        : nullptr;
            const int end = previous ? input_position::EndOfNoteBefore(
                                           *previous, std::numeric_limits<int>::max())
                                     : 0;
            moved = bar > 0 && toBar(bar - 1, end);
            break;
        }
        case navigation::kNextNote: {
            const auto current = input_position::CursorBar(*this);
            if (!current)
                break;
            // The end of the first note that does not start before the time, in this bar ...
            for (const auto& note : current->GetNotes()) {
                if (note && note->GetStartTime() >= cursor.timeInBar) {
                    cursor.timeInBar = GetNoteEndTime(note);
                    return true;
                }
            }
            // ... else the start of the next bar.
            moved = bar >= 0 && bar + 1 < barCount && toBar(bar + 1, 0);
            break;
        }
        default:
            return true;
    }

    if (!moved) {
        cursor = before;
        NotifyListener(EditorNoticeCode::ContentChanged);
        return true;
    }
    // The cursor went to another line or page: the host is told where it is now.
    if (cursor.page != before.page || cursor.line != before.line || index <= navigation::kNextPage)
        QueueCursorPlacement();
    NotifyListener(EditorNoticeCode::ContentChanged);
    return true;
}

}  // namespace quaverly
