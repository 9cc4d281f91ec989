#include "engine/commands/initial_layout_command.h"

#include <algorithm>
#include <memory>

#include "engine/commands/build_score_command.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/header_node.h"
#include "engine/layout/layout_column_state.h"
#include "engine/layout/layout_engine.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/header_text.h"
#include "engine/model/part.h"
#include "engine/model/score.h"

namespace quaverly {

void InitialLayoutCommand::Do()
{
    ScorePainter* painter = Painter();
    if (!editor_ || !painter)
        return;
    const std::shared_ptr<Score>& score = editor_->score;

    FillUnsetScoreMetrics(*score, *painter);
    editor_->EqualizeBarCounts();

    LayoutColumnState state;
    state.painter = painter;
    state.score = score;
    state.firstBar = 0;
    state.endBar = editor_->GetBarCount();
    LayoutScore(state);
    editor_->freshColumnsEnd = state.endBar;

    // The list is made anew: the heading first, then the recorded lines.
    editor_->lines.clear();
    editor_->documentLineRanges.clear();
    auto heading = std::make_shared<HeaderNode>(score);
    heading->SetIndex(0);
    heading->SetRect({0, 0, editor_->pageContentWidth, 0});
    heading->Layout(*painter);
    editor_->lines.push_back(heading);

    const int lineCount = RecordedLineCount();
    for (int i = 1; i <= lineCount; ++i) {
        auto line = std::make_shared<SystemNode>(score);
        line->SetIndex(i);
        line->CreateTracks();
        editor_->lines.push_back(line);
    }
    for (const SystemRecord& record : records_)
        Apply(record);
}

int InitialLayoutCommand::RecordedLineCount() const
{
    // The highest line number the records give, counting only numbers that a list of
    // that many records can reach: a bad number in a file makes no run of empty lines.
    // A document that saved the heading as line 0 and one that did not both get every
    // line.
    const int limit = static_cast<int>(records_.size());
    int highest = 0;
    for (const SystemRecord& record : records_) {
        if (record.number <= limit)
            highest = std::max(highest, record.number);
    }
    return highest;
}

void InitialLayoutCommand::Apply(const SystemRecord& record) const
{
    const auto& lines = editor_->lines;
    if (record.number < 0 || record.number >= static_cast<int>(lines.size()))
        return;
    const auto line = std::dynamic_pointer_cast<SystemNode>(lines[static_cast<std::size_t>(record.number)]);
    if (!line)
        return;
    line->SetVisible(record.show);
    line->SetOffset(record.offset);
    line->SetRightOffset(record.rightOffset);
    const int bars = editor_->GetBarCount();
    const int first = std::clamp(record.firstBar, 0, bars);
    const int end = std::clamp(record.endBar, first, bars);
    line->SetBarRange(first, end);
    if (end > first)
        editor_->documentLineRanges[record.number] = {first, end};
    line->CreateTracks();
    for (const TrackRecord& trackRecord : record.tracks) {
        if (trackRecord.number < 0 || trackRecord.number >= line->GetChildCount())
            continue;
        const auto track = line->GetTrack(trackRecord.number);
        if (!track)
            continue;
        track->SetVisible(trackRecord.show);
        track->SetOffset(trackRecord.offset);
        if (!trackRecord.instrumentName.empty()) {
            auto name = std::make_shared<InstrumentNameText>();
            name->SetText(trackRecord.instrumentName);
            name->SetOffset(trackRecord.nameOffset);
            track->SetInstrumentName(name);
        }
    }
}

void RelayoutViewCommand::Do()
{
    if (!editor_ || !Painter())
        return;
    editor_->layout->Layout(*Painter());
    editor_->RelayoutView();
}

}  // namespace quaverly
