#include "engine/layout/layout_engine.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "engine/model/accidental_sign.h"
#include "engine/model/augmentation_dots.h"
#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/beat_grouping.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/int_clamp.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_time.h"
#include "engine/model/position_map.h"
#include "engine/model/score.h"
#include "engine/model/score_painter.h"
#include "engine/model/symbol_mark.h"
#include "engine/model/time_signature.h"
#include "engine/model/tuplet.h"

namespace quaverly {

namespace {

using NotePtr = std::shared_ptr<Note>;

// The continuation glyphs of a note follow it one quarter apart.
constexpr int kGlyphStep = note_length::kQuarter;
// A half with two dots draws its second dot after its two dashes, that far from its start.
constexpr int kDoubleDottedHalfDotsAt = 403200;
// The room at a bar's start and end counts from here down to the free space found.
constexpr int kNoGapYet = 131072;

struct Meter {
    int beats = 4;
    int beatType = 4;

    // The length of one beat in ticks.
    int BeatLength() const { return kTicksPerWhole / beatType; }
    // The length of a full bar of this meter.
    std::int64_t BarLength() const { return std::int64_t{beats} * kTicksPerWhole / beatType; }
};

// One distinct start time of a bar, while the bar is spaced.
struct Slice {
    int start = 0;
    int base = 0;   // base length of its first item
    int full = 0;   // played length of its first item
    int dots = 0;
    double width = 0.0;  // in note-digit widths

    std::int64_t End() const { return std::int64_t{start} + full; }
};

// Free space between a note's start and the next note's start (or the bar's end).
struct Gap {
    int from = 0;
    int to = 0;
    int space = 0;
};

// One bar of the column, as seen from its row.
struct Cell {
    std::shared_ptr<Bar> bar;
    std::vector<Slice> slices;
    std::vector<Gap> gaps;
};

int ToInt(std::int64_t value)
{
    return ClampToInt(value);
}

// The gap before time t: the first record with from < t <= to.
Gap* GapBefore(std::vector<Gap>& gaps, std::int64_t t)
{
    for (Gap& gap : gaps) {
        if (gap.from < t && t <= gap.to)
            return &gap;
    }
    return nullptr;
}

int SpaceBefore(std::vector<Gap>& gaps, std::int64_t t)
{
    const Gap* gap = GapBefore(gaps, t);
    return gap != nullptr ? gap->space : 0;
}

void GrowGap(std::vector<Gap>& gaps, std::int64_t t, int by)
{
    if (Gap* gap = GapBefore(gaps, t))
        gap->space = ToInt(std::int64_t{gap->space} + by);
}

// Gives a note, its dots and its continuation glyphs their times: the note at `start`,
// the glyphs one glyph step apart, scaled by normal / actual inside a tuplet.
void SetNoteTimes(Note& note, std::int64_t start, std::int64_t glyphStep)
{
    note.SetStartTime(ToInt(start));
    const bool dotsAfterDashes = note.GetDots() == 2 && note.GetDuration() == note_length::kHalf;
    if (AugmentationDots* dots = note.GetDotsElementIfMade())
        dots->SetStartTime(ToInt(start + (dotsAfterDashes ? kDoubleDottedHalfDotsAt : 0)));
    std::int64_t k = 1;
    for (const NotePtr& glyph : note.GetExtensionGlyphs())
        glyph->SetStartTime(ToInt(start + k++ * glyphStep));
}

// Moves a note with its dots and glyphs by a number of ticks.
void ShiftNoteTimes(Note& note, std::int64_t by)
{
    note.SetStartTime(ToInt(note.GetStartTime() + by));
    if (AugmentationDots* dots = note.GetDotsElementIfMade())
        dots->SetStartTime(ToInt(dots->GetStartTime() + by));
    for (const NotePtr& glyph : note.GetExtensionGlyphs())
        glyph->SetStartTime(ToInt(glyph->GetStartTime() + by));
}

// Start times of a bar's notes: one after the other by their dotted lengths, then every
// tuplet, in start order, compresses its notes, and the notes after it move earlier by
// the time it saved before the next tuplet is compressed.
void AssignStartTimes(Bar& bar)
{
    const std::vector<NotePtr>& notes = bar.GetNotes();
    std::int64_t time = 0;
    for (const NotePtr& note : notes) {
        SetNoteTimes(*note, time, kGlyphStep);
        time += GetDottedLength(note->GetDuration(), note->GetDots());
    }

    std::vector<std::shared_ptr<Tuplet>> tuplets = bar.GetTuplets();
    std::stable_sort(tuplets.begin(), tuplets.end(),
                     [](const auto& a, const auto& b) { return a->GetStartTime() < b->GetStartTime(); });
    for (const auto& tuplet : tuplets) {
        const std::int64_t actual = tuplet->GetActualCount();
        const std::int64_t normal = tuplet->GetNormalCount();
        const std::int64_t unit = tuplet->GetUnitLength();
        if (!tuplet->GetFirstNote() || actual <= 0 || normal <= 0 || unit <= 0)
            continue;  // not a tuplet that can compress anything
        const std::int64_t t0 = tuplet->GetStartTime();
        const std::int64_t t1 = unit * normal + t0;
        tuplet->ClearNotes();
        std::int64_t o = normal * unit / actual + t0;
        std::size_t next = notes.size();
        for (std::size_t i = 0; i < notes.size(); ++i) {
            Note& note = *notes[i];
            if (note.GetStartTime() <= t0)
                continue;
            SetNoteTimes(note, o, kGlyphStep * normal / actual);
            tuplet->AddNote(notes[i]);
            o += std::int64_t{note.GetDuration()} * normal / actual;
            if (o >= t1) {
                next = i + 1;
                break;
            }
        }
        if (next >= notes.size())
            continue;
        // The notes after the tuplet move earlier by the time it saves, (actual - normal)
        // units, also when the tuplet holds more than its span.
        const std::int64_t saved = (actual - normal) * unit;
        for (std::size_t j = next; j < notes.size(); ++j)
            ShiftNoteTimes(*notes[j], -saved);
    }
}

// The spacing of a remaining length: the plain value whose length it has, half as much
// again when it is not a power of two.
double RemainderSpacing(ScorePainter& painter, std::int64_t remaining)
{
    const std::int64_t q = remaining * 4 / note_length::k128th;
    const unsigned bits = q > 0 ? static_cast<unsigned>(q & 0xFFFF) : 0u;
    const int highest = bits != 0 ? std::bit_width(bits) - 1 : 0;
    const std::int64_t value = std::clamp<std::int64_t>(
        (std::int64_t{1} << highest) * note_length::k128th / 4, note_length::k128th, note_length::kBreve);
    double spacing = painter.GetNoteSpacing(ToInt(value));
    if (std::popcount(bits) > 1)
        spacing *= 1.5;
    return spacing;
}

// A column list of room to add: one record per time, the larger width kept.
class RoomList {
public:
    void Need(std::int64_t time, int width)
    {
        if (width <= 0)
            return;
        auto [it, inserted] = widths_.try_emplace(ToInt(time), width);
        if (!inserted)
            it->second = std::max(it->second, width);
    }
    const std::map<int, int>& Widths() const { return widths_; }

private:
    std::map<int, int> widths_;
};

class LayoutEngine {
public:
    LayoutEngine(ScorePainter& painter, const Score& score) : painter_(painter), score_(score) {}

    void AddRow(const ScoreElement& part) { rows_.push_back(&part); }
    bool HasRows() const { return !rows_.empty(); }

    void LayoutColumn(int barIndex);

private:
    Meter MeterAt(int barIndex) const;
    void BuildMaps();
    void BuildSlices(Cell& cell);
    void AlignSliceEnds();
    void BuildSegments(Cell& cell, int noteWidth);
    void BuildGaps(Cell& cell, int noteWidth);
    void AddBeatSpaces();
    void AddUserOffsets();
    void AddAccidentalRoom();
    void AddLyricRoom(int noteWidth);
    void AddSymbolRoom();
    void AddGraceRoom();
    void AddTimeSignatureRoom(int barIndex);
    void AddBarlineRoom();
    void SetColumnWidth();
    // Every bar of the column gets the records as extra widths, and its gap holding each
    // time grows by the width.
    void Apply(const RoomList& room);
    void AddToEveryBar(std::int64_t time, int width, bool growGaps);

    ScorePainter& painter_;
    const Score& score_;
    std::vector<const ScoreElement*> rows_;
    // The column being laid out: one cell per row that has the bar.
    std::vector<Cell> cells_;
    Meter meter_;
};

Meter LayoutEngine::MeterAt(int barIndex) const
{
    // The entry with the largest bar not after this one (the first of equal bars),
    // whatever order the table holds them in.
    const TimeSignatureEntry* found = nullptr;
    for (const TimeSignatureEntry& entry : score_.GetTimeSignatures()) {
        if (entry.bar > barIndex || entry.beats <= 0 || entry.beatType <= 0)
            continue;
        if (found == nullptr || entry.bar > found->bar)
            found = &entry;
    }
    Meter meter;
    if (found != nullptr && found->beats <= beat_limits::kMaxBeats &&
        found->beatType <= beat_limits::kMaxBeatType) {
        meter.beats = found->beats;
        meter.beatType = found->beatType;
    }
    return meter;
}

void LayoutEngine::LayoutColumn(int barIndex)
{
    cells_.clear();
    for (const ScoreElement* row : rows_) {
        auto bar = std::dynamic_pointer_cast<Bar>(row->GetChild(barIndex));
        if (bar)
            cells_.push_back(Cell{std::move(bar), {}, {}});
    }
    if (cells_.empty())
        return;

    for (Cell& cell : cells_)
        AssignStartTimes(*cell.bar);
    meter_ = MeterAt(barIndex);
    BuildMaps();
    for (Cell& cell : cells_)
        BuildSlices(cell);
    AlignSliceEnds();
    const int noteWidth = painter_.GetNoteSize().cx;
    for (Cell& cell : cells_) {
        BuildSegments(cell, noteWidth);
        BuildGaps(cell, noteWidth);
    }
    AddBeatSpaces();
    AddUserOffsets();
    AddAccidentalRoom();
    AddLyricRoom(noteWidth);
    AddSymbolRoom();
    AddGraceRoom();
    AddTimeSignatureRoom(barIndex);
    AddBarlineRoom();
    SetColumnWidth();
}

void LayoutEngine::BuildMaps()
{
    float adjust = 0.0f;
    for (const Cell& cell : cells_)
        adjust += cell.bar->GetManualAdjust();
    const int leftMargin = painter_.GetMetric107();
    const int rightMargin = painter_.GetMetric108();
    const std::int64_t beatLength = meter_.BeatLength();
    for (Cell& cell : cells_) {
        // Whole beats covering the notes, at least the meter's beats.
        std::int64_t beats = meter_.beats;
        if (!cell.bar->GetNotes().empty()) {
            std::int64_t end = 0;
            for (const NotePtr& note : cell.bar->GetNotes())
                end = std::max<std::int64_t>(end, std::int64_t{note->GetStartTime()} + GetNoteDuration(note.get()));
            beats = std::max<std::int64_t>(beats, (end + beatLength - 1) / beatLength);
        }
        auto map = std::make_shared<PositionMap>();
        map->SetLength(ToInt(beatLength * beats));
        map->SetMeter(meter_.beats, meter_.beatType);
        map->SetLeftMargin(leftMargin);
        map->SetRightMargin(rightMargin);
        map->SetColumnAdjust(adjust);
        cell.bar->SetPositionMap(std::move(map));
    }
}

void LayoutEngine::BuildSlices(Cell& cell)
{
    const Bar& bar = *cell.bar;
    BeatGrouping grouping;
    grouping.SetMeter(meter_.beats, meter_.beatType);
    // The rests that would fill the bar count by their values only: no notes are made
    // for them.
    std::vector<BeatGrouping::Rest> rests;
    grouping.BuildRests(bar.GetNotes(), bar.GetTuplets(), {}, rests);

    struct Item {
        int start;
        int base;
        int full;
        int dots;
    };
    std::vector<Item> items;
    items.reserve(bar.GetNotes().size() + rests.size());
    for (const NotePtr& note : bar.GetNotes())
        items.push_back({note->GetStartTime(), note->GetDuration(), GetNoteDuration(note.get()),
                         note->GetDots()});
    for (const BeatGrouping::Rest& rest : rests)
        items.push_back({rest.start, rest.duration,
                         GetPlayedLength(rest.duration, rest.dots, rest.tupletActual,
                                         rest.tupletNormal),
                         rest.dots});
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.start < b.start; });
    for (const Item& item : items) {
        if (!cell.slices.empty() && cell.slices.back().start == item.start)
            continue;  // the slice takes its values from its first item
        Slice slice;
        slice.start = item.start;
        slice.base = item.base;
        slice.full = item.full;
        slice.dots = item.dots;
        double dotted = 1.0;
        double share = 1.0;
        for (int k = 1; k <= slice.dots; ++k) {
            share /= 2.0;
            dotted += share;
        }
        slice.width = painter_.GetNoteSpacing(slice.base) * dotted;
        cell.slices.push_back(slice);
    }
}

void LayoutEngine::AlignSliceEnds()
{
    std::vector<std::int64_t> ends;
    for (const Cell& cell : cells_) {
        for (const Slice& slice : cell.slices)
            ends.push_back(slice.End());
    }
    std::sort(ends.begin(), ends.end());
    ends.erase(std::unique(ends.begin(), ends.end()), ends.end());

    // The largest end x among the slices that end at `end`.
    const auto widestEnd = [this](std::int64_t end) {
        double widest = 0.0;
        for (const Cell& cell : cells_) {
            double x = 0.0;
            for (const Slice& slice : cell.slices) {
                x += slice.width;
                if (slice.End() == end)
                    widest = std::max(widest, x);
            }
        }
        return widest;
    };

    for (const std::int64_t end : ends) {
        const double r1 = widestEnd(end);
        // A longer slice that crosses this end without reaching past r1 is pushed on to
        // end at r1 plus the room of what remains of it.
        for (Cell& cell : cells_) {
            double x = 0.0;
            for (Slice& slice : cell.slices) {
                if (slice.start >= end)
                    break;
                if (slice.End() > end && x + slice.width <= r1)
                    slice.width = r1 + RemainderSpacing(painter_, slice.End() - end) - x;
                x += slice.width;
            }
        }
        const double r2 = widestEnd(end);
        for (Cell& cell : cells_) {
            double x = 0.0;
            for (Slice& slice : cell.slices) {
                if (slice.End() == end && x + slice.width < r2)
                    slice.width = r2 - x;
                x += slice.width;
            }
        }
    }
}

void LayoutEngine::BuildSegments(Cell& cell, int noteWidth)
{
    PositionMap& map = *cell.bar->GetPositionMap();
    std::int64_t offset = 0;
    for (const Slice& slice : cell.slices) {
        const int extent = TruncToInt(noteWidth * slice.width);
        map.AddSegment({slice.start, slice.full, ToInt(offset), extent});
        offset += extent;
    }
}

void LayoutEngine::BuildGaps(Cell& cell, int noteWidth)
{
    const std::vector<NotePtr>& notes = cell.bar->GetNotes();
    const auto& segments = cell.bar->GetPositionMap()->GetSegments();
    const auto x = [&segments](std::int64_t t) {
        return std::int64_t{MapTimeThroughSegments(segments, ToInt(t))};
    };
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const std::int64_t from = notes[i]->GetStartTime();
        const std::int64_t to = i + 1 < notes.size() ? std::int64_t{notes[i + 1]->GetStartTime()}
                                                     : meter_.BarLength();
        cell.gaps.push_back({ToInt(from), ToInt(to), ToInt(x(to) - x(from) - noteWidth)});
    }
}

void LayoutEngine::AddToEveryBar(std::int64_t time, int width, bool growGaps)
{
    for (Cell& cell : cells_) {
        cell.bar->GetPositionMap()->AddExtraWidth(ToInt(time), width);
        if (growGaps)
            GrowGap(cell.gaps, time, width);
    }
}

void LayoutEngine::Apply(const RoomList& room)
{
    for (const auto& [time, width] : room.Widths())
        AddToEveryBar(time, width, true);
}

void LayoutEngine::AddBeatSpaces()
{
    const int space = painter_.GetMetric109();
    const std::int64_t beatLength = meter_.BeatLength();
    std::int64_t beats = 0;
    for (const Cell& cell : cells_)
        beats = std::max<std::int64_t>(beats, cell.bar->GetPositionMap()->GetLength() / beatLength);
    for (std::int64_t k = 1; k < beats; ++k) {
        const std::int64_t boundary = k * kTicksPerWhole / meter_.beatType;
        // No beat space falls inside a tuplet, in any part.
        bool inTuplet = false;
        for (const Cell& cell : cells_) {
            for (const auto& tuplet : cell.bar->GetTuplets()) {
                const NotePtr& first = tuplet->GetFirstNote();
                if (!first)
                    continue;
                const NotePtr& last = tuplet->GetNotes().empty() ? first : tuplet->GetNotes().back();
                if (tuplet->GetStartTime() < boundary && last->GetStartTime() >= boundary)
                    inTuplet = true;
            }
        }
        if (!inTuplet)
            AddToEveryBar(boundary, space, true);
    }
}

void LayoutEngine::AddUserOffsets()
{
    std::map<int, std::int64_t> offsets;
    for (const Cell& cell : cells_) {
        for (const NotePtr& note : cell.bar->GetNotes())
            offsets[note->GetStartTime()] += note->GetOffset().x;
    }
    for (const auto& [time, sum] : offsets) {
        if (sum != 0)
            AddToEveryBar(time, ToInt(sum), false);
    }
}

void LayoutEngine::AddAccidentalRoom()
{
    RoomList room;
    for (Cell& cell : cells_) {
        // The room is for the accidentals the bar will show.
        cell.bar->UpdateShownAccidentals();
        for (const NotePtr& note : cell.bar->GetNotes()) {
            const int t = note->GetStartTime();
            const int width = painter_.MeasureAccidental(note->GetShownAccidental()).cx;
            Gap* before = GapBefore(cell.gaps, t);
            const int space = before != nullptr ? before->space : 0;
            if (space < width)
                room.Need(t, width);
            if (before != nullptr)
                before->space = ToInt(std::int64_t{before->space} - width);
        }
    }
    Apply(room);
}

void LayoutEngine::AddLyricRoom(int noteWidth)
{
    RoomList room;
    for (Cell& cell : cells_) {
        std::vector<Gap> gaps = cell.gaps;
        for (const NotePtr& note : cell.bar->GetNotes()) {
            const int t = note->GetStartTime();
            for (int verse = 0; verse < kVerseCount; ++verse) {
                const std::u16string& text = note->GetLyricText(verse);
                if (text.empty())
                    continue;
                const int width = painter_.MeasureLyric(text).cx;
                if (width <= noteWidth)
                    continue;
                const int overhang = (width - noteWidth) / 2;
                if (SpaceBefore(gaps, t) < overhang)
                    room.Need(t, overhang);
                if (SpaceBefore(gaps, std::int64_t{t} + 1) < overhang)
                    room.Need(std::int64_t{t} + 1, overhang);
            }
        }
    }
    Apply(room);
}

void LayoutEngine::AddSymbolRoom()
{
    RoomList room;
    for (Cell& cell : cells_) {
        std::vector<Gap> gaps = cell.gaps;
        for (const NotePtr& note : cell.bar->GetNotes()) {
            const int t = note->GetStartTime();
            int left = 0;
            int right = 0;
            for (const auto& symbol : note->GetSymbols()) {
                const int placement = symbol->GetSymbolData().placement;
                if (placement != symbol_placement::kLeft && placement != symbol_placement::kRight)
                    continue;
                const int width = painter_.MeasureExtendSymbol(symbol->GetSymbolData()).cx;
                (placement == symbol_placement::kLeft ? left : right) += width;
            }
            if (left > 0) {
                if (SpaceBefore(gaps, t) < left)
                    room.Need(t, left);
                GrowGap(cell.gaps, t, -left);
            }
            if (right > 0) {
                if (SpaceBefore(gaps, std::int64_t{t} + 1) < right)
                    room.Need(std::int64_t{t} + 1, right);
                GrowGap(cell.gaps, std::int64_t{t} + 1, -right);
            }
        }
    }
    Apply(room);
}

void LayoutEngine::AddGraceRoom()
{
    RoomList room;
    for (Cell& cell : cells_) {
        std::vector<Gap> gaps = cell.gaps;
        for (const NotePtr& note : cell.bar->GetNotes()) {
            const int t = note->GetStartTime();
            GraceNoteList* listBefore = note->GetGraceListAIfMade();
            GraceNoteList* listAfter = note->GetGraceListBIfMade();
            const int before = listBefore != nullptr ? listBefore->GetExtent(painter_).Width() : 0;
            const int after = listAfter != nullptr ? listAfter->GetExtent(painter_).Width() : 0;
            if (before > 0) {
                const int space = SpaceBefore(gaps, t);
                if (space < before)
                    room.Need(t, ToInt(std::int64_t{before} - space));
                GrowGap(cell.gaps, t, -before);
            }
            if (after > 0) {
                const int space = SpaceBefore(gaps, std::int64_t{t} + 1);
                if (space < after)
                    room.Need(std::int64_t{t} + 1, ToInt(std::int64_t{after} - space));
                GrowGap(cell.gaps, std::int64_t{t} + 1, -after);
            }
        }
    }
    Apply(room);
}

void LayoutEngine::AddTimeSignatureRoom(int barIndex)
{
    // The score's first bar shows its beat in the heading of the first line.
    if (barIndex == 0)
        return;
    int widest = 0;
    for (const Cell& cell : cells_) {
        if (const auto& signature = cell.bar->GetTimeSignature()) {
            const TimeSignatureRecord value = signature->GetValue();
            widest = std::max(widest, painter_.MeasureTimeSignature(value.beats, value.beatType).cx);
        }
    }
    if (widest > 0)
        AddToEveryBar(0, widest, false);
}

void LayoutEngine::AddBarlineRoom()
{
    const std::int64_t barLength = meter_.BarLength();
    // No gap record holds the bar's start, so it has no free space.
    const int startSpace = std::min(kNoGapYet, 0);
    int endSpace = kNoGapYet;
    for (Cell& cell : cells_)
        endSpace = std::min(endSpace, SpaceBefore(cell.gaps, barLength));

    const Bar& first = *cells_.front().bar;
    const Barline& left = *first.GetBarline(0);
    const Barline& right = *first.GetBarline(1);
    const int leftWidth = painter_.MeasureBarLine(left.GetType(), left.GetMarkValue()).cx;
    const int rightWidth = painter_.MeasureBarLine(right.GetType(), right.GetMarkValue()).cx;
    if (leftWidth > startSpace)
        AddToEveryBar(0, leftWidth - startSpace, true);
    if (rightWidth > endSpace)
        AddToEveryBar(barLength, rightWidth - endSpace, true);
}

void LayoutEngine::SetColumnWidth()
{
    int width = 0;
    for (Cell& cell : cells_) {
        PositionMap& map = *cell.bar->GetPositionMap();
        map.SortExtraWidths();
        const std::int64_t barWidth =
            std::int64_t{map.GetRightMargin()} + map.GetTotalExtent() + map.GetLeftMargin();
        width = std::max(width, ToInt(barWidth));
    }
    for (Cell& cell : cells_)
        cell.bar->SetRect({0, 0, width, 0});
}

}  // namespace

void LayoutScore(const LayoutColumnState& state)
{
    if (state.painter == nullptr || !state.score)
        return;
    LayoutEngine engine(*state.painter, *state.score);
    // One row per part: the parts are the children of the score's part containers.
    const Score& score = *state.score;
    std::vector<std::shared_ptr<ScoreElement>> keep;
    for (int i = 0; i < score.GetChildCount(); ++i) {
        const auto container = score.GetChild(i);
        if (!container)
            continue;
        for (int j = 0; j < container->GetChildCount(); ++j) {
            if (auto part = container->GetChild(j)) {
                engine.AddRow(*part);
                keep.push_back(std::move(part));
            }
        }
    }
    if (!engine.HasRows())
        return;
    const ScoreElement& firstRow = *keep.front();
    const int first = std::max(0, state.firstBar);
    const int end = std::min(state.endBar, firstRow.GetChildCount());
    if (first >= end)
        return;  // the first row has no bar in the range
    for (int bar = first; bar < end; ++bar)
        engine.LayoutColumn(bar);
}

}  // namespace quaverly
