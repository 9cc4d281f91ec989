// The base of every undoable change to the score.
//
// A command is built and configured by an editor operation, handed to the innermost open
// group or to the undo history, and runs only later, when the history's pending queue is
// run with a drawing device: most commands lay part of the score out again and measure
// through that device. A command may run many times (once from the queue, then
// alternately Undo and Do through undo and redo); its painter is set before every run.
//
// A plain command never runs its children; only the composites (CommandGroup,
// MacroCommand) do.
#pragma once

#include <memory>
#include <vector>

namespace quaverly {

class ScorePainter;

class EditCommand {
public:
    using CommandPtr = std::shared_ptr<EditCommand>;

    EditCommand() = default;
    EditCommand(const EditCommand&) = delete;
    EditCommand& operator=(const EditCommand&) = delete;

    // The virtual operations, in slot order.
    virtual ~EditCommand();
    // Stores the painter of the current run and hands it to every child.
    virtual void SetPainter(ScorePainter* painter);
    // A transient command runs but never enters the undo stack.
    virtual void SetTransient(bool transient);
    virtual bool IsTransient() const;
    // Appends a child (a null child is ignored).
    virtual void AddChild(CommandPtr child);
    virtual bool IsEmpty() const;  // no children
    virtual void Do() = 0;
    virtual void Undo() = 0;
    // True for a command whose Do changes of the drawn pages nothing but the lines it
    // reports to the editor's account of changed areas (and the cursor): after it the
    // view need not draw the page whole. False unless a command says so.
    virtual bool KeepsToReportedLines() const;

protected:
    // The drawing device of the current run; null before the first run.
    ScorePainter* Painter() const { return painter_; }
    const std::vector<CommandPtr>& Children() const { return children_; }
    // True when there is at least one child and every child is transient.
    bool HasOnlyTransientChildren() const;
    // Do of every child, first to last; Undo of every child first to last or last to
    // first. The loops read the number of children again on every step.
    void DoChildren();
    void UndoChildrenForward();
    void UndoChildrenBackward();

private:
    ScorePainter* painter_ = nullptr;
    std::vector<CommandPtr> children_;
    bool transient_ = false;
};

}  // namespace quaverly
