// The meter's view of a bar: which time no note covers and how to fill it with rests,
// and which short notes share their duration underlines.
//
// Build finds the time of a bar that no note, no tuplet and no item already in the
// output covers, and fills it with rests of plain values (a power-of-two length, or
// such a length with one dot) placed so that no rest crosses a beat group of the
// meter: groups of three beats when the beat count is a multiple of 3, of two beats
// when it is even, otherwise single beats. Off-beat holes are filled with the smaller
// values first up to the next beat. Missing notes of a tuplet become rests of the
// tuplet's unit length with the tuplet's counts. The rests are new elements made by
// the note factory and handed to the caller, who decides what to do with them.
//
// The meter is checked before use: a beat count outside 1..kMaxBeats or a beat type
// outside 1..kMaxBeatType gives no rests and no beam groups, and a tuplet with counts
// outside 1..note_limits::kMaxTupletCount or without a unit length is left out (its
// notes cover their own time), so no value divides by zero, loops without end or makes
// rests without bound. A tuplet gets at most `actual` positions, however its step
// truncates.
#pragma once

#include <memory>
#include <vector>

namespace quaverly {

class BeamGroup;
class Note;
class Tuplet;

namespace beat_limits {
inline constexpr int kMaxBeats = 128;
inline constexpr int kMaxBeatType = 128;  // the beat is never shorter than a 128th
}  // namespace beat_limits

// The largest k with 2^k <= n, for n >= 1; -1 for n below 1.
int FloorLog2(int n);

// Appends the pieces of a count: n itself when it is a power of two or a dotted value
// (a multiple of 3 whose largest power of two below it is 2n/3); otherwise the largest
// power of two below n, followed by the pieces of the remainder. The pieces come largest
// first. A count below 1 appends nothing.
void SplitIntoPowerPieces(int n, std::vector<int>& pieces);

class BeatGrouping {
public:
    using NotePtr = std::shared_ptr<Note>;

    // Time that something covers: notes with one start time, an item already in the
    // output, or a whole tuplet.
    struct OccupiedRange {
        int start = 0;
        int length = 0;
        int tupletActual = 0;
        std::vector<NotePtr> notes;
    };

    BeatGrouping() = default;  // 4/4

    void SetMeter(int beats, int beatType);
    int GetBeats() const { return beats_; }
    int GetBeatType() const { return beatType_; }
    // The grid of the last Build (never finer than 630 ticks); 0 before the first.
    int GetSmallestUnit() const { return smallestUnit_; }

    // Appends to `output` the rests that fill the time the notes (the bar's notes in
    // start order), the tuplets (the bar's tuplets, in any order) and the items already
    // in the output leave uncovered in a bar of the meter's length. Holes between the
    // notes are filled only up to the bar end, whatever starts after it.
    void Build(const std::vector<NotePtr>& notes, const std::vector<std::shared_ptr<Tuplet>>& tuplets,
               std::vector<NotePtr>& output);

    // A rest that Build makes, by the values the new note holds.
    struct Rest {
        int start = 0;
        int duration = 0;
        int dots = 0;
        int tupletActual = 0;
        int tupletNormal = 0;  // both 0 outside a tuplet
    };
    // The rests Build would append for the notes, the tuplets and the items already
    // placed, in the same order, without making notes (for a caller that only needs
    // their times and lengths).
    void BuildRests(const std::vector<NotePtr>& notes,
                    const std::vector<std::shared_ptr<Tuplet>>& tuplets,
                    const std::vector<NotePtr>& placed, std::vector<Rest>& rests);

    // Joins the short notes of a bar under shared underlines. The notes (in start order,
    // rests included) shorter than a quarter by their base length form runs that a
    // quarter or longer ends; each run is cut where the beat of its notes changes (start
    // time / beat length); every piece of two or more notes becomes a new beam group
    // holding them in order. Only the beat type counts; dots and tuplet ratios play no
    // part. With an unusable beat type nothing is grouped.
    std::vector<std::shared_ptr<BeamGroup>> GroupBeams(const std::vector<NotePtr>& notes) const;

    // True when some range has start <= time < start + length.
    static bool IsCovered(const std::vector<OccupiedRange>& ranges, int time);

private:
    struct TupletSpan;

    // The beat length in ticks, or 0 when the meter is not usable.
    int BeatLength() const;
    void ComputeSmallestUnit(const std::vector<NotePtr>& notes, int beatLength);
    void FillTuplets(const std::vector<TupletSpan>& spans, std::vector<OccupiedRange>& ranges,
                     std::vector<Rest>& rests) const;

    int beats_ = 4;
    int beatType_ = 4;
    int smallestUnit_ = 0;
};

}  // namespace quaverly
