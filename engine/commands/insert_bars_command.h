// Inserts bars at one index in every part, and its removal form.
//
// Everything the score keeps by bar number after the point (line marks, keys, time
// signatures, tempo marks, expression texts, forced line breaks) moves with the bars,
// and undo puts it back exactly. Removed bars are kept by the command, so undoing a
// removal brings back the same bars with their notes rather than empty ones.
#pragma once

#include <memory>
#include <vector>

#include "engine/commands/bar_index_tables.h"
#include "engine/commands/edit_command.h"
#include "engine/commands/inverse_command.h"

namespace quaverly {

class Bar;
class ScoreEditor;

class InsertBarsCommand : public EditCommand {
public:
    explicit InsertBarsCommand(ScoreEditor* editor) : editor_(editor) {}

    void SetIndex(int index) { index_ = index; }
    void SetCount(int count) { count_ = count; }

    // Inserts `count` bars at `index` in every part and lays them out. An index outside
    // 0 .. the bar count, or a count below 1, changes nothing.
    void Do() override;
    // Removes the bars at index .. index + count - 1 of every part (fewer where the part
    // ends sooner) and lays out from the index.
    void Undo() override;

private:
    void InsertBars();
    void RemoveBars();
    void Relayout(int first, int end);

    ScoreEditor* editor_;
    int index_ = 0;
    int count_ = 0;
    bool started_ = false;
    bool removedFirst_ = false;  // the first run was Undo: the command is a removal
    BarIndexTables before_;      // the tables as they were before the first run
    std::vector<std::vector<std::shared_ptr<Bar>>> removed_;  // per part, while out
};

using RemoveBarsCommand = InverseCommand<InsertBarsCommand>;

}  // namespace quaverly
