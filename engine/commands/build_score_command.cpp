#include "engine/commands/build_score_command.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/editor/score_editor.h"
#include "engine/layout/header_node.h"
#include "engine/model/bar.h"
#include "engine/model/beat_grouping.h"
#include "engine/model/container_element.h"
#include "engine/model/int_clamp.h"
#include "engine/model/note.h"
#include "engine/model/part.h"
#include "engine/model/part_group.h"
#include "engine/model/score.h"
#include "engine/model/score_painter.h"
#include "engine/model/time_signature.h"

namespace quaverly {

namespace {

// A metric counts as not set below this (the marker -16777216 with some slack for a
// value that went through a float).
constexpr double kUnsetBelow = 1e-6 - 16777216.0;

// Lines per page are keyed from line 1 on while the lines end before bar 1000.
constexpr int kBarsPerLineKeyLimit = 1000;

}  // namespace

void FillUnsetPartMetrics(Part& part, ScorePainter& painter, bool lastPart)
{
    if (part.GetStaffSize() < kUnsetBelow) {
        const int size = lastPart ? painter.GetMetric100() + painter.GetMetric99()
                                  : painter.GetMetric99();
        part.SetStaffSize(size);
    }
    for (int v = 0; v < Part::kVerseCount; ++v) {
        if (part.GetVerseOffset(v) >= kUnsetBelow)
            continue;
        const int offset = v == 0 ? painter.GetMetric111() + painter.GetMetric110()
                                  : painter.GetMetric111();
        part.SetVerseOffset(v, offset);
    }
}

void FillUnsetScoreMetrics(Score& score, ScorePainter& painter)
{
    const int partCount = score.GetChildCount();
    for (int p = 0; p < partCount; ++p) {
        const auto container = score.GetChild(p);
        if (const auto part =
                std::dynamic_pointer_cast<Part>(container ? container->GetChild(0) : nullptr))
            FillUnsetPartMetrics(*part, painter, p == partCount - 1);
    }
}

int BuildScoreCommand::LinesOnFirstPage(int available, int staves, int staffHeight,
                                        int systemGap)
{
    const std::int64_t unit =
        std::int64_t{systemGap} + std::int64_t{std::max(staves, 0)} * staffHeight;
    if (available <= 0 || unit <= 0)
        return 1;
    std::int64_t lines = available / unit;
    // The rest is never negative here, so no comparison of it can wrap around.
    const std::int64_t rest = available - lines * unit;
    if (rest > staffHeight)
        ++lines;
    return static_cast<int>(std::clamp<std::int64_t>(lines, 1, kMaxBars));
}

int BuildScoreCommand::BarsFittingWidth(int pageWidth, int barWidth)
{
    if (barWidth <= 0 || pageWidth <= 0)
        return 1;
    int bars = std::max(pageWidth / barWidth, 1);
    const double overrun = (static_cast<double>(bars) + 1.0) * barWidth / pageWidth;
    if (overrun < 1.05)
        ++bars;
    return std::min(bars, kMaxBars);
}

int BuildScoreCommand::EmptyBarWidth(ScorePainter& painter) const
{
    const TimeSignatureRecord& meter = settings_.timeSignature;
    const int beats = std::clamp(meter.beats, 1, beat_limits::kMaxBeats);
    const int beatType = std::clamp(meter.beatType, 1, beat_limits::kMaxBeatType);
    BeatGrouping grouping;
    grouping.SetMeter(beats, beatType);
    std::vector<std::shared_ptr<Note>> rests;
    grouping.Build({}, {}, rests);
    const int noteWidth = painter.GetNoteSize().cx;
    std::int64_t width = 0;
    for (const auto& rest : rests)
        width += static_cast<std::int64_t>(std::trunc(noteWidth *
                                                      painter.GetNoteSpacing(rest->GetDuration())));
    width += std::int64_t{beats - 1} * painter.GetMetric109() + painter.GetMetric107() +
             painter.GetMetric108();
    return ClampToInt(width);
}

void BuildScoreCommand::Do()
{
    ScorePainter* painter = Painter();
    if (!editor_ || !painter)
        return;
    Score& score = *editor_->score;

    score.SetTitle(settings_.title);
    score.SetSubtitle(settings_.subtitle);
    score.SetPoet(settings_.poet);
    score.SetComposer(settings_.composer);
    score.SetRights(settings_.copyright);
    if (!settings_.tempoText.text.empty())
        score.SetExpressionText(settings_.tempoText);
    score.SetKeySignature(settings_.key);
    score.SetTimeSignature(settings_.timeSignature);
    if (settings_.exactTempo)
        score.SetTempoMark(settings_.tempo);

    // How many lines fit the first page under the heading.
    const int staves = static_cast<int>(settings_.staves.size());
    // Measured only, not laid out: a layout would make the heading the parent of the
    // score's header texts, and this heading does not outlive the command.
    const int headingHeight = HeaderNode(editor_->score).GetExtent(*painter).Height();
    const std::int64_t available = std::int64_t{editor_->pageContentHeight} - headingHeight;
    const int lines =
        LinesOnFirstPage(ClampToInt(available), staves,
                         painter->GetBarLineHeight() + painter->GetMetric99(),
                         painter->GetMetric100());

    // How many bars those lines hold.
    const int perLine = std::clamp(settings_.barsPerLine, 0, kBarsPerLineKeyLimit - 1);
    int bars = 0;
    if (perLine > 0) {
        bars = ClampToInt(std::min<std::int64_t>(std::int64_t{perLine} * lines, kMaxBars));
        for (int k = 1; (k + 1) * perLine < kBarsPerLineKeyLimit; ++k)
            score.GetBarsPerLine().insert_or_assign(k, perLine);
    } else {
        const int fitting = BarsFittingWidth(editor_->pageContentWidth, EmptyBarWidth(*painter));
        bars = ClampToInt(std::min<std::int64_t>(std::int64_t{fitting} * lines, kMaxBars));
    }

    std::vector<std::shared_ptr<Part>> parts;
    for (int i = 0; i < staves; ++i) {
        const NewScoreStaff& staff = settings_.staves[static_cast<std::size_t>(i)];
        auto part = std::make_shared<Part>();
        part->SetProgram(staff.instrument);
        part->SetPercussion(staff.percussion);
        part->SetChannel(staff.channel);
        FillUnsetPartMetrics(*part, *painter, i == staves - 1);
        for (int b = 0; b < bars; ++b)
            part->AppendChild(std::make_shared<Bar>(b));
        auto container = std::make_shared<ContainerElement>();
        container->AppendChild(part);
        score.AppendChild(container);
        parts.push_back(part);
    }

    if (bars > 0 && !parts.empty()) {
        auto signature = std::make_shared<TimeSignature>();
        signature->SetValue(settings_.timeSignature);
        if (const auto first = std::dynamic_pointer_cast<Bar>(parts.front()->GetChild(0)))
            first->SetTimeSignature(signature);
    }

    for (const NewScoreStaffGroup& entry : settings_.staffGroups) {
        // A group must cover staves that exist, first to last.
        if (entry.firstStaff < 0 || entry.lastStaff >= staves || entry.firstStaff > entry.lastStaff)
            continue;
        auto group = std::make_shared<PartGroup>();
        group->SetType(entry.kind);
        group->SetFirstPart(entry.firstStaff);
        group->SetLastPart(entry.lastStaff);
        score.AddPartGroup(group);
        if (entry.kind == part_group_type::kBrace) {
            parts[static_cast<std::size_t>(entry.firstStaff)]->SetStaffLink(
                staff_link::kFirstOfPair);
            parts[static_cast<std::size_t>(entry.lastStaff)]->SetStaffLink(
                staff_link::kSecondOfPair);
        }
    }
}

}  // namespace quaverly
