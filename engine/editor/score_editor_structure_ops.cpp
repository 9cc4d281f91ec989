// The editor's structure operations: parts and bars added and deleted, grouping signs
// and bar numbers, transposition and octave shifts of a bar range, and the cursor
// navigation that the page commands and the arrow keys use.
#include <algorithm>
#include <limits>
#include <memory>

#include <set>

#include "engine/commands/add_element_command.h"
#include "engine/commands/add_tie_command.h"
#include "engine/commands/bar_index_tables.h"
#include "engine/commands/build_score_command.h"
#include "engine/commands/input_position_commands.h"
#include "engine/commands/insert_bars_command.h"
#include "engine/commands/insert_part_command.h"
#include "engine/commands/move_final_barline_command.h"
#include "engine/commands/no_op_command.h"
#include "engine/commands/refresh_commands.h"
#include "engine/commands/set_key_signature_command.h"
#include "engine/commands/value_commands.h"
#include "engine/editor/score_data_exporter.h"
#include "engine/editor/score_editor.h"
#include "engine/editor/selected_notes.h"
#include "engine/layout/line_mark_geometry.h"
#include "engine/layout/system_node.h"
#include "engine/model/bar.h"
#include "engine/model/container_element.h"
#include "engine/model/decorator.h"
#include "engine/model/element_path.h"
#include "engine/model/int_clamp.h"
#include "engine/model/line_mark.h"
#include "engine/model/note.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/part_group.h"
#include "engine/model/pitch_speller.h"
#include "engine/model/tie.h"

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

// Deferred re-flows reach the pages up to this index.
constexpr int kLastDeferredPage = 99;

// Transposition ranges: bar to bar, from a bar to the end, from a bar to the next key.
constexpr int kRangeBars = 0;
constexpr int kRangeToEnd = 1;
constexpr int kRangeToKeyChange = 2;
constexpr int kDirectionDown = 1;

// A pitch moved from one key into another, up or down to the nearest tonic of the
// target key, and spelled in the target key: the degrees stay what they were.
NoteInputValues TransposeNote(const NoteInputValues& values, int fromFifths, int toFifths,
                              bool down)
{
    const int key = ScoreDataExporter::KeyNumber(values.pitch, values.accidental, values.octave,
                                                  fromFifths);
    const std::int64_t tonics = std::int64_t{ScoreDataExporter::KeyNumber(
                                    pitch_code::kFirstDegree, 0, 0, toFifths)} -
                                ScoreDataExporter::KeyNumber(pitch_code::kFirstDegree, 0, 0,
                                                             fromFifths);
    std::int64_t interval = ((tonics % 12) + 12) % 12;
    if (down && interval > 0)
        interval -= 12;
    const SpelledPitch spelled = PitchSpeller(toFifths).Spell(ClampToInt(key + interval));
    return {spelled.PitchCode(), spelled.octave - 5, values.dots, values.duration,
            spelled.accidental};
}

// The pitch edits of every scale degree in bars [first, end) of every part, grace and
// chord notes included; `change` gives a note's new values (or its old ones: no edit).
template <class Change>
std::vector<std::unique_ptr<EditCommand>> EditPitches(const Score& score, int first, int end,
                                                      Change change)
{
    std::vector<std::unique_ptr<EditCommand>> edits;
    for (const auto& part : ScoreParts(score)) {
        for (int b = std::max(first, 0); b < end && b < part->GetChildCount(); ++b) {
            const auto bar = std::dynamic_pointer_cast<Bar>(part->GetChild(b));
            if (!bar)
                continue;
            for (const NotePlace& place : NotesOfBar(*bar, bar)) {
                // Rests and the unpitched symbols have no pitch to move.
                if (!IsPitchedNote(*place.note))
                    continue;
                const NoteInputValues before = SetNotePropertiesCommand::ValuesOf(*place.note);
                const NoteInputValues after = change(before, b);
                if (after == before)
                    continue;
                auto edit = std::make_unique<SetNotePropertiesCommand>();
                edit->SetNote(place.note.get());
                edit->SetOldValues(before);
                edit->SetNewValues(after);
                edits.push_back(std::move(edit));
            }
        }
    }
    return edits;
}

// Bar numbering modes: the first bar of every line, or every n-th bar.
constexpr int kNumberLineStarts = 0;
constexpr int kNumberEveryNth = 1;

}  // namespace

void ScoreEditor::AddPartReflows()
{
    auto reflow = std::make_unique<ReflowLinesFromCommand>(this);
    reflow->SetPage(0);
    AddCommand(std::move(reflow));
    auto deferred = std::make_unique<RefreshLineListCommand>(this);
    for (int page = currentPage + 1; page <= kLastDeferredPage; ++page)
        if (page != cursor.page)
            deferred->AppendIndex(page);
    AddCommand(std::move(deferred));
}

void ScoreEditor::AddPart(const PartRecord& record)
{
    const int count = GetPartCount();
    const std::int64_t at = std::int64_t{record.position} + 1;
    if (count == 0 || at < 0 || at > count)
        return;
    const auto makePart = [&record](int link) {
        auto part = std::make_shared<Part>();
        part->SetProgram(record.program);
        part->SetChannel(record.channel);
        part->SetPercussion(record.percussion);
        part->SetStaffLink(link);
        auto container = std::make_shared<ContainerElement>();
        container->AppendChild(part);
        return container;
    };
    const auto insert = [this](int index, std::shared_ptr<ScoreElement> container) {
        auto command = std::make_unique<InsertPartCommand>(this);
        command->SetIndex(index);
        command->SetContainer(std::move(container));
        AddCommand(std::move(command));
    };
    const int index = static_cast<int>(at);
    BeginGroup(true);
    if (record.twoStaves) {
        // Two staves of one instrument, joined by a brace.
        insert(index, makePart(staff_link::kFirstOfPair));
        insert(index + 1, makePart(staff_link::kSecondOfPair));
        auto brace = std::make_shared<PartGroup>();
        brace->SetType(part_group_type::kBrace);
        brace->SetFirstPart(index);
        brace->SetLastPart(index + 1);
        auto add = std::make_unique<AddPartGroupCommand>();
        add->SetScore(score);
        add->SetPartGroup(brace);
        AddCommand(std::move(add));
    } else {
        insert(index, makePart(staff_link::kAlone));
    }
    AddPartReflows();
    EndGroup();
    // A new part cannot be undone: nothing before it can be either.
    RecordIrreversible(std::make_shared<NoOpCommand>());
    NotifyDocumentChanged();
}

void ScoreEditor::DeletePart(int index)
{
    const int count = GetPartCount();
    // The last part stays: a score without parts has no bars to show.
    if (index < 0 || index >= count || count <= 1)
        return;
    auto remove = std::make_unique<RemovePartCommand>(this);
    remove->Target().SetIndex(index);
    BeginGroup(true);
    AddCommand(std::move(remove));
    AddPartReflows();
    EndGroup();
    RecordIrreversible(std::make_shared<NoOpCommand>());
    cursor.track = std::min(cursor.track, count - 2);
    NotifyDocumentChanged();
}

void ScoreEditor::AddBarInsertion(int index, int count, const std::shared_ptr<SystemNode>& line)
{
    const int barCount = GetBarCount();
    auto insert = std::make_unique<InsertBarsCommand>(this);
    insert->SetIndex(index);
    insert->SetCount(count);
    AddCommand(std::move(insert));
    auto relayout = std::make_unique<RelayoutFromElementAllCommand>(this);
    relayout->SetStartElement(line);
    AddCommand(std::move(relayout));
    auto reflow = std::make_unique<ReflowLinesKeepCommand>(this);
    reflow->SetPage(cursor.page);
    AddCommand(std::move(reflow));
    auto finalBarline = std::make_unique<MoveFinalBarlineCommand>(this);
    finalBarline->SetBarIndex(barCount);
    AddCommand(std::move(finalBarline));
}

void ScoreEditor::AddBars(const BarRecord& record)
{
    const int barCount = GetBarCount();
    // The score grows up to the limit of a new score.
    const int count = ClampToInt(std::min<std::int64_t>(
        record.count, std::int64_t{BuildScoreCommand::kMaxBars} - barCount));
    const std::shared_ptr<SystemNode> holder = FindLineOfBar(record.index).node;
    if (!holder || count < 1)
        return;
    BeginGroup(false);
    AddBarInsertion(record.index + 1, count, holder);
    EndGroup();
    RecordIrreversible(std::make_shared<NoOpCommand>());
    NotifyDocumentChanged();
}

void ScoreEditor::DeleteBars(int first, int count)
{
    const int barCount = GetBarCount();
    if (first < 0 || first >= barCount || count < 1)
        return;
    const int end = ClampToInt(std::min<std::int64_t>(std::int64_t{first} + count, barCount));
    // The last bar stays: a score keeps at least one.
    if (first == 0 && end >= barCount)
        return;
    BeginGroup(false);
    for (const auto& part : ScoreParts(*score)) {
        // Ties and line marks that start or end in the bars go with them.
        std::set<const Note*> going;
        for (int b = first; b < end && b < part->GetChildCount(); ++b)
            if (const auto bar = std::dynamic_pointer_cast<Bar>(part->GetChild(b)))
                for (const NotePlace& place : NotesOfBar(*bar, bar))
                    going.insert(place.note.get());
        for (const auto& tie : part->GetTies()) {
            if (!tie || (going.count(tie->GetStart().note.get()) == 0 &&
                         going.count(tie->GetEnd().note.get()) == 0))
                continue;
            AddCommand(MakeTieRemoval(this, part, tie));
        }
        for (const auto& mark : part->GetLineMarks()) {
            if (!mark)
                continue;
            const int last =
                FindBarAtTime(*part, mark->GetBar(), mark->GetTimePosition(), mark->GetDuration())
                    .bar;
            const auto inside = [first, end](int bar) { return bar >= first && bar < end; };
            if (!inside(mark->GetBar()) && !inside(last))
                continue;
            auto remove = std::make_unique<RemoveLineMarkCommand>();
            remove->Target().SetItem(mark);
            remove->Target().SetTarget(part);
            AddCommand(std::move(remove));
        }
    }
    auto remove = std::make_unique<RemoveBarsCommand>(this);
    remove->Target().SetIndex(first);
    remove->Target().SetCount(end - first);
    AddCommand(std::move(remove));
    // The lines are cut again from the page of the bar before the first that goes when
    // that page comes before the cursor's: the lines there held the bars that are gone,
    // and the line before them may have ended at a break that goes with them.
    // Past the last page when no line holds that bar.
    const LineOfBar before = FindLineOfBar(std::max(first - 1, 0));
    const int reflowPage =
        std::min(cursor.page, before.node ? before.page : layout->GetChildCount());
    auto reflow = std::make_unique<ReflowLinesFromCommand>(this);
    reflow->SetPage(reflowPage);
    AddCommand(std::move(reflow));
    AddCommand(MakeDeferredReflows(reflowPage));
    auto finalBarline = std::make_unique<MoveFinalBarlineCommand>(this);
    finalBarline->SetBarIndex(barCount);
    AddCommand(std::move(finalBarline));
    EndGroup();
    RecordIrreversible(std::make_shared<NoOpCommand>());
    NotifyDocumentChanged();
}

void ScoreEditor::AddKeySignatureStep(int bar, int fifths)
{
    auto command = std::make_unique<SetKeySignatureCommand>();
    command->SetScore(score);
    command->SetNewRecord({bar, fifths, 1});
    for (const KeySignatureRecord& old : score->GetKeySignatures())
        if (old.bar == bar)
            command->SetOldRecord(old);
    AddCommand(std::move(command));
}

void ScoreEditor::AddPitchEdits(int first, int end, std::vector<std::unique_ptr<EditCommand>> edits)
{
    AddCommand(std::make_unique<BeginWaitNoticeCommand>(this));
    for (auto& edit : edits)
        AddCommand(std::move(edit));
    auto columns = std::make_unique<RelayoutBarRangeCommand>();
    columns->SetScore(score);
    columns->SetRange(first, end);
    AddCommand(std::move(columns));
    AddCommand(std::make_unique<RelayoutScoreCommand>(this));
    AddCommand(std::make_unique<ReflowLinesKeepCommand>(this));
    AddCommand(std::make_unique<EndWaitNoticeCommand>(this));
}

void ScoreEditor::Transpose(const TransposeRequest& request)
{
    const int barCount = GetBarCount();
    const int from = request.firstBar;
    if (from < 0 || from >= barCount || request.targetKey < -7 || request.targetKey > 7)
        return;
    int to = barCount;
    if (request.rangeKind == kRangeBars) {
        to = std::min(request.lastBar, barCount);
    } else if (request.rangeKind == kRangeToKeyChange) {
        for (const KeySignatureRecord& key : score->GetKeySignatures()) {
            if (key.bar > from) {
                to = std::min(key.bar, barCount);
                break;
            }
        }
    } else if (request.rangeKind != kRangeToEnd) {
        return;
    }
    if (to <= from)
        return;
    const int target = request.targetKey;
    const int keyAtFrom = ScoreDataExporter::KeyFifthsAt(*score, from);
    const int keyAtTo = ScoreDataExporter::KeyFifthsAt(*score, to);
    const bool down = request.direction == kDirectionDown;
    const Score& model = *score;
    auto edits = EditPitches(model, from, to, [&model, target, down](const NoteInputValues& v, int bar) {
        return TransposeNote(v, ScoreDataExporter::KeyFifthsAt(model, bar), target, down);
    });
    BeginGroup(false);
    if (keyAtFrom != target)
        AddKeySignatureStep(from, target);
    // The music after the range keeps the key it had.
    if (keyAtTo != target && to < barCount)
        AddKeySignatureStep(to, keyAtTo);
    AddPitchEdits(from, to, std::move(edits));
    EndGroup();
    NotifyDocumentChanged();
}

void ScoreEditor::ShiftOctave(int firstBar, int endBar, int up)
{
    const int first = std::max(firstBar, 0);
    const int end = std::min(endBar, GetBarCount());
    if (first >= end)
        return;
    const int step = up != 0 ? 1 : -1;
    auto edits = EditPitches(*score, first, end, [step](NoteInputValues values, int) {
        const int octave = values.octave + step;
        if (octave >= -note_limits::kMaxOctave && octave <= note_limits::kMaxOctave)
            values.octave = octave;
        return values;
    });
    if (edits.empty())
        return;
    BeginGroup(false);
    AddPitchEdits(first, end, std::move(edits));
    EndGroup();
    NotifyDocumentChanged();
}

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
            if (const auto note = input_position::LastNoteBefore(*current, cursor.timeInBar)) {
                cursor.timeInBar = note->GetStartTime();
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
