#include "engine/commands/edit_command.h"

#include <algorithm>
#include <utility>

namespace quaverly {

EditCommand::~EditCommand() = default;

void EditCommand::SetPainter(ScorePainter* painter)
{
    painter_ = painter;
    for (std::size_t i = 0; i < children_.size(); ++i) {
        const CommandPtr child = children_[i];
        child->SetPainter(painter);
    }
}

void EditCommand::SetTransient(bool transient)
{
    transient_ = transient;
}

bool EditCommand::IsTransient() const
{
    return transient_;
}

void EditCommand::AddChild(CommandPtr child)
{
    if (child)
        children_.push_back(std::move(child));
}

bool EditCommand::IsEmpty() const
{
    return children_.empty();
}

bool EditCommand::KeepsToReportedLines() const
{
    return false;
}

bool EditCommand::HasOnlyTransientChildren() const
{
    return !children_.empty() &&
           std::all_of(children_.begin(), children_.end(),
                       [](const CommandPtr& child) { return child->IsTransient(); });
}

void EditCommand::DoChildren()
{
    for (std::size_t i = 0; i < children_.size(); ++i) {
        const CommandPtr child = children_[i];
        child->Do();
    }
}

void EditCommand::UndoChildrenForward()
{
    for (std::size_t i = 0; i < children_.size(); ++i) {
        const CommandPtr child = children_[i];
        child->Undo();
    }
}

void EditCommand::UndoChildrenBackward()
{
    std::size_t i = children_.size();
    while (i > 0) {
        i = std::min(i, children_.size());  // a child may have shortened the list
        if (i == 0)
            break;
        --i;
        const CommandPtr child = children_[i];
        child->Undo();
    }
}

}  // namespace quaverly
