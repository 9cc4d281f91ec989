#include "engine/editor/score_editor.h"

#include <algorithm>

#include "engine/commands/command_group.h"
#include "engine/commands/macro_command.h"
#include "engine/model/element_path.h"

namespace quaverly {

ScoreEditor::ScoreEditor()
    : score(std::make_shared<Score>()),
      layout(std::make_shared<LayoutRoot>()),
      caretLine(std::make_shared<CaretLine>()),
      guideLine(std::make_shared<GuideLine>()),
      controller(std::make_shared<ScoreElement>())
{
    layout->SetParent(controller.get());
}

ScoreEditor::~ScoreEditor() = default;

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
    // The selected elements belonged to the document that is gone.
    selectedElements.clear();
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

void ScoreEditor::RunPendingCommands(ScorePainter& painter)
{
    history.RunPending(painter);
    NotifyListener(EditorNoticeCode::PendingCommandsRun);
}

}  // namespace quaverly
