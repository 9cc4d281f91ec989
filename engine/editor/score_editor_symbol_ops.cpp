// The marks the editor attaches to the music: articulations and free symbols on the
// selected notes and bar lines, dynamics at the cursor, free texts on a page, bar-line
// styles, repeats and jump marks at the selected bar lines, forced line breaks and line
// marks. Each is one undo step and reports the view and the document changed.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/commands/add_element_command.h"
#include "engine/commands/input_position_commands.h"
#include "engine/commands/layout_map_commands.h"
#include "engine/commands/place_line_mark_command.h"
#include "engine/commands/refresh_commands.h"
#include "engine/commands/set_line_mark_value_command.h"
#include "engine/commands/value_commands.h"
#include "engine/editor/score_editor.h"
#include "engine/editor/selected_notes.h"
#include "engine/layout/barline_view.h"
#include "engine/layout/line_mark_geometry.h"
#include "engine/layout/page_node.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/line_mark.h"
#include "engine/model/note.h"
#include "engine/model/note_symbol_factory.h"
#include "engine/model/page_text.h"
#include "engine/model/part.h"
#include "engine/model/symbol_mark.h"

namespace quaverly {

namespace {

// Repeat marks of a bar line: a start and an end repeat.
constexpr int kStartRepeat = 1;
constexpr int kEndRepeat = 2;
// Bar-line styles whose target is the bar line before a selected start of a bar, and the
// style whose target is the one after a selected end of a bar.
constexpr int kDoubleStyle = 5;
constexpr int kFinalStyle = 6;
constexpr int kStartRepeatStyle = 7;

bool IsSelected(const ScoreElement& element)
{
    return element.GetState() == element_state::kSelected;
}

// The index of the first selected bar-line view of the line; -1 when none is.
int FirstSelectedView(const SystemNode& line)
{
    const auto& views = line.GetBarlineViews();
    for (std::size_t i = 0; i < views.size(); ++i)
        if (views[i] && IsSelected(*views[i]))
            return static_cast<int>(i);
    return -1;
}

// The bars a bar-line view stands for, one per visible row.
std::vector<std::shared_ptr<Bar>> BarsOf(const BarlineView& view)
{
    std::vector<std::shared_ptr<Bar>> bars;
    for (const BarlineViewEntry& entry : view.GetBars())
        if (const auto bar = std::dynamic_pointer_cast<Bar>(entry.bar))
            bars.push_back(bar);
    return bars;
}

// The lines of one page of the layout root.
std::vector<std::shared_ptr<SystemNode>> LinesOfPage(const ScoreElement& layout, int page)
{
    std::vector<std::shared_ptr<SystemNode>> result;
    const auto node = page >= 0 && page < layout.GetChildCount() ? layout.GetChild(page) : nullptr;
    for (int l = 0; node && l < node->GetChildCount(); ++l)
        if (auto line = std::dynamic_pointer_cast<SystemNode>(node->GetChild(l)))
            result.push_back(std::move(line));
    return result;
}

// Where a selected bar line's change lands. A change that belongs to the other side of
// the bar line (an end mark on a start of a bar, a start mark on an end) goes to the
// neighbouring view: the end of the bar before, or the start of the bar after.
int TargetView(int selected, int side, bool toPrevious, bool toNext)
{
    if (side == barline_side::kLeft && toPrevious)
        return selected - 1;
    if (side == barline_side::kRight && toNext)
        return selected + 1;
    return selected;
}

}  // namespace

void ScoreEditor::AddArticulation(int code)
{
    const auto line = CursorLine();
    // A code with no symbol of its own adds nothing.
    if (!line || !CreateNoteSymbol(code))
        return;
    const auto selected = SelectedNotesOfLine(line, SelectionScope::kAllNotes);
    if (selected.empty())
        return;
    BeginGroup(false);
    for (const SelectedNote& note : selected) {
        auto add = std::make_unique<AddArticulationCommand>();
        add->SetTarget(note.place.note);
        add->SetItem(CreateNoteSymbol(code));
        AddCommand(std::move(add));
    }
    AddCommand(MakeLineRelayout(this, line));
    EndGroup();
    NotifyDocumentChanged();
}

void ScoreEditor::AddOtherSymbol(const ExtendSymbol& symbol)
{
    const auto line = CursorLine();
    if (!line)
        return;
    const auto notes = SelectedNotesOfLine(line, SelectionScope::kAllNotes);
    // A selected bar line spans the rows of the line; its symbol goes on the top row's.
    std::vector<std::shared_ptr<Barline>> barlines;
    for (const auto& view : line->GetBarlineViews()) {
        if (!view || !IsSelected(*view) || view->GetBars().empty())
            continue;
        if (auto barline = std::dynamic_pointer_cast<Barline>(view->GetBars().front().barline))
            barlines.push_back(std::move(barline));
    }
    if (notes.empty() && barlines.empty())
        return;
    const auto makeMark = [&symbol] {
        auto mark = std::make_shared<SymbolMark>();
        mark->SetSymbolData(symbol);
        return mark;
    };
    BeginGroup(false);
    for (const SelectedNote& note : notes) {
        auto add = std::make_unique<AddNoteSymbolCommand>();
        add->SetTarget(note.place.note);
        add->SetItem(makeMark());
        AddCommand(std::move(add));
    }
    for (const auto& barline : barlines) {
        auto add = std::make_unique<AddBarSymbolCommand>();
        add->SetTarget(barline);
        add->SetItem(makeMark());
        AddCommand(std::move(add));
    }
    auto columns = std::make_unique<RelayoutBarRangeCommand>();
    columns->SetScore(score);
    columns->SetRange(line->GetBarRange().first, line->GetBarRange().end);
    AddCommand(std::move(columns));
    AddCommand(MakeLineRelayout(this, line));
    EndGroup();
    NotifyDocumentChanged();
}

bool ScoreEditor::SetDynamics(int code)
{
    const auto bar = input_position::CursorBar(*this);
    const auto line = CursorLine();
    if (!bar || !line)
        return false;
    auto mark = std::make_shared<DynamicMark>();
    mark->SetDynamicsCode(code);
    mark->SetTimePosition(cursor.timeInBar);
    auto add = std::make_unique<AddDynamicsCommand>();
    add->SetTarget(bar);
    add->SetItem(mark);
    BeginGroup(false);
    AddCommand(std::move(add));
    AddCommand(MakeLineRelayout(this, line));
    EndGroup();
    NotifyDocumentChanged();
    return true;
}

void ScoreEditor::AddTextItem(const PageTextData& text)
{
    // The text goes on the cursor's page, which must be a page of the layout.
    if (cursor.page < 0 || cursor.page >= layout->GetChildCount())
        return;
    const auto page = std::dynamic_pointer_cast<PageNode>(layout->GetChild(cursor.page));
    if (!page)
        return;
    auto item = std::make_shared<PageText>();
    item->SetTextData(text);
    item->SetPage(cursor.page);
    auto add = std::make_unique<AddPageTextCommand>();
    add->SetTarget(score);
    add->SetItem(item);
    auto refresh = std::make_unique<RefreshElementCommand>();
    refresh->SetTarget(page);
    BeginGroup(false);
    AddCommand(std::move(add));
    AddCommand(std::move(refresh));
    EndGroup();
    NotifyDocumentChanged();
}

bool ScoreEditor::InsertLineBreak()
{
    if (score->GetChildCount() == 0)
        return false;
    // The first selected bar line in score order: a line begins at its bar when it is
    // a bar's start, after its bar when it is a bar's end.
    for (int p = 0; p < layout->GetChildCount(); ++p) {
        for (const auto& line : LinesOfPage(*layout, p)) {
            const int selected = FirstSelectedView(*line);
            if (selected < 0)
                continue;
            const auto& view = line->GetBarlineViews()[static_cast<std::size_t>(selected)];
            const int bar = line->GetBarRange().first + selected / 2 +
                            (view->GetSide() == barline_side::kRight ? 1 : 0);
            // A break that is there already stays as it is.
            if (score->GetLineBreaks().count(bar) != 0)
                return false;
            auto add = std::make_unique<AddLineBreakCommand>(this);
            add->SetBar(bar);
            // A break at a page's first bar is marked at the end of the page before.
            auto reflow = std::make_unique<ReflowLinesFromCommand>(this);
            reflow->SetPage(p > 0 && bar == line->GetBarRange().first && line == LinesOfPage(*layout, p).front() ? p - 1
                                                                                                            : p);
            BeginGroup(false);
            AddCommand(std::move(add));
            AddCommand(std::move(reflow));
            EndGroup();
            NotifyDocumentChanged();
            return true;
        }
    }
    return false;
}

bool ScoreEditor::SetBarline(int type)
{
    return ChangeSelectedBarLines(type, -1, type == kDoubleStyle || type == kFinalStyle,
                                  type == kStartRepeatStyle);
}

bool ScoreEditor::AddJumpMark(int style, int mark)
{
    // End repeat, D.C., D.S., Fine and To Coda close a bar; start repeat, Coda and Segno
    // open one.
    const bool closing = mark == kEndRepeat || (mark >= 3 && mark <= 5) || mark == 7;
    const bool opening = mark == kStartRepeat || mark == 6 || mark == 8;
    return ChangeSelectedBarLines(style, mark, closing, opening);
}

bool ScoreEditor::ChangeSelectedBarLines(int style, int mark, bool toPrevious, bool toNext)
{
    bool handled = false;
    for (const auto& line : LinesOfPage(*layout, cursor.page)) {
        const int selected = FirstSelectedView(*line);
        if (selected < 0)
            continue;
        const auto& views = line->GetBarlineViews();
        const int side = views[static_cast<std::size_t>(selected)]->GetSide();
        const int target = TargetView(selected, side, toPrevious, toNext);
        if (target < 0 || target >= static_cast<int>(views.size()))
            continue;
        const auto& view = views[static_cast<std::size_t>(target)];
        if (!BarLineChange(line, *view, style, mark))
            continue;
        if (target != selected) {
            views[static_cast<std::size_t>(selected)]->Deselect();
            view->Select();
        }
        NotifyDocumentChanged();
        handled = true;
    }
    return handled;
}

bool ScoreEditor::BarLineChange(const std::shared_ptr<SystemNode>& line, const BarlineView& view,
                                int style, int mark)
{
    const auto bars = BarsOf(view);
    if (bars.empty())
        return false;
    const int side = view.GetSide();
    const int currentMark = bars.front()->GetBarline(side)->GetMarkValue();
    // Setting a plain style takes a repeat off the bar line; a mark is always written.
    const int newMark = mark >= 0 ? mark
                                  : (currentMark == kStartRepeat || currentMark == kEndRepeat ? 0
                                                                                              : -1);
    BeginGroup(false);
    for (const auto& bar : bars) {
        auto setType = std::make_unique<SetBarlineTypeCommand>();
        setType->SetSide(side);
        setType->SetNewType(style);
        setType->SetOldType(bar->GetBarline(side)->GetType());
        setType->AppendBar(bar);
        AddCommand(std::move(setType));
        if (newMark >= 0) {
            auto setMark = std::make_unique<SetBarRepeatCommand>();
            setMark->SetSide(side);
            setMark->SetNewValue(newMark);
            setMark->SetOldValue(bar->GetBarline(side)->GetMarkValue());
            setMark->AppendBar(bar);
            AddCommand(std::move(setMark));
        }
    }
    auto rebuild = std::make_unique<RebuildBarsCommand>();
    for (const auto& bar : bars)
        rebuild->AppendBar(bar);
    AddCommand(std::move(rebuild));
    if (newMark >= 0) {
        auto joins = std::make_unique<RefreshStaffJoinsCommand>();
        joins->SetSystem(line);
        AddCommand(std::move(joins));
    }
    AddCommand(MakeLineRelayout(this, line));
    EndGroup();
    return true;
}

void ScoreEditor::AddLineMark(int kind)
{
    // Kinds outside 0 to 12 make no mark.
    const auto mark = CreateLineMark(kind);
    const auto bar = input_position::CursorBar(*this);
    const auto line = CursorLine();
    const auto track = line ? line->GetTrack(cursor.track) : nullptr;
    const auto part = track ? track->GetPart() : nullptr;
    if (!mark || !bar || !part)
        return;
    const int barIndex = GetCursorBarIndex();
    mark->SetBar(barIndex);
    mark->SetTimePosition(cursor.timeInBar);
    std::vector<std::shared_ptr<SystemNode>> relayout{line};

    // What the commands give the new mark: an ending its length over the rest of its
    // bar, a slur its span from the first to the last selected note of the cursor's row.
    std::unique_ptr<EditCommand> shape;
    int bar0 = barIndex;
    int time0 = cursor.timeInBar;
    int duration = mark->GetDuration();
    if (kind == line_mark_kind::kFirstEnding || kind == line_mark_kind::kSecondEnding) {
        const int rest = input_position::BarLength(*this, barIndex) - cursor.timeInBar;
        if (rest > 0) {
            duration = rest;
            auto value = std::make_unique<SetLineMarkValueCommand>();
            value->SetLineMark(mark);
            value->SetDuration(rest);
            shape = std::move(value);
        }
    }
    if (kind == line_mark_kind::kFlatSlur || kind == line_mark_kind::kSmoothSlur) {
        std::vector<SelectedNote> notes;
        for (const SelectedNote& note : SelectedNotesOfLayout(*layout, SelectionScope::kAllNotes))
            if (note.track && note.track->GetPart() == part)
                notes.push_back(note);
        const auto earlier = [](const SelectedNote& a, const SelectedNote& b) {
            const int ta = a.place.entry->GetStartTime();
            const int tb = b.place.entry->GetStartTime();
            return a.barIndex < b.barIndex || (a.barIndex == b.barIndex && ta < tb);
        };
        if (notes.size() >= 2) {
            const auto [first, last] = std::minmax_element(notes.begin(), notes.end(), earlier);
            bar0 = first->barIndex;
            time0 = first->place.entry->GetStartTime();
            const int to = last->place.entry->GetStartTime();
            duration = GetTimeBetween(*part, bar0, time0, last->barIndex, to);
            auto place = std::make_unique<PlaceLineMarkCommand>();
            place->SetLineMark(mark);
            place->SetBar(first->bar);
            place->SetStartTime(time0);
            place->SetDuration(duration);
            shape = std::move(place);
            for (const auto& other : {first->line, last->line})
                if (std::find(relayout.begin(), relayout.end(), other) == relayout.end())
                    relayout.push_back(other);
        }
    }

    // A mark just like one the part holds would only hide under it, and a saved score
    // keeps one of the two: nothing is added.
    for (const auto& held : part->GetLineMarks())
        if (held && held->GetKind() == mark->GetKind() && held->GetBar() == bar0 &&
            held->GetTimePosition() == time0 && held->GetDuration() == duration &&
            held->GetRadian() == mark->GetRadian() && held->GetOffset() == mark->GetOffset())
            return;

    auto add = std::make_unique<AddLineMarkCommand>();
    add->SetTarget(part);
    add->SetItem(mark);
    BeginGroup(false);
    AddCommand(std::move(add));
    if (shape)
        AddCommand(std::move(shape));
    for (const auto& each : relayout)
        AddCommand(MakeLineRelayout(this, each));
    EndGroup();
    NotifyDocumentChanged();
}

}  // namespace quaverly
