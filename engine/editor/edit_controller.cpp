#include "engine/editor/edit_controller.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "engine/commands/add_element_command.h"
#include "engine/commands/add_header_text_command.h"
#include "engine/commands/add_key_signature_command.h"
#include "engine/commands/add_tempo_mark_command.h"
#include "engine/commands/add_tempo_text_entry_command.h"
#include "engine/commands/add_tie_command.h"
#include "engine/commands/add_time_signature_command.h"
#include "engine/commands/attach_bar_time_signature_command.h"
#include "engine/commands/input_position_commands.h"
#include "engine/commands/insert_note_command.h"
#include "engine/commands/layout_map_commands.h"
#include "engine/commands/lyric_commands.h"
#include "engine/commands/make_tuplet_command.h"
#include "engine/commands/refresh_commands.h"
#include "engine/commands/replace_note_data_command.h"
#include "engine/commands/set_header_text_command.h"
#include "engine/commands/value_commands.h"
#include "engine/editor/score_editor.h"
#include "engine/editor/selected_notes.h"
#include "engine/layout/header_node.h"
#include "engine/layout/line_mark_geometry.h"
#include "engine/layout/line_mark_view.h"
#include "engine/layout/page_node.h"
#include "engine/layout/selection_range.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/barline_mark.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/decorator.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/expression_text.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/header_text.h"
#include "engine/model/key_signature.h"
#include "engine/model/line_mark.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_styles.h"
#include "engine/model/page_text.h"
#include "engine/model/part.h"
#include "engine/model/part_group.h"
#include "engine/model/tempo_mark.h"
#include "engine/model/tie.h"
#include "engine/model/time_signature.h"
#include "engine/model/tuplet.h"

namespace quaverly {

namespace id = notification_id;

namespace {

template <class T>
std::shared_ptr<T> As(const std::shared_ptr<ScoreElement>& element)
{
    return std::dynamic_pointer_cast<T>(element);
}

std::unique_ptr<EditCommand> RelayoutFrom(ScoreEditor* editor, const NotificationPayload& p)
{
    auto command = std::make_unique<RelayoutFromElementCommand>(editor);
    command->SetStartElement(p.system);
    return command;
}

std::unique_ptr<EditCommand> Refresh(std::shared_ptr<ScoreElement> target)
{
    auto command = std::make_unique<RefreshElementCommand>();
    command->SetTarget(std::move(target));
    return command;
}

template <class Command>
std::unique_ptr<EditCommand> RefreshAs(std::shared_ptr<ScoreElement> target)
{
    auto command = std::make_unique<Command>();
    command->SetTarget(std::move(target));
    return command;
}

std::unique_ptr<EditCommand> Offset(const NotificationPayload& p, std::shared_ptr<ScoreElement> element)
{
    auto command = std::make_unique<SetElementOffsetCommand>();
    command->SetOldOffset(p.oldOffset);
    command->SetNewOffset(p.newOffset);
    command->SetByStep(p.nudge);
    command->SetElement(std::move(element));
    return command;
}

template <class Command>
std::unique_ptr<EditCommand> WithPage(ScoreEditor* editor, int page)
{
    auto command = std::make_unique<Command>(editor);
    command->SetPage(page);
    return command;
}

// A removal of the element-list family: item and owner.
template <class Remove, class Item, class Target>
std::unique_ptr<EditCommand> Removal(const std::shared_ptr<ScoreElement>& item,
                                     const std::shared_ptr<ScoreElement>& target)
{
    auto command = std::make_unique<Remove>();
    command->Target().SetItem(As<Item>(item));
    command->Target().SetTarget(As<Target>(target));
    return command;
}

// A removal of a score-table element (key, tempo mark, expression text).
template <class Remove, class Item>
std::unique_ptr<EditCommand> ScoreRemoval(const std::shared_ptr<ScoreElement>& item,
                                          std::shared_ptr<Score> score)
{
    auto command = std::make_unique<Remove>();
    command->Target().SetElement(As<Item>(item));
    command->Target().SetScore(std::move(score));
    return command;
}

std::unique_ptr<EditCommand> LineList(ScoreEditor* editor, int first, int end, int except)
{
    auto command = std::make_unique<RefreshLineListCommand>(editor);
    for (int i = first; i < end; ++i) {
        if (i != except) {
            command->AppendIndex(i);
        }
    }
    return command;
}

std::unique_ptr<EditCommand> RebuildRow(std::shared_ptr<TrackNode> row)
{
    auto rebuild = std::make_unique<RebuildTrackLineMarksCommand>();
    rebuild->SetTrack(std::move(row));
    return rebuild;
}

constexpr int kLineListEnd = 100;

}  // namespace

EditController::EditController(ScoreEditor* editor) : editor_(editor) {}

EditController::~EditController() = default;

EditController::Handler EditController::HandlerOf(int code)
{
    if (code >= 1001 && code <= 1028) {
        return Handler::kEdit;
    }
    if ((code >= 4 && code <= 9) || code == 13) {
        return Handler::kForward;
    }
    if (code == 12 || (code >= 1030 && code <= 1046) || code == 1055 ||
        (code >= 1058 && code <= 1067) || (code >= 1072 && code <= 1075)) {
        return Handler::kStructure;
    }
    if (code >= 1047 && code <= 1050) {
        return Handler::kLineMark;
    }
    if (code == 1056 || code == 1057 || code == 1071) {
        return Handler::kEditor;
    }
    return Handler::kNone;
}

int EditController::Notify(ElementNotification& notification)
{
    if (editor_ == nullptr) {
        return 0;
    }
    bool modified = false;
    switch (HandlerOf(notification.id)) {
        case Handler::kEdit:
            modified = HandleEditNotification(notification);
            break;
        case Handler::kForward:
            modified = ForwardListenerNotification(notification);
            break;
        case Handler::kStructure:
            modified = HandleStructureNotification(notification);
            break;
        case Handler::kLineMark:
            modified = HandleLineMarkNotification(notification);
            break;
        case Handler::kEditor:
            modified = HandleEditorNotification(notification);
            break;
        case Handler::kNone:
            break;
    }
    if (modified) {
        editor_->NotifyListener(EditorNoticeCode::DocumentModified);
    }
    return 0;
}

bool EditController::Build(bool transient, Commands commands)
{
    editor_->BeginGroup(transient);
    for (auto& command : commands) {
        editor_->AddCommand(std::move(command));
    }
    editor_->EndGroup();
    ContentChanged();
    return !transient;
}

bool EditController::AddSingle(std::unique_ptr<EditCommand> command)
{
    editor_->AddCommand(std::move(command));
    ContentChanged();
    return true;
}

void EditController::ContentChanged() const
{
    editor_->NotifyListener(EditorNoticeCode::ContentChanged);
}

int EditController::PageCount() const
{
    return editor_->layout ? editor_->layout->GetChildCount() : 0;
}

int EditController::SystemsBefore(int page, int systemNumber) const
{
    std::int64_t n = systemNumber;
    for (int i = 0; i < page && i < PageCount(); ++i) {
        if (const auto node = editor_->layout->GetChild(i)) {
            n += node->GetChildCount();
        }
    }
    return n > 0x7fffffff ? 0x7fffffff : static_cast<int>(n);
}

std::vector<std::shared_ptr<TrackNode>> EditController::RowsShowingBars(int first, int last,
                                                                       int track) const
{
    std::vector<std::shared_ptr<TrackNode>> rows;
    if (last < first) {
        return rows;
    }
    for (int i = 0; i < PageCount(); ++i) {
        const auto page = editor_->layout->GetChild(i);
        if (!page) {
            continue;
        }
        for (int j = 0; j < page->GetChildCount(); ++j) {
            const auto system = As<SystemNode>(page->GetChild(j));
            if (!system || As<HeaderNode>(page->GetChild(j))) {
                continue;
            }
            const BarRange range = system->GetBarRange();
            if (range.first <= last && first < range.end) {
                if (auto row = As<TrackNode>(system->GetChild(track))) {
                    rows.push_back(std::move(row));
                }
            }
        }
    }
    return rows;
}

std::shared_ptr<ScoreElement> EditController::FirstLineShowing(
    const std::vector<std::shared_ptr<TrackNode>>& rows) const
{
    if (rows.empty()) {
        return nullptr;
    }
    for (int i = 0; i < PageCount(); ++i) {
        const auto page = editor_->layout->GetChild(i);
        for (int j = 0; page && j < page->GetChildCount(); ++j) {
            if (auto line = page->GetChild(j); line && line.get() == rows.front()->GetParent()) {
                return line;
            }
        }
    }
    return nullptr;
}

int EditController::RowIndexOf(const ScoreElement* row)
{
    const ScoreElement* system = row ? row->GetParent() : nullptr;
    if (system == nullptr) {
        return -1;
    }
    for (int k = 0; k < system->GetChildCount(); ++k) {
        if (system->GetChild(k).get() == row) {
            return k;
        }
    }
    return -1;
}

std::unique_ptr<EditCommand> EditController::SelectedBarColumns() const
{
    const auto selection = editor_->layout ? editor_->layout->GetSelection() : nullptr;
    if (!selection || !selection->IsValid()) {
        return nullptr;
    }
    int part = 0;
    int first = 0;
    int last = 0;
    selection->GetFirst(part, first);
    selection->GetLast(part, last);
    if (first > last) {
        std::swap(first, last);
    }
    auto command = std::make_unique<RelayoutBarRangeCommand>();
    command->SetScore(editor_->score);
    command->SetRange(first, last + 1);
    return command;
}

bool EditController::HandleEditNotification(const ElementNotification& record)
{
    if (record.payload == nullptr) {
        return false;
    }
    const NotificationPayload& p = *record.payload;
    ScoreEditor* e = editor_;
    Commands c;
    switch (record.id) {
        case id::kNoteDelete: {
            auto remove = std::make_unique<RemoveNoteCommand>(e);
            remove->Target().SetBarIndex(p.barIndex);
            remove->Target().SetBar(As<Bar>(p.bar));
            remove->Target().SetNote(As<Note>(p.note));
            auto retime = std::make_unique<RetimeNoteCommand>(e);
            retime->SetNote(As<Note>(p.note));
            retime->SetBar(As<Bar>(p.bar));
            c.push_back(std::move(remove));
            c.push_back(std::move(retime));
            c.push_back(RelayoutFrom(e, p));
            return Build(false, std::move(c));
        }
        case id::kGraceNoteDelete:
            c.push_back(Removal<RemoveGraceNoteCommand, Note, GraceNoteList>(p.element, p.owner));
            c.push_back(RelayoutFrom(e, p));
            return Build(false, std::move(c));
        case id::kChordNoteDelete: {
            c.push_back(Removal<RemoveChordNoteCommand, Note, ChordNoteList>(p.element, p.owner));
            c.push_back(RelayoutFrom(e, p));
            const auto list = As<ChordNoteList>(p.owner);
            const auto owner = As<Note>(p.note);
            if (list && owner && list->GetNotes().size() == 1) {
                // The last chord note goes: the owning note is a plain note again.
                auto style = std::make_unique<ReplaceNoteDataCommand>();
                style->SetNote(owner);
                style->SetOldStyle(owner->GetStyle());
                style->SetNewStyle(SharedNormalNoteStyle());
                c.push_back(std::move(style));
            }
            return Build(false, std::move(c));
        }
        case id::kTupletDelete: {
            auto remove = std::make_unique<RemoveTupletCommand>(e);
            remove->Target().SetBar(As<Bar>(p.bar));
            remove->Target().SetFirstNote(As<Note>(p.note));
            remove->Target().SetTuplet(As<Tuplet>(p.element));
            // The notes are timed anew without the tuplet: the lines from its own on are
            // laid out again with the removal, in the same step.
            c.push_back(std::move(remove));
            c.push_back(RelayoutFrom(e, p));
            return Build(false, std::move(c));
        }
        case id::kTieDelete: {
            auto remove = std::make_unique<RemoveTieCommand>(e);
            remove->Target().SetTie(As<Tie>(p.element));
            remove->Target().SetStart({p.owner, As<Note>(p.note)});
            remove->Target().SetPart(As<Part>(p.part));
            c.push_back(std::move(remove));
            c.push_back(RefreshAs<RefreshNoteElementCommand>(p.track));
            return Build(false, std::move(c));
        }
        case id::kLyricDelete: {
            auto clear = std::make_unique<SetLyricTextCommand>();
            clear->SetLyric(As<Lyric>(p.element));
            c.push_back(std::move(clear));
            c.push_back(RelayoutFrom(e, p));
            return Build(false, std::move(c));
        }
        case id::kPartGroupDelete: {
            auto remove = std::make_unique<RemovePartGroupCommand>();
            remove->Target().SetPartGroup(As<PartGroup>(p.element));
            remove->Target().SetScore(e->score);
            c.push_back(std::move(remove));
            c.push_back(std::make_unique<RefreshPartGroupHeadersCommand>(e));
            c.push_back(std::make_unique<RefreshPartGroupTracksCommand>(e));
            return Build(false, std::move(c));
        }
        case id::kLineBreakDelete: {
            auto remove = std::make_unique<RemoveLineBreakCommand>(e);
            remove->SetBar(p.barIndex);
            c.push_back(std::move(remove));
            c.push_back(WithPage<ReflowLinesFromCommand>(e, p.pageIndex));
            return Build(false, std::move(c));
        }
        case id::kBarsPerLineDelete: {
            auto remove = std::make_unique<RemoveBarsPerLineCommand>(e);
            remove->SetEntry(p.entryKey, p.entryValue);
            c.push_back(std::move(remove));
            c.push_back(WithPage<ReflowLinesFromCommand>(e, p.pageIndex));
            return Build(false, std::move(c));
        }
        case id::kLinesPerPageDelete: {
            auto remove = std::make_unique<RemovePageLinesCommand>();
            remove->SetEntry(p.entryKey, p.entryValue);
            remove->SetScore(e->score);
            c.push_back(std::move(remove));
            c.push_back(WithPage<RepaginateFromCommand>(e, p.entryKey));
            if (p.entryKey >= 0 && p.entryKey < PageCount()) {
                auto refresh = std::make_unique<RefreshPageLinesCommand>();
                refresh->SetPage(As<PageNode>(e->layout->GetChild(p.entryKey)));
                c.push_back(std::move(refresh));
            }
            return Build(false, std::move(c));
        }
        case id::kBarlineMarkDelete: {
            const auto mark = As<BarlineMark>(p.element);
            auto style = std::make_unique<SetElementStyleCommand>();
            style->SetNewValue(0);
            style->SetOldValue(mark ? mark->GetValue() : 0);
            style->SetElement(p.element);
            auto rebuild = std::make_unique<RebuildBarsCommand>();
            rebuild->AppendBar(As<Bar>(p.bar));
            c.push_back(std::move(style));
            c.push_back(std::move(rebuild));
            // The mark took room at its barline: the line is spaced anew without it.
            c.push_back(RelayoutFrom(e, p));
            return Build(false, std::move(c));
        }
        case id::kDynamicMarkDelete:
            c.push_back(Removal<RemoveDynamicsCommand, DynamicMark, Bar>(p.element, p.bar));
            c.push_back(RefreshAs<RefreshBarElementCommand>(p.bar));
            return Build(false, std::move(c));
        case id::kNoteSymbolDelete:
        case id::kChordNoteSymbolDelete:
            c.push_back(Removal<RemoveArticulationCommand, NoteSymbol, Note>(p.element, p.note));
            c.push_back(Refresh(p.note));
            return Build(false, std::move(c));
        case id::kLineMarkDelete: {
            const auto mark = As<LineMark>(p.lineMark);
            const auto part = As<Part>(p.part);
            c.push_back(Removal<RemoveLineMarkCommand, LineMark, Part>(p.lineMark, p.part));
            if (mark && part) {
                const int end =
                    FindBarAtTime(*part, mark->GetBar(), mark->GetTimePosition(), mark->GetDuration())
                        .bar;
                const auto rows = RowsShowingBars(mark->GetBar(), end, p.trackIndex);
                for (const auto& row : rows) {
                    c.push_back(RebuildRow(row));
                }
                // As when it was added: the lines it showed on are laid out again, since
                // a wedge keeps the lyrics of its row below it and so sets the line's
                // height.
                if (const auto line = FirstLineShowing(rows)) {
                    c.push_back(MakeLineRelayout(editor_, line));
                }
            }
            return Build(false, std::move(c));
        }
        case id::kSymbolMarkDelete:
        case id::kChordNoteSymbolMarkDelete:
        case id::kGraceNoteSymbolMarkDelete: {
            const auto owner = p.owner ? p.owner : p.note;
            c.push_back(Removal<RemoveNoteSymbolCommand, SymbolMark, Note>(p.element, owner));
            c.push_back(Refresh(owner));
            if (auto bars = SelectedBarColumns()) {
                c.push_back(std::move(bars));
            }
            c.push_back(RelayoutFrom(e, p));
            return Build(false, std::move(c));
        }
        case id::kBarlineSymbolDelete:
            c.push_back(Removal<RemoveBarSymbolCommand, SymbolMark, Barline>(p.element, p.owner));
            c.push_back(RelayoutFrom(e, p));
            return Build(false, std::move(c));
        case id::kBarNumberDelete: {
            auto remove = std::make_unique<RemoveBarIndexCommand>();
            remove->Target().SetDecorator(As<Decorator>(p.element));
            remove->Target().SetBar(As<Bar>(p.bar));
            c.push_back(std::move(remove));
            c.push_back(std::make_unique<RebuildBarIndexCommand>(e));
            return Build(false, std::move(c));
        }
        case id::kPageTextDelete:
            c.push_back(Removal<RemovePageTextCommand, PageText, Score>(p.element, e->score));
            c.push_back(Refresh(p.page));
            return Build(false, std::move(c));
        case id::kKeySignatureDelete:
            c.push_back(ScoreRemoval<RemoveKeySignatureCommand, KeySignature>(p.element, e->score));
            c.push_back(RelayoutFrom(e, p));
            return Build(false, std::move(c));
        case id::kTempoMarkDelete:
            c.push_back(ScoreRemoval<RemoveTempoMarkCommand, TempoMark>(p.element, e->score));
            c.push_back(RelayoutFrom(e, p));
            return Build(false, std::move(c));
        case id::kExpressionTextDelete:
            c.push_back(
                ScoreRemoval<RemoveTempoTextCommand, ExpressionText>(p.element, e->score));
            c.push_back(RelayoutFrom(e, p));
            return Build(false, std::move(c));
        case id::kTimeSignatureDelete: {
            const auto signature = As<TimeSignature>(p.element);
            const auto bar = As<Bar>(p.bar);
            if (!signature || !bar) {
                return false;
            }
            auto detach = std::make_unique<DetachBarTimeSignatureCommand>();
            detach->Target().SetElement(signature);
            detach->Target().SetBar(bar);
            // The bar's own index: the element's record may predate a shift of the bars.
            TimeSignatureRecord values = signature->GetValue();
            values.bar = bar->GetIndex();
            auto remove = std::make_unique<RemoveTimeSignatureCommand>();
            remove->Target().SetScore(e->score);
            remove->Target().SetRecord(values);
            auto bars = std::make_unique<RelayoutAllBarsCommand>();
            bars->SetScore(e->score);
            c.push_back(std::move(detach));
            c.push_back(std::move(remove));
            c.push_back(std::move(bars));
            c.push_back(WithPage<ReflowLinesFromCommand>(e, p.pageIndex));
            c.push_back(LineList(e, p.pageIndex + 1, kLineListEnd, -1));
            return Build(false, std::move(c));
        }
        case id::kHeaderTextDelete: {
            const auto text = As<HeaderText>(p.element);
            if (!text) {
                return false;
            }
            auto blank = std::make_unique<SetHeaderTextCommand>();
            blank->SetSavedText(text->GetText());
            blank->SetSavedOffset(text->GetOffset());
            blank->SetElement(text);
            c.push_back(std::move(blank));
            if (!e->lines.empty()) {
                c.push_back(Refresh(e->lines.front()));
            }
            return Build(false, std::move(c));
        }
        case id::kInstrumentNameDelete: {
            auto remove = std::make_unique<RemoveHeaderTextCommand>();
            remove->Target().SetTrackNode(As<TrackNode>(p.track));
            remove->Target().SetInstrumentName(As<InstrumentNameText>(p.element));
            c.push_back(std::move(remove));
            c.push_back(RelayoutFrom(e, p));
            return Build(false, std::move(c));
        }
        default:
            // 1019 is sent by nobody.
            return false;
    }
}

bool EditController::ForwardListenerNotification(const ElementNotification& record)
{
    EditorNotice notice;
    notice.code = record.id;
    notice.request = record.payload;
    editor_->NotifyListener(notice);
    return false;
}

bool EditController::HandleStructureNotification(const ElementNotification& record)
{
    const int code = record.id;
    switch (code) {
        case id::kBeginGroup:
            editor_->BeginGroup(false);
            return false;
        case id::kBeginReverseGroup:
            editor_->BeginReverseGroup(false);
            return false;
        case id::kEndGroup:
        case id::kEndReverseGroup:
            editor_->EndGroup();
            return false;
        default:
            break;
    }
    if (code == 12) {
        EditorNotice notice;
        notice.code = EditorNoticeCode::EditLyric;
        notice.request = record.payload;
        editor_->NotifyListener(notice);
        return false;
    }
    if (record.payload == nullptr) {
        return false;
    }
    const NotificationPayload& p = *record.payload;
    ScoreEditor* e = editor_;
    Commands c;
    const bool pageIsPastEnd = p.pageIndex == PageCount();
    switch (code) {
        case id::kTrackTiesChanged:
            return AddSingle(RefreshAs<RefreshNoteElementCommand>(p.track));
        case id::kNoteDragStep:
            c.push_back(RelayoutFrom(e, p));
            return Build(true, std::move(c));
        case id::kTrackPositionDrag:
        case id::kTrackPositionRelease: {
            if (code == id::kTrackPositionDrag && pageIsPastEnd) {
                return false;
            }
            const bool release = code == id::kTrackPositionRelease;
            if (release) {
                c.push_back(Offset(p, p.track));
            }
            c.push_back(RelayoutFrom(e, p));
            c.push_back(WithPage<RepaginateFromCommand>(e, p.pageIndex));
            return Build(!release, std::move(c));
        }
        case id::kSystemIndentDrag:
        case id::kSystemIndentRelease: {
            if (pageIsPastEnd) {
                return false;
            }
            if (code == id::kSystemIndentDrag) {
                c.push_back(RelayoutFrom(e, p));
                return Build(true, std::move(c));
            }
            c.push_back(Offset(p, p.system));
            c.push_back(WithPage<ReflowLinesFromCommand>(e, p.pageIndex));
            return Build(false, std::move(c));
        }
        case id::kSystemRightEndDrag:
        case id::kSystemRightEndRelease: {
            if (pageIsPastEnd) {
                return false;
            }
            if (code == id::kSystemRightEndDrag) {
                c.push_back(RelayoutFrom(e, p));
                return Build(true, std::move(c));
            }
            auto pair = std::make_unique<SetStaffPairValueCommand>();
            pair->SetOldOffset(p.oldOffset);
            pair->SetNewOffset(p.newOffset);
            pair->SetSystem(As<SystemNode>(p.system));
            c.push_back(std::move(pair));
            c.push_back(WithPage<ReflowLinesFromCommand>(e, p.pageIndex));
            return Build(false, std::move(c));
        }
        case id::kStaffSpacingDrag: {
            if (pageIsPastEnd) {
                return false;
            }
            const int n = SystemsBefore(p.pageIndex, p.systemNumber);
            if (n - 1 < 0) {
                return false;
            }
            auto size = std::make_unique<SetStaffSizeCommand>();
            size->SetNewSize(p.oldStaffSize +
                             (static_cast<double>(p.newStaffSize) - p.oldStaffSize) / n);
            size->SetOldSize(p.oldStaffSize);
            size->SetPart(As<Part>(p.part));
            c.push_back(std::move(size));
            c.push_back(RelayoutFrom(e, p));
            c.push_back(WithPage<RepaginateFromCommand>(e, p.pageIndex));
            return Build(true, std::move(c));
        }
        case id::kStaffSpacingRelease: {
            auto size = std::make_unique<SetStaffSizeCommand>();
            size->SetNewSize(p.newStaffSize);
            size->SetOldSize(p.oldStaffSize);
            size->SetPart(As<Part>(p.part));
            c.push_back(std::make_unique<BeginWaitNoticeCommand>(e));
            c.push_back(std::move(size));
            c.push_back(WithPage<RepaginateFromCommand>(e, 0));
            c.push_back(WithPage<RelayoutLinesCommand>(e, p.pageIndex));
            c.push_back(std::make_unique<ReleaseSpacingHandlesCommand>(e));
            c.push_back(LineList(e, 0, kLineListEnd, p.pageIndex));
            c.push_back(std::make_unique<EndWaitNoticeCommand>(e));
            return Build(false, std::move(c));
        }
        case id::kBarWidthDrag:
        case id::kBarWidthRelease: {
            auto width = std::make_unique<SetBarValueCommand>();
            width->SetOldFactor(p.oldWidth);
            width->SetNewFactor(p.newWidth);
            width->SetBar(As<Bar>(p.bar));
            c.push_back(std::move(width));
            c.push_back(RelayoutFrom(e, p));
            return Build(code == id::kBarWidthDrag, std::move(c));
        }
        case id::kVerseOffsetDrag:
        case id::kVerseOffsetRelease: {
            auto verse = std::make_unique<SetPartIndexedValueCommand>();
            verse->SetVerse(p.verse);
            verse->SetOldOffset(p.oldVerseOffset);
            verse->SetNewOffset(p.newVerseOffset);
            verse->SetPart(As<Part>(p.part));
            c.push_back(std::move(verse));
            if (code == id::kVerseOffsetDrag) {
                c.push_back(WithPage<RebuildBarContentCommand>(e, p.pageIndex));
                return Build(true, std::move(c));
            }
            // The page that shows the drag is laid out again by undo and redo as well;
            // the others when they become current.
            c.push_back(WithPage<RelayoutLinesCommand>(e, p.pageIndex));
            c.push_back(LineList(e, 0, kLineListEnd, -1));
            return Build(false, std::move(c));
        }
        case id::kPartGroupBoundDrag:
        case id::kPartGroupBoundRelease: {
            const auto group = As<PartGroup>(p.element);
            if (!group || p.newPartIndex == p.oldPartIndex ||
                !group->CanMoveBound(p.firstBound, p.newPartIndex)) {
                return false;
            }
            auto bound = std::make_unique<SetPartGroupBoundCommand>();
            bound->SetFirstBound(p.firstBound);
            bound->SetNewPart(p.newPartIndex);
            bound->SetOldPart(p.oldPartIndex);
            bound->SetPartGroup(group);
            c.push_back(std::move(bound));
            c.push_back(std::make_unique<RefreshPartGroupTracksCommand>(e));
            return Build(code == id::kPartGroupBoundDrag, std::move(c));
        }
        case id::kPartGroupOffsetChanged:
            c.push_back(std::make_unique<RefreshPartGroupTracksCommand>(e));
            return Build(false, std::move(c));
        case id::kNoteSelectedInfo: {
            EditorNotice notice;
            notice.code = EditorNoticeCode::NoteSelected;
            notice.request = record.payload;
            editor_->NotifyListener(notice);
            return false;
        }
        case id::kSelectionChanged:
        case id::kMoveDragStep:
            ContentChanged();
            return false;
        case id::kMoveRequest:
            if (!p.element) {
                return false;
            }
            return AddSingle(Offset(p, p.element));
        case id::kNoteOffsetDrag:
        case id::kNoteOffsetChange: {
            c.push_back(Offset(p, p.note));
            auto relayout = std::make_unique<RelayoutAndRepaginateCommand>(e);
            relayout->SetStartElement(p.system);
            c.push_back(std::move(relayout));
            return Build(code == id::kNoteOffsetDrag, std::move(c));
        }
        case id::kGraceListDrag:
            c.push_back(RefreshAs<RefreshBarElementCommand>(p.bar));
            return Build(true, std::move(c));
        case id::kGraceListRelease:
        case id::kChordNoteDrag:
        case id::kChordNoteRelease:
            c.push_back(Offset(p, p.element));
            c.push_back(RefreshAs<RefreshBarElementCommand>(p.bar));
            return Build(code == id::kChordNoteDrag, std::move(c));
        case id::kPageTextMoved:
            c.push_back(Offset(p, p.element));
            c.push_back(Refresh(p.page));
            return Build(false, std::move(c));
        default:
            return false;
    }
}

bool EditController::HandleLineMarkNotification(const ElementNotification& record)
{
    if (record.payload == nullptr) {
        return false;
    }
    const NotificationPayload& p = *record.payload;
    const auto mark = As<LineMark>(p.lineMark);
    const auto view = As<LineMarkView>(p.view);
    const int code = record.id;
    const bool release = code == id::kLineMarkMoveRelease || code == id::kLineMarkReshapeRelease;
    Commands c;
    int firstBar = 0;
    int lastBar = 0;
    int track = p.trackIndex;
    if (code == id::kLineMarkReshapeDrag || code == id::kLineMarkReshapeRelease) {
        auto reshape = std::make_unique<ReshapeLineMarkCommand>();
        reshape->SetOldShape(p.oldDuration, static_cast<float>(p.oldRadian));
        reshape->SetNewShape(p.newDuration, static_cast<float>(p.newRadian));
        reshape->SetLineMark(mark);
        c.push_back(std::move(reshape));
        // The mark keeps its start; its end is the later of the two lengths' ends.
        if (mark && view && view->GetPart()) {
            const Part& part = *view->GetPart();
            firstBar = mark->GetBar();
            lastBar = std::max(
                FindBarAtTime(part, firstBar, mark->GetTimePosition(), p.oldDuration).bar,
                FindBarAtTime(part, firstBar, mark->GetTimePosition(), p.newDuration).bar);
        }
        track = RowIndexOf(view ? view->GetParent() : nullptr);
    } else {
        auto move = std::make_unique<MoveLineMarkCommand>();
        move->SetOldPlace({p.oldBar, p.oldPosition, p.oldOffset});
        move->SetNewPlace({p.newBar, p.newPosition, p.newOffset});
        move->SetLineMark(mark);
        c.push_back(std::move(move));
        firstBar = std::min(p.oldBar, p.newBar);
        lastBar = p.lastBar;
    }
    c.push_back(Refresh(p.view));
    // While the pointer moves, a mark on one row is laid out again by its view. One that
    // runs, before or after the change, over several rows has its pieces made anew on
    // every one of them, except on the row whose view is being dragged. The finished
    // step makes the pieces anew on every row: when it is redone, the rows show views
    // made since, not the one that was dragged.
    const auto rows = RowsShowingBars(firstBar, lastBar, track);
    if (rows.size() > 1 || release) {
        const ScoreElement* draggedRow = view ? view->GetParent() : nullptr;
        for (const auto& row : rows) {
            if (release || row.get() != draggedRow) {
                c.push_back(RebuildRow(row));
            }
        }
    }
    // As adding and deleting do: the lines the mark showed on before and after the
    // finished step are laid out again, since a wedge keeps the lyrics of its row below
    // it and so sets the line's height. Not while the pointer moves: that would make the
    // dragged view anew under the pointer.
    if (release) {
        if (const auto line = FirstLineShowing(rows)) {
            c.push_back(MakeLineRelayout(editor_, line));
        }
    }
    return Build(!release, std::move(c));
}

bool EditController::HandleEditorNotification(const ElementNotification& record)
{
    const NotificationPayload* p = record.payload;
    switch (record.id) {
        // The note itself: a grace or chord note is named by its list (element), a
        // bar's note by the bar (note).
        case id::kNoteSelected:
            if (p != nullptr && (p->element || p->note)) {
                editor_->AddSelectedElement(p->element ? p->element : p->note);
            }
            return false;
        case id::kNoteDeselected:
            if (p != nullptr && (p->element || p->note)) {
                editor_->RemoveSelectedElement(p->element ? p->element.get() : p->note.get());
            }
            return false;
        case id::kBarDoubleClicked:
            ContentChanged();
            return false;
        default:
            return false;
    }
}

}  // namespace quaverly
