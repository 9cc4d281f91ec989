// The first layout of a score that was just built, imported or loaded: completes the
// parts' metrics, gives every part the same number of bars, spaces all bar columns,
// makes the heading and, for a loaded document, one line per saved line record with
// the saved bar ranges, visibility, offsets and instrument names. The lines' rows and
// the pages come from the commands queued after it; the saved ranges go to the editor
// (ScoreEditor::documentLineRanges), so the walk after it keeps the document's lines.
//
// The records are those the document reader made (SystemRecord): line 0 is the heading,
// bar ranges are half-open as the lines hold them. A record whose line or row number
// is outside the lists is skipped; a bar range is held to the score's bars.
//
// A one-way step: its Undo does nothing.
#pragma once

#include <vector>

#include "engine/commands/edit_command.h"
#include "engine/xml/system_record.h"

namespace quaverly {

class ScoreEditor;

class InitialLayoutCommand final : public EditCommand {
public:
    explicit InitialLayoutCommand(ScoreEditor* editor) : editor_(editor) {}

    void SetRecords(std::vector<SystemRecord> records) { records_ = std::move(records); }
    const std::vector<SystemRecord>& GetRecords() const { return records_; }

    void Do() override;
    void Undo() override {}

private:
    // How many lines after the heading the records need.
    int RecordedLineCount() const;
    void Apply(const SystemRecord& record) const;

    ScoreEditor* editor_;
    std::vector<SystemRecord> records_;
};

// Lays the laid-out view out again as it stands (its pages, their lines and marks);
// the same work in both directions.
class RelayoutViewCommand final : public EditCommand {
public:
    explicit RelayoutViewCommand(ScoreEditor* editor) : editor_(editor) {}

    void Do() override;
    void Undo() override { Do(); }

private:
    ScoreEditor* editor_;
};

}  // namespace quaverly
