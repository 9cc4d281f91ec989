#include "engine/model/beat_grouping.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "engine/model/beam_group.h"
#include "engine/model/int_clamp.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_time.h"
#include "engine/model/tuplet.h"

namespace quaverly {

namespace {

constexpr int kRestLengthMin = note_length::k128th;
constexpr int kRestLengthMax = note_length::kBreve;
// The finest grid: the last dot share of a triple-dotted 128th. Notes whose lengths are
// no note value at all (a base of 0, say) cannot make the grid finer than this.
constexpr int kFinestUnit = note_length::k128th / 8;

// A stretch of uncovered time [start, end).
struct Span {
    std::int64_t start;
    std::int64_t end;
};

// A hole after cutting, and whether it ends on the beat that follows it.
struct Part {
    Span span;
    bool beforeBeat;
};

// A rest to make: {start, length}.
struct Entry {
    std::int64_t start;
    std::int64_t length;
};

// Cuts every span at the multiples of `step` (counted from the bar start) that lie
// strictly inside it.
std::vector<Span> CutAt(const std::vector<Span>& spans, std::int64_t step)
{
    std::vector<Span> result;
    for (const Span& span : spans) {
        std::int64_t start = span.start;
        std::int64_t next = (start / step + 1) * step;
        while (next < span.end) {
            result.push_back({start, next});
            start = next;
            next += step;
        }
        result.push_back({start, span.end});
    }
    return result;
}

}  // namespace

struct BeatGrouping::TupletSpan {
    int start;
    int unitLength;
    int actual;
    int normal;
};

int FloorLog2(int n)
{
    if (n < 1)
        return -1;
    return std::bit_width(static_cast<unsigned>(n)) - 1;
}

void SplitIntoPowerPieces(int n, std::vector<int>& pieces)
{
    while (n >= 1) {
        const int d = 1 << FloorLog2(n);
        if (d == n || (n % 3 == 0 && d == 2 * (n / 3))) {
            pieces.push_back(n);
            return;
        }
        pieces.push_back(d);
        n -= d;
    }
}

void BeatGrouping::SetMeter(int beats, int beatType)
{
    beats_ = beats;
    beatType_ = beatType;
}

int BeatGrouping::BeatLength() const
{
    if (beats_ < 1 || beats_ > beat_limits::kMaxBeats || beatType_ < 1 ||
        beatType_ > beat_limits::kMaxBeatType)
        return 0;
    return kTicksPerWhole / beatType_;
}

bool BeatGrouping::IsCovered(const std::vector<OccupiedRange>& ranges, int time)
{
    return std::any_of(ranges.begin(), ranges.end(), [time](const OccupiedRange& range) {
        return range.start <= time && time < std::int64_t{range.start} + range.length;
    });
}

void BeatGrouping::ComputeSmallestUnit(const std::vector<NotePtr>& notes, int beatLength)
{
    int unit = beatLength;
    std::vector<int> starts;
    for (const NotePtr& note : notes) {
        if (!note)
            continue;
        int length = note->GetDuration();
        for (int dot = 0; dot < note->GetDots(); ++dot)
            length /= 2;
        unit = std::min(unit, length);
        starts.push_back(note->GetStartTime());
    }
    // The coarsest grid that holds every start time.
    for (int grid = kTicksPerWhole; grid >= note_length::k128th; grid /= 2) {
        unit = std::min(unit, grid);
        std::erase_if(starts, [grid](int start) { return start % grid == 0; });
        if (starts.empty())
            break;
    }
    // Holes are counted in this unit: it never becomes 0, whatever a note's length.
    smallestUnit_ = std::max(unit, kFinestUnit);
}

void BeatGrouping::FillTuplets(const std::vector<TupletSpan>& spans,
                               std::vector<OccupiedRange>& ranges,
                               std::vector<Rest>& rests) const
{
    if (spans.empty())
        return;
    // Tuplets are filled in start order, whatever the order of the bar's list.
    std::vector<TupletSpan> ordered = spans;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const TupletSpan& a, const TupletSpan& b) { return a.start < b.start; });

    std::vector<OccupiedRange> tupletRanges;
    for (const TupletSpan& tuplet : ordered) {
        const bool countsUsable = tuplet.actual >= 1 &&
                                  tuplet.actual <= note_limits::kMaxTupletCount &&
                                  tuplet.normal >= 1 &&
                                  tuplet.normal <= note_limits::kMaxTupletCount;
        if (!countsUsable || tuplet.unitLength < 1)
            continue;
        const std::int64_t span = std::int64_t{tuplet.unitLength} * tuplet.normal;
        const std::int64_t step = span / tuplet.actual;
        // The tuplet's `actual` positions, each step at least one tick apart. Where the
        // step is truncated the positions stop at the last of them, so no extra rest
        // squeezes in before the tuplet's end.
        for (int k = 0; k < tuplet.actual && step >= 1; ++k) {
            const std::int64_t t = tuplet.start + k * step;
            if (IsCovered(ranges, ClampToInt(t)))
                continue;
            Rest rest;
            rest.duration = std::clamp(tuplet.unitLength, 0, note_limits::kMaxBaseDuration);
            rest.start = ClampToInt(t);
            rest.tupletActual = tuplet.actual;
            rest.tupletNormal = tuplet.normal;
            rests.push_back(rest);
        }
        tupletRanges.push_back({tuplet.start, ClampToInt(span), 0, {}});
    }
    // The notes of a tuplet give way to the tuplet's whole span. A note that carries
    // tuplet counts outside every tuplet keeps its own range, so no rest is put over it.
    std::erase_if(ranges, [&tupletRanges](const OccupiedRange& range) {
        return range.tupletActual > 0 && IsCovered(tupletRanges, range.start);
    });
    ranges.insert(ranges.end(), tupletRanges.begin(), tupletRanges.end());
}

void BeatGrouping::Build(const std::vector<NotePtr>& notes,
                         const std::vector<std::shared_ptr<Tuplet>>& tuplets,
                         std::vector<NotePtr>& output)
{
    std::vector<Rest> rests;
    BuildRests(notes, tuplets, output, rests);
    for (const Rest& values : rests) {
        NotePtr rest = CreateNote(pitch_code::kRest);
        rest->SetDuration(values.duration);
        rest->SetDots(values.dots);
        rest->SetStartTime(values.start);
        rest->SetTupletActual(values.tupletActual);
        rest->SetTupletNormal(values.tupletNormal);
        output.push_back(std::move(rest));
    }
}

void BeatGrouping::BuildRests(const std::vector<NotePtr>& notes,
                              const std::vector<std::shared_ptr<Tuplet>>& tuplets,
                              const std::vector<NotePtr>& placed, std::vector<Rest>& rests)
{
    const int beatLength = BeatLength();
    if (beatLength == 0)
        return;
    const std::int64_t beat = beatLength;
    ComputeSmallestUnit(notes, beatLength);
    const std::int64_t unit = smallestUnit_;

    // Occupied time: notes of one start time form one range, measured by the first.
    std::vector<OccupiedRange> ranges;
    for (const NotePtr& note : notes) {
        if (!note)
            continue;
        const auto same = std::find_if(ranges.begin(), ranges.end(), [&note](const OccupiedRange& r) {
            return r.start == note->GetStartTime();
        });
        if (same != ranges.end()) {
            same->notes.push_back(note);
            continue;
        }
        ranges.push_back({note->GetStartTime(), GetNoteDuration(note.get()), note->GetTupletActual(),
                          {note}});
    }
    for (const NotePtr& item : placed) {
        if (item)
            ranges.push_back({item->GetStartTime(), GetNoteDuration(item.get()), 0, {}});
    }

    std::vector<TupletSpan> spans;
    for (const std::shared_ptr<Tuplet>& tuplet : tuplets) {
        if (tuplet)
            spans.push_back({tuplet->GetStartTime(), tuplet->GetUnitLength(),
                             tuplet->GetActualCount(), tuplet->GetNormalCount()});
    }
    FillTuplets(spans, ranges, rests);
    std::stable_sort(ranges.begin(), ranges.end(), [](const OccupiedRange& a, const OccupiedRange& b) {
        return a.start < b.start;
    });

    // Holes between the ranges and up to the end of the bar. A range inside an earlier
    // one never moves the walk back. Only the bar's own time is filled: a note that
    // starts after the bar end (damaged or overfull data) leaves no hole beyond it.
    std::vector<Span> holes;
    const std::int64_t barEnd = beat * beats_;
    std::int64_t covered = 0;
    for (const OccupiedRange& range : ranges) {
        if (covered >= barEnd)
            break;
        if (covered < range.start)
            holes.push_back({covered, std::min<std::int64_t>(range.start, barEnd)});
        covered = std::max(covered, std::int64_t{range.start} + std::max(range.length, 0));
    }
    if (covered < barEnd)
        holes.push_back({covered, barEnd});

    // Compound meters: cut at the dotted beat groups, then at the beats where a hole
    // is not exactly one group.
    const bool compound = beats_ % 3 == 0;
    if (compound) {
        holes = CutAt(holes, 3 * beat);
        std::vector<Span> recut;
        for (const Span& hole : holes) {
            if (hole.end - hole.start == 3 * beat) {
                recut.push_back(hole);
            } else {
                const std::vector<Span> pieces = CutAt({hole}, beat);
                recut.insert(recut.end(), pieces.begin(), pieces.end());
            }
        }
        holes = std::move(recut);
    }

    // Off-beat starts: the part up to the next beat is filled smallest value first.
    std::vector<Part> parts;
    for (const Span& hole : holes) {
        const std::int64_t nextBeat = (hole.start / beat + 1) * beat;
        if (hole.start % beat != 0 && hole.end >= nextBeat) {
            parts.push_back({{hole.start, nextBeat}, true});
            if (hole.end - nextBeat >= 1)
                parts.push_back({{nextBeat, hole.end}, false});
        } else {
            parts.push_back({hole, false});
        }
    }

    const int groupBeats = compound ? 3 : (beats_ % 2 == 0 ? 2 : 1);
    std::vector<Entry> entries;
    for (const Part& part : parts) {
        for (const Span& piece : CutAt({part.span}, groupBeats * beat)) {
            std::vector<int> counts;
            SplitIntoPowerPieces(ClampToInt((piece.end - piece.start) / unit), counts);
            if (part.beforeBeat)
                std::reverse(counts.begin(), counts.end());
            std::int64_t start = piece.start;
            for (const int count : counts) {
                entries.push_back({start, count * unit});
                start += count * unit;
            }
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.start < b.start; });

    // One rest per entry: the value whose length the entry has, with a dot when the
    // length is a dotted value.
    for (const Entry& entry : entries) {
        const std::int64_t quarters128 = entry.length * 4 / note_length::k128th;
        const unsigned bits = static_cast<unsigned>(quarters128 & 0xFFFF);
        if (quarters128 <= 0 || bits == 0)
            continue;  // shorter than any rest value
        const int highest = std::bit_width(bits) - 1;
        const std::int64_t base = (std::int64_t{1} << highest) * note_length::k128th / 4;
        Rest rest;
        rest.duration = static_cast<int>(std::clamp<std::int64_t>(base, kRestLengthMin, kRestLengthMax));
        rest.dots = std::popcount(bits) > 1 ? 1 : 0;
        rest.start = ClampToInt(entry.start);
        rests.push_back(rest);
    }
}

std::vector<std::shared_ptr<BeamGroup>> BeatGrouping::GroupBeams(
    const std::vector<NotePtr>& notes) const
{
    std::vector<std::shared_ptr<BeamGroup>> groups;
    if (beatType_ < 1 || beatType_ > beat_limits::kMaxBeatType)
        return groups;
    const int beatLength = kTicksPerWhole / beatType_;

    std::vector<NotePtr> piece;
    int pieceBeat = 0;
    const auto closePiece = [&groups, &piece] {
        if (piece.size() >= 2) {
            auto group = std::make_shared<BeamGroup>();
            for (NotePtr& note : piece)
                group->AddNote(std::move(note));
            groups.push_back(std::move(group));
        }
        piece.clear();
    };
    for (const NotePtr& note : notes) {
        if (!note)
            continue;
        if (note->GetDuration() >= note_length::kQuarter) {
            closePiece();
            continue;
        }
        const int beat = note->GetStartTime() / beatLength;
        if (!piece.empty() && beat != pieceBeat)
            closePiece();
        pieceBeat = beat;
        piece.push_back(note);
    }
    closePiece();
    return groups;
}

}  // namespace quaverly
