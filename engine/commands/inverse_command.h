// The inverse of a command: its Do is the wrapped command's Undo and its Undo the
// wrapped command's Do. A removal command is the inverse of the matching addition,
// configured with exactly the arguments the addition would get:
//
//     using RemoveNoteCommand = InverseCommand<InsertNoteCommand>;
//     auto remove = std::make_unique<RemoveNoteCommand>(editor);
//     remove->Target().SetNote(note);
//
// The wrapper owns the wrapped command alone. It hands the painter to the wrapped
// command only; its own transient flag and children are its own (the wrapper never
// runs children).
#pragma once

#include <concepts>
#include <memory>
#include <utility>

#include "engine/commands/edit_command.h"

namespace quaverly {

template <class Wrapped>
class InverseCommand : public EditCommand {
public:
    // Constructs the wrapped command with the given arguments.
    template <class... Args>
        requires std::constructible_from<Wrapped, Args...>
    explicit InverseCommand(Args&&... args)
        : wrapped_(std::make_unique<Wrapped>(std::forward<Args>(args)...))
    {
    }

    void SetPainter(ScorePainter* painter) override { wrapped_->SetPainter(painter); }
    void Do() override { wrapped_->Undo(); }
    void Undo() override { wrapped_->Do(); }

    // The wrapped command, for its setters.
    Wrapped& Target() { return *wrapped_; }
    const Wrapped& Target() const { return *wrapped_; }

private:
    std::unique_ptr<Wrapped> wrapped_;
};

}  // namespace quaverly
