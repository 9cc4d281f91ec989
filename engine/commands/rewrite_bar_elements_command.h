// Pasting into a bar: swaps the bar's notes between the list after the paste and the
// list before it. The bar is found by part and bar index when the command runs, so a
// bar that no longer exists is left alone.
#pragma once

#include <memory>
#include <vector>

#include "engine/commands/edit_command.h"

namespace quaverly {

class Note;
class ScoreEditor;

class RewriteBarElementsCommand : public EditCommand {
public:
    using NoteList = std::vector<std::shared_ptr<Note>>;

    explicit RewriteBarElementsCommand(ScoreEditor* editor);  // not owned
    ~RewriteBarElementsCommand() override;

    void SetPartIndex(int index) { partIndex_ = index; }
    void SetBarIndex(int index) { barIndex_ = index; }
    void SetNewElements(const NoteList& notes) { newElements_ = notes; }
    void SetOldElements(const NoteList& notes) { oldElements_ = notes; }

    void Do() override;
    void Undo() override;

private:
    void Rewrite(const NoteList& notes);

    ScoreEditor* editor_;
    int partIndex_ = 0;
    int barIndex_ = 0;
    NoteList newElements_;
    NoteList oldElements_;
};

}  // namespace quaverly
