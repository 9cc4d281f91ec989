#include "engine/editor/score_editor.h"

#include <algorithm>

#include <new>
#include <optional>

#include "engine/commands/command_group.h"
#include "engine/commands/macro_command.h"
#include "engine/editor/edit_controller.h"
#include "engine/layout/input_mode.h"
#include "engine/layout/page_node.h"
#include "engine/layout/selection_range.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/int_clamp.h"
#include "engine/model/score_painter.h"
#include "engine/model/time_position_mapper.h"

namespace quaverly {

namespace {

// The re-flow that waited for its page: the lines from that page on are cut and put on
// pages again with the painter of the run. Both directions do the same, since the
// layout follows the score, whichever way the score went.
class DeferredReflowCommand final : public EditCommand {
public:
    DeferredReflowCommand(ScoreEditor& editor, int page) : editor_(editor), page_(page) {}

    void Do() override { Run(); }
    void Undo() override { Run(); }

private:
    void Run()
    {
        if (Painter() != nullptr)
            editor_.ReflowLinesFrom(*Painter(), page_, false, false);
    }

    ScoreEditor& editor_;
    int page_;
};

}  // namespace

ScoreEditor::ScoreEditor()
    : score(std::make_shared<Score>()),
      layout(std::make_shared<LayoutRoot>()),
      caretLine(std::make_shared<CaretLine>()),
      guideLine(std::make_shared<GuideLine>()),
      controller(std::make_shared<EditController>(this))
{
    layout->SetParent(controller.get());
    modes = MakeInputModes(*this);
    currentMode = 0;
    if (const auto mode = modes.find(0); mode != modes.end() && mode->second)
        mode->second->Enter();
}

ScoreEditor::~ScoreEditor() = default;

void ScoreEditor::Destroy()
{
    delete this;
}

void ScoreEditor::ResetDocument()
{
    cursor = CursorPosition{};
    currentPage = 0;
    lines.clear();
    score->ClearChildren();
    layout->ClearChildren();
    history.Clear();
    caretEnabled = true;
    viewFlags[2] = true;
    std::fill(viewFlags.begin() + 3, viewFlags.end(), false);
    hideEmptyLines = false;
    deferredReflows.clear();
    documentLineRanges.clear();
    freshColumnsEnd = 0;
    cursorBarAfterReflow_ = -1;
    // The selected elements belonged to the document that is gone.
    selectedElements.clear();
    pageChangedWhole_ = true;
    changedAreas_.clear();
}

int ScoreEditor::AddSelectedElement(std::shared_ptr<ScoreElement> element)
{
    if (!element)
        return -1;
    const auto found = std::find(selectedElements.begin(), selectedElements.end(), element);
    if (found != selectedElements.end())
        return static_cast<int>(found - selectedElements.begin());
    selectedElements.push_back(std::move(element));
    return static_cast<int>(selectedElements.size()) - 1;
}

void ScoreEditor::RemoveSelectedElement(const ScoreElement* element)
{
    const auto found = std::find_if(
        selectedElements.begin(), selectedElements.end(),
        [element](const std::shared_ptr<ScoreElement>& entry) { return entry.get() == element; });
    if (found != selectedElements.end())
        selectedElements.erase(found);
}

void ScoreEditor::ClearSelectedElements()
{
    // Deselecting reports back through the tree, which may edit the list meanwhile.
    const std::vector<std::shared_ptr<ScoreElement>> selected = selectedElements;
    for (const auto& element : selected)
        element->Deselect();
    selectedElements.clear();
}

void ScoreEditor::NotifyListener(const EditorNotice& notice) const
{
    // What changed outside the queued commands is not in the account.
    if (notice.code == EditorNoticeCode::ContentChanged && !enteringNote_)
        pageChangedWhole_ = true;
    if (listener != nullptr)
        listener->Notify(notice);
}

void ScoreEditor::NotifyListener(int code) const
{
    NotifyListener(EditorNotice{code});
}

int ScoreEditor::GetBarCount() const
{
    const auto part = GetElementAtPath2(*score, 0, 0);
    return part ? part->GetChildCount() : 0;
}

void ScoreEditor::SetPageContentSize(int width, int height)
{
    pageContentWidth = width;
    pageContentHeight = height;
}

void ScoreEditor::SetLayoutPosition(Point point)
{
    layout->SetPosition(point);
}

bool ScoreEditor::Draw(ScorePainter* painter)
{
    if (painter == nullptr)
        return false;
    layout->Draw(*painter);
    const auto mode = modes.find(currentMode);
    if (mode == modes.end() || !mode->second)
        return false;
    mode->second->DrawOverlay(*painter);
    return true;
}

void ScoreEditor::SetCurrentPage(int page)
{
    currentPage = page;
    layout->SetCurrentPage(page);
    pageChangedWhole_ = true;
    // Copy first: the entries up to the page are erased below, whatever the groups do.
    const std::set<int> waiting = deferredReflows;
    for (const int index : waiting) {
        if (index > page)
            break;
        BeginGroup(true);
        AddCommand(std::make_unique<DeferredReflowCommand>(*this, index));
        EndGroup();
    }
    deferredReflows.erase(deferredReflows.begin(), deferredReflows.upper_bound(page));
}

int ScoreEditor::GetLastPageIndex() const
{
    const int pages = layout->GetChildCount();
    if (pages == 0)
        return 0;
    const auto lastPage = layout->GetChild(pages - 1);
    int endBar = 0;
    if (lastPage) {
        for (int i = lastPage->GetChildCount() - 1; i >= 0; --i) {
            if (const auto line = std::dynamic_pointer_cast<SystemNode>(lastPage->GetChild(i))) {
                endBar = line->GetBarRange().end;
                break;
            }
        }
    }
    return endBar != GetBarCount() ? pages + 1 : pages;
}

int ScoreEditor::GetPartCount() const
{
    return score->GetChildCount();
}

int ScoreEditor::GetBarIndexAtLine(int page, int line) const
{
    const auto node = GetElementAtPath2(*layout, page, line);
    const auto system = std::dynamic_pointer_cast<SystemNode>(node);
    return system ? system->GetBarRange().first : -1;
}

int ScoreEditor::GetCursorBarIndex() const
{
    if (cursor.page < 0 || cursor.page >= layout->GetChildCount())
        return -1;
    const auto page = layout->GetChild(cursor.page);
    if (!page || cursor.line < 0 || cursor.line >= page->GetChildCount())
        return -1;
    const int first = GetBarIndexAtLine(cursor.page, cursor.line);
    if (first < 0)
        return -1;  // the heading holds no bar
    return ClampToInt(static_cast<long long>(first) + cursor.barInLine);
}

int ScoreEditor::GetCursorTimeInBar() const
{
    return GetCursorBarIndex() < 0 ? -1 : cursor.timeInBar;
}

void ScoreEditor::DrawCaret(ScorePainter* painter)
{
    if (painter == nullptr || !caretEnabled || cursor.page != currentPage)
        return;
    const auto bar = std::dynamic_pointer_cast<Bar>(
        GetElementAtPath4(*layout, cursor.page, cursor.line, cursor.track, cursor.barInLine));
    if (!bar)
        return;
    const Rect rect = bar->GetRect();
    const TimePositionMapper mapper(rect, bar->GetPositionMap().get());
    const int x = mapper.TimeToX(cursor.timeInBar);
    const Point origin = bar->GetOrigin();
    const Point position = bar->GetPosition();
    caretLine->SetOrigin({ClampToInt(static_cast<long long>(origin.x) + position.x + x),
                          ClampToInt(static_cast<long long>(origin.y) + position.y)});
    const int halfNote = painter->GetNoteSize().cx / 2;
    const bool inside = static_cast<long long>(x) + halfNote < rect.Width();
    caretLine->SetPosition(inside ? Point{halfNote, 0} : Point{0, 0});
    caretLine->Draw(*painter);
}

std::optional<Rect> ScoreEditor::CaretGuide(ScorePainter& painter) const
{
    const auto line = std::dynamic_pointer_cast<SystemNode>(
        GetElementAtPath2(*layout, cursor.page, cursor.line));
    if (!line || line->GetChildCount() == 0)
        return std::nullopt;
    const auto bar = std::dynamic_pointer_cast<Bar>(
        GetElementAtPath4(*layout, cursor.page, cursor.line, cursor.track, cursor.barInLine));
    if (!bar)
        return std::nullopt;
    bool anyVisible = false;
    long long top = 0;
    long long bottom = 0;
    for (int i = 0; i < line->GetChildCount(); ++i) {
        const auto track = line->GetChild(i);
        if (!track || !track->IsVisible())
            continue;
        // A row's box reaches down over its words and the room below them, up to the next
        // line; the guide line spans the rows' bar lines, from the first row's top to the
        // last row's top, and then one bar line further.
        const long long y = static_cast<long long>(track->GetOrigin().y) +
                            track->GetPosition().y + track->GetRect().top;
        if (!anyVisible || y < top)
            top = y;
        if (!anyVisible || y > bottom)
            bottom = y;
        anyVisible = true;
    }
    if (!anyVisible)
        return std::nullopt;
    bottom += painter.GetBarLineHeight();
    const Rect rect = bar->GetRect();
    const TimePositionMapper mapper(rect, bar->GetPositionMap().get());
    const long long x = static_cast<long long>(bar->GetOrigin().x) + bar->GetPosition().x +
                        mapper.TimeToX(cursor.timeInBar) + painter.GetNoteSize().cx / 2;
    return Rect{ClampToInt(x), ClampToInt(top), ClampToInt(x), ClampToInt(bottom)};
}

void ScoreEditor::UpdateCaret(ScorePainter* painter)
{
    if (painter == nullptr)
        return;
    const auto caret = CaretGuide(*painter);
    if (!caret)
        return;
    // Drawn down from the line's top at the caret's x, the rectangle's height long.
    guideLine->SetOrigin({caret->left, caret->top});
    guideLine->SetPosition({0, 0});
    guideLine->SetRect(*caret);
    guideLine->Draw(*painter);
    NotifyListener(EditorNotice{EditorNoticeCode::CaretMoved, nullptr, &*caret, nullptr});
}

void ScoreEditor::ReportCaret(ScorePainter* painter)
{
    if (painter == nullptr)
        return;
    if (const auto caret = CaretGuide(*painter))
        NotifyListener(EditorNotice{EditorNoticeCode::CaretMoved, nullptr, &*caret, nullptr});
}

bool ScoreEditor::HasSelection() const
{
    return layout->GetSelection() && layout->GetSelection()->IsValid();
}

std::u16string ScoreEditor::GetTitle() const { return score->GetTitle(); }
std::u16string ScoreEditor::GetSubtitle() const { return score->GetSubtitle(); }
std::u16string ScoreEditor::GetComposer() const { return score->GetComposer(); }
std::u16string ScoreEditor::GetPoet() const { return score->GetPoet(); }
std::u16string ScoreEditor::GetSinger() const { return score->GetSinger(); }
std::u16string ScoreEditor::GetAdapter() const { return score->GetAdapter(); }
std::u16string ScoreEditor::GetRights() const { return score->GetRights(); }
std::u16string ScoreEditor::GetDescription() const { return score->GetDescription(); }

void ScoreEditor::SetDescription(const std::u16string& text)
{
    score->SetDescription(text);
}

void ScoreEditor::AddCommand(std::unique_ptr<EditCommand> command)
{
    AddToGroup(std::shared_ptr<EditCommand>(std::move(command)));
}

void ScoreEditor::AddToGroup(std::shared_ptr<EditCommand> command)
{
    if (!command)
        return;
    if (openGroups_.empty())
        history.Record(std::move(command));
    else
        openGroups_.back()->AddChild(std::move(command));
}

void ScoreEditor::BeginGroup(bool transient)
{
    auto group = std::make_shared<CommandGroup>();
    group->SetTransient(transient);
    openGroups_.push_back(std::move(group));
}

void ScoreEditor::BeginReverseGroup(bool transient)
{
    auto group = std::make_shared<MacroCommand>();
    group->SetTransient(transient);
    openGroups_.push_back(std::move(group));
}

void ScoreEditor::EndGroup()
{
    if (openGroups_.empty())
        return;
    std::shared_ptr<EditCommand> group = std::move(openGroups_.back());
    openGroups_.pop_back();
    if (!openGroups_.empty())
        openGroups_.back()->AddChild(std::move(group));
    else if (!group->IsEmpty())
        history.Record(std::move(group));
}

void ScoreEditor::RecordIrreversible(std::shared_ptr<EditCommand> command)
{
    history.RecordIrreversible(std::move(command));
}

void ScoreEditor::Undo()
{
    if (!history.CanUndo())
        return;
    history.Undo();
    NotifyListener(EditorNoticeCode::DocumentModified);
    NotifyListener(EditorNoticeCode::ContentChanged);
}

void ScoreEditor::Redo()
{
    if (!history.CanRedo())
        return;
    history.Redo();
    NotifyListener(EditorNoticeCode::DocumentModified);
    NotifyListener(EditorNoticeCode::ContentChanged);
}

void ScoreEditor::RunPendingCommands(ScorePainter* painter)
{
    // Layout measures through the painter; without one the queue waits for the next run.
    if (painter == nullptr)
        return;
    if (!history.RunPending(*painter))
        pageChangedWhole_ = true;
    NotifyListener(EditorNoticeCode::PendingCommandsRun);
}

void ScoreEditor::NoteLineChanged(const ScoreElement& line, const Rect& before)
{
    if (pageChangedWhole_)
        return;
    const auto page = layout->GetCurrentPageNode();
    if (!page || line.GetParent() != page.get())
        return;
    // What the line draws reaches a little past its rectangle, before and after.
    changedAreas_.push_back(PageNode::InkReach(before));
    changedAreas_.push_back(PageNode::InkReach(line.GetRect().Moved(line.GetAbsolutePoint())));
}

void ScoreEditor::NoteBarChanged(int index)
{
    if (pageChangedWhole_)
        return;
    const LineOfBar found = FindLineOfBar(index);
    if (found.node)
        NoteLineChanged(*found.node, found.node->GetRect().Moved(found.node->GetAbsolutePoint()));
    else
        pageChangedWhole_ = true;
}

bool ScoreEditor::TakeChangedAreas(std::vector<Rect>& areas)
{
    const bool known = !pageChangedWhole_;
    areas.clear();
    if (known)
        areas.swap(changedAreas_);
    changedAreas_.clear();
    pageChangedWhole_ = false;
    return known;
}

}  // namespace quaverly

extern "C" quaverly::api::ScoreEditor* create_quaverly_editor()
{
    try {
        return new quaverly::ScoreEditor();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
