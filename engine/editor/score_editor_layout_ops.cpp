// The layout operations of the editor: the view flags that show the edit marks, a full
// refresh, bars per line and lines per page, hiding empty rows and going back to the
// default layout. None changes the music; the re-layout work is queued as commands and
// runs with the painter of the next RunPendingCommands.
#include <algorithm>
#include <map>
#include <memory>

#include "engine/commands/build_score_command.h"
#include "engine/commands/command_group.h"
#include "engine/commands/layout_map_commands.h"
#include "engine/commands/refresh_commands.h"
#include "engine/commands/restore_default_layout_command.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/layout_mark_view.h"
#include "engine/layout/page_node.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/edit_mark.h"
#include "engine/model/element_path.h"
#include "engine/model/int_clamp.h"
#include "engine/model/note.h"

namespace quaverly {

namespace {

// Deferred re-flows reach the pages up to this index.
constexpr int kLastDeferredPage = 99;
// SetBarsPerLine for the whole score covers at least the line indices below this, and
// always every line the largest score can have at the count asked for.
constexpr int kBarsPerLineEntries = 1000;

int BarsPerLineEntries(int count)
{
    // The heading is line 0; a score of the most bars needs this many lines after it.
    const int lines = (BuildScoreCommand::kMaxBars + count - 1) / count;
    return std::max(kBarsPerLineEntries, lines + 1);
}

void SetMarkVisible(const std::shared_ptr<ScoreElement>& mark, bool visible)
{
    if (mark)
        mark->SetVisible(visible);
}

bool HoldsOnlyRests(const Bar& bar)
{
    for (const auto& note : bar.GetNotes())
        if (note && note->GetPitchCode() != pitch_code::kRest)
            return false;
    return true;
}

}  // namespace

void ScoreEditor::ApplyViewFlagsToLine(SystemNode& line)
{
    SetMarkVisible(line.GetIndentMark(), viewFlags[3]);
    SetMarkVisible(line.GetRightEndMark(), viewFlags[3]);
    SetMarkVisible(line.GetLineBreakMark(), viewFlags[2]);
    bool firstVisible = true;
    for (int t = 0; t < line.GetChildCount(); ++t) {
        const auto track = line.GetTrack(t);
        if (!track || !track->IsVisible())
            continue;
        SetMarkVisible(track->GetSpacingMark(), viewFlags[4]);
        SetMarkVisible(track->GetPositionMark(), viewFlags[5]);
        track->SetShowBaseLine(viewFlags[1]);
        if (viewFlags[7]) {
            track->ShowVerseMarks(true);
        } else {
            for (int verse = 0; verse < TrackNode::kVerseCount; ++verse)
                SetMarkVisible(track->GetVerseMark(verse), false);
        }
        if (firstVisible) {
            for (int b = 0; b < track->GetChildCount(); ++b)
                if (const auto bar = track->GetBar(b))
                    SetMarkVisible(bar->GetWidthMark(), viewFlags[6]);
            firstVisible = false;
        }
    }
}

void ScoreEditor::ApplyViewFlags()
{
    for (int p = 0; p < layout->GetChildCount(); ++p) {
        const auto page = std::dynamic_pointer_cast<PageNode>(layout->GetChild(p));
        if (!page)
            continue;
        page->SetShowBorder(viewFlags[0]);
        for (int l = 0; l < page->GetChildCount(); ++l)
            if (const auto line = std::dynamic_pointer_cast<SystemNode>(page->GetChild(l)))
                ApplyViewFlagsToLine(*line);
    }
}

void ScoreEditor::RelayoutView()
{
    ApplyViewFlags();
}

void ScoreEditor::HideEmptyTracksInLine(SystemNode& line, bool keepVisible, bool hide)
{
    bool anyVisible = false;
    for (int t = 0; t < line.GetChildCount(); ++t) {
        const auto track = line.GetTrack(t);
        if (!track)
            continue;
        bool visible = true;
        if (hide) {
            visible = false;
            for (int b = 0; b < track->GetChildCount() && !visible; ++b)
                if (const auto bar = track->GetBar(b); bar && !HoldsOnlyRests(*bar))
                    visible = true;
        }
        track->SetVisible(visible);
        anyVisible = anyVisible || visible;
    }
    line.SetVisible(anyVisible || keepVisible);
}

void ScoreEditor::SetViewFlag(std::size_t flag, bool show)
{
    viewFlags[flag] = show;
    ApplyViewFlags();
    NotifyListener(EditorNoticeCode::ContentChanged);
}

void ScoreEditor::ShowPageBorder(bool show) { SetViewFlag(0, show); }
void ScoreEditor::ShowTrackBaseLines(bool show) { SetViewFlag(1, show); }
void ScoreEditor::ShowLineBreakMarks(bool show) { SetViewFlag(2, show); }
void ScoreEditor::ShowIndentMarks(bool show) { SetViewFlag(3, show); }
void ScoreEditor::ShowLineSpacingMarks(bool show) { SetViewFlag(4, show); }
void ScoreEditor::ShowLinePositionMarks(bool show) { SetViewFlag(5, show); }
void ScoreEditor::ShowBarWidthMarks(bool show) { SetViewFlag(6, show); }
void ScoreEditor::ShowLyricLineMarks(bool show) { SetViewFlag(7, show); }

void ScoreEditor::NotifyDocumentChanged() const
{
    NotifyListener(EditorNoticeCode::ContentChanged);
    NotifyListener(EditorNoticeCode::DocumentModified);
}

std::unique_ptr<EditCommand> ScoreEditor::MakeDeferredReflows(int firstPage) const
{
    auto deferred = std::make_unique<RefreshLineListCommand>(const_cast<ScoreEditor*>(this));
    for (int page = std::max(firstPage, 0); page <= kLastDeferredPage; ++page)
        deferred->AppendIndex(page);
    return deferred;
}

void ScoreEditor::Refresh()
{
    if (lines.empty())
        return;
    BeginGroup(false);
    AddCommand(std::make_unique<BeginWaitNoticeCommand>(this));
    auto bars = std::make_unique<RelayoutAllBarsCommand>();
    bars->SetScore(score);
    AddCommand(std::move(bars));
    AddCommand(std::make_unique<RelayoutScoreCommand>(this));
    AddCommand(std::make_unique<ReflowLinesKeepCommand>(this));
    AddCommand(std::make_unique<EndWaitNoticeCommand>(this));
    EndGroup();
    // The score is laid out again as it stands: nothing of the document changed.
    NotifyListener(EditorNoticeCode::ContentChanged);
}

int ScoreEditor::GetBarsPerLine() const
{
    const auto track = GetElementAtPath3(*layout, cursor.page, cursor.line, cursor.track);
    return std::dynamic_pointer_cast<TrackNode>(track) ? track->GetChildCount() : 0;
}

void ScoreEditor::SetBarsPerLine(const BarsPerLineRecord& record)
{
    // A line needs at least one bar; a count of none would leave the walk nothing to do.
    if (record.count <= 0)
        return;
    if (record.all) {
        std::map<int, int> counts;
        const int entries = BarsPerLineEntries(record.count);
        for (int line = 0; line < entries; ++line)
            counts.emplace_hint(counts.end(), line, record.count);
        auto change = std::make_unique<ChangeBarsPerLineCommand>(this);
        change->SetUndoMap(score->GetBarsPerLine());
        change->SetDoMap(counts);
        BeginGroup(false);
        AddCommand(std::move(change));
        for (int page = 0; page <= cursor.page; ++page) {
            auto reflow = std::make_unique<ReflowLinesFromCommand>(this);
            reflow->SetPage(page);
            AddCommand(std::move(reflow));
        }
        AddCommand(MakeDeferredReflows(cursor.page + 1));
        EndGroup();
        NotifyDocumentChanged();
        return;
    }
    if (!std::dynamic_pointer_cast<SystemNode>(GetElementAtPath2(*layout, cursor.page, cursor.line)))
        return;
    long long index = cursor.line;
    for (int page = 0; page < cursor.page; ++page)
        if (const auto node = layout->GetChild(page))
            index += node->GetChildCount();
    auto entry = std::make_unique<AddBarsPerLineCommand>(this);
    entry->SetEntry(ClampToInt(index), record.count);
    BeginGroup(false);
    AddCommand(std::move(entry));
    auto reflow = std::make_unique<ReflowLinesFromCommand>(this);
    reflow->SetPage(cursor.page);
    AddCommand(std::move(reflow));
    AddCommand(MakeDeferredReflows(cursor.page + 1));
    EndGroup();
    NotifyDocumentChanged();
}

int ScoreEditor::GetLinesOnPage() const
{
    if (currentPage < 0 || currentPage >= layout->GetChildCount())
        return 0;
    const auto page = layout->GetChild(currentPage);
    return page ? page->GetChildCount() : 0;
}

void ScoreEditor::SetLinesOnPage(int count)
{
    // A page must hold a line, or the pages after it could never be filled.
    if (count <= 0)
        return;
    auto entry = std::make_unique<AddPageLinesCommand>();
    entry->SetScore(score);
    entry->SetEntry(cursor.page, count);
    BeginGroup(false);
    AddCommand(std::move(entry));
    auto reflow = std::make_unique<ReflowLinesCommand>(this);
    reflow->SetPage(cursor.page);
    AddCommand(std::move(reflow));
    auto marker = std::make_unique<RefreshPageLinesCommand>();
    marker->SetPage(std::dynamic_pointer_cast<PageNode>(
        cursor.page >= 0 && cursor.page < layout->GetChildCount() ? layout->GetChild(cursor.page)
                                                                  : nullptr));
    AddCommand(std::move(marker));
    AddCommand(MakeDeferredReflows(cursor.page + 1));
    EndGroup();
    NotifyDocumentChanged();
}

void ScoreEditor::HideEmptyLines(bool hide)
{
    hideEmptyLines = hide;
    for (int p = 0; p < layout->GetChildCount(); ++p) {
        const auto page = layout->GetChild(p);
        if (!page)
            continue;
        for (int l = 0; l < page->GetChildCount(); ++l)
            if (const auto line = std::dynamic_pointer_cast<SystemNode>(page->GetChild(l)))
                HideEmptyTracksInLine(*line, p == 0 && l <= 1, hide);
    }
    BeginGroup(false);
    AddCommand(std::make_unique<BeginWaitNoticeCommand>(this));
    AddCommand(std::make_unique<RelayoutScoreCommand>(this));
    AddCommand(std::make_unique<ReflowLinesKeepCommand>(this));
    AddCommand(std::make_unique<EndWaitNoticeCommand>(this));
    EndGroup();
    NotifyDocumentChanged();
}

void ScoreEditor::RestoreDefaultLayout()
{
    // One group that runs once and can never be undone: it is queued past any group
    // still open, and nothing recorded before it can be undone onto the new layout.
    auto group = std::make_shared<CommandGroup>();
    group->AddChild(std::make_shared<BeginWaitNoticeCommand>(this));
    group->AddChild(std::make_shared<RestoreDefaultLayoutCommand>(this));
    auto bars = std::make_shared<RelayoutAllBarsCommand>();
    bars->SetScore(score);
    group->AddChild(std::move(bars));
    group->AddChild(std::make_shared<RelayoutScoreCommand>(this));
    group->AddChild(std::make_shared<ReflowLinesKeepCommand>(this));
    group->AddChild(std::make_shared<EndWaitNoticeCommand>(this));
    RecordIrreversible(std::move(group));
    NotifyDocumentChanged();
}

}  // namespace quaverly
