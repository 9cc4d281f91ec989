// The editor's structure operations: parts and bars added and deleted, grouping signs
// and bar numbers, transposition and octave shifts of a bar range, and the cursor
// navigation that the page commands and the arrow keys use.
#include <algorithm>
#include <limits>
#include <memory>

#include "engine/commands/input_position_commands.h"
#include "engine/commands/refresh_commands.h"
#include "engine/commands/value_commands.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/system_node.h"
#include "engine/model/bar.h"
#include "engine/model/decorator.h"
#include "engine/model/element_path.h"
#include "engine/model/int_clamp.h"
#include "engine/model/note.h"
#include "engine/model/note_time.h"
#include "engine/model/part_group.h"

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

// Bar numbering modes: the first bar of every line, or every n-th bar.
constexpr int kNumberLineStarts = 0;
constexpr int kNumberEveryNth = 1;

}  // namespace

void ScoreEditor::AddGrouping(int type)
{
    if (type != part_group_type::kBrace && type != part_group_type::kBracket)
        return;
    const int part = cursor.track;
    if (part < 0 || part >= GetPartCount())
        return;
    auto group = std::make_shared<PartGroup>();
    group->SetType(type);
    group->SetFirstPart(part);
    group->SetLastPart(part);
    auto add = std::make_unique<AddPartGroupCommand>();
    add->SetScore(score);
    add->SetPartGroup(group);
    BeginGroup(false);
    AddCommand(std::move(add));
    AddCommand(std::make_unique<RefreshPartGroupTracksCommand>(this));
    AddCommand(std::make_unique<RefreshPartGroupHeadersCommand>(this));
    EndGroup();
    NotifyDocumentChanged();
}

void ScoreEditor::SetBarNumbering(const BarNumberFormat& format)
{
    // Every n-th bar needs an n.
    if (format.format == kNumberEveryNth && format.interval <= 0)
        return;
    const auto track = GetElementAtPath2(*score, 0, 0);
    if (!track)
        return;
    // Undone last change first: the new numbers go before the old ones come back on the
    // same bars.
    BeginReverseGroup(false);
    for (int b = 0; b < track->GetChildCount(); ++b) {
        const auto bar = std::dynamic_pointer_cast<Bar>(track->GetChild(b));
        if (!bar || !bar->GetDecorator())
            continue;
        auto remove = std::make_unique<RemoveBarIndexCommand>();
        remove->Target().SetDecorator(bar->GetDecorator());
        remove->Target().SetBar(bar);
        AddCommand(std::move(remove));
    }
    // The number of bar b counts from the offset; numbers outside the range are not shown.
    const auto number = [this, &format, &track](int b) {
        const std::int64_t n = std::int64_t{b} - format.countFrom;
        const auto bar = std::dynamic_pointer_cast<Bar>(track->GetChild(b));
        if (!bar || n < format.firstNumber || n > format.lastNumber)
            return;
        BarNumberFormat shown = format;
        shown.index = ClampToInt(n + 1);
        auto decorator = std::make_shared<Decorator>();
        decorator->SetProperties(shown);
        auto add = std::make_unique<AddBarIndexCommand>();
        add->SetDecorator(decorator);
        add->SetBar(bar);
        AddCommand(std::move(add));
    };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto line = std::dynamic_pointer_cast<SystemNode>(lines[i]);
        if (!line)
            continue;
        const BarRange range = line->GetBarRange();
        if (format.format == kNumberLineStarts && range.first < range.end) {
            number(range.first);
        } else if (format.format == kNumberEveryNth) {
            for (int b = range.first; b < range.end; ++b)
                if ((std::int64_t{b} + 1) % format.interval == 0)
                    number(b);
        }
    }
    AddCommand(std::make_unique<RebuildBarIndexCommand>(this));
    EndGroup();
    NotifyDocumentChanged();
}

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
