// Inserts a part (its container, with the Part as first child) at an index of the
// score, and its removal form.
//
// The part groups name parts by index and a staff pair links neighbouring parts, so
// both move with the parts: inserting shifts the groups at and after the index,
// removing shifts them back, drops a group that covered only the removed part and
// unpairs a part whose partner went. Whatever a run
// changed besides the part list (the groups and their bounds, staff links, the staff
// size handed to the previous last part) is put back exactly by the opposite run.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"

namespace quaverly {

class ContainerElement;
class Part;
class PartGroup;
class ScoreEditor;
class ScoreElement;

class InsertPartCommand : public EditCommand {
public:
    explicit InsertPartCommand(ScoreEditor* editor) : editor_(editor) {}

    void SetIndex(int index) { index_ = index; }
    void SetContainer(std::shared_ptr<ScoreElement> container) { container_ = std::move(container); }

    // An index outside 0 .. the part count, or a container without a Part, changes
    // nothing.
    void Do() override;
    // Removes the score's child at the index.
    void Undo() override;

private:
    struct Saved {
        std::vector<std::pair<std::shared_ptr<PartGroup>, std::pair<int, int>>> groups;
        std::vector<std::pair<std::shared_ptr<Part>, int>> links;
        std::vector<std::pair<std::shared_ptr<Part>, double>> sizes;
    };

    Saved Capture() const;
    void Restore(const Saved& saved) const;
    void ShiftGroups(int delta) const;
    void UnpairAround(int index) const;
    void RebuildTracks() const;
    std::shared_ptr<Part> PartOf(const std::shared_ptr<ScoreElement>& container) const;

    ScoreEditor* editor_;
    int index_ = 0;
    std::shared_ptr<ScoreElement> container_;
    bool started_ = false;
    bool removedFirst_ = false;
    bool insertedOnce_ = false;
    Saved before_;  // before the first run
    Saved after_;   // after the first insertion
};

using RemovePartCommand = InverseCommand<InsertPartCommand>;

}  // namespace quaverly
