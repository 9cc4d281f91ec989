// The tie and line-mark views of one row: the pieces of the part's ties and line marks
// that fall into the row's bars [first, end).
//
// Ties and line marks are stored once per part, whatever the rows they cross; every row
// decides from bar indices alone which piece it shows (whole, start, middle or end) and
// makes its views afresh at each layout. The row element itself is passed in: the views
// take it as their parent and its absolute point as their origin. Building the tie views
// also completes a tie whose end note is still missing, when the next note has the same
// pitch.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "engine/model/layout_types.h"

namespace quaverly {

class Bar;
class LineMark;
class LineMarkView;
class Note;
class Part;
class ScoreElement;
class ScorePainter;
class Tie;
class TieViewGroup;

// The first note of the bar whose start time is after `time`, or an empty pointer; a
// time of -1 gives the bar's first note.
std::shared_ptr<Note> FindFirstElementAfter(const Bar& bar, int time);

class TrackMarkViews {
public:
    void SetPart(std::shared_ptr<Part> part) { part_ = std::move(part); }
    const std::shared_ptr<Part>& GetPart() const { return part_; }
    void SetBarRange(int first, int end) { range_ = {first, end}; }
    BarRange GetBarRange() const { return range_; }

    // True when one of the part's bars first .. end - 1 is that bar.
    bool HasBarInRange(const ScoreElement* bar) const;

    // Erases the tie views and makes one for every tie of the part that starts or ends
    // in the range, completing open ties on the way.
    void BuildTieViews(ScoreElement& row, ScorePainter& painter);
    // Gives a tie without end note the next note of its start bar (or the first note of
    // the following bar) as its end when that note has the same pitch code; a tie whose
    // start bar is not one of the part's bars ties nothing.
    void CompleteTie(Tie& tie);
    // Erases the line-mark views and makes one for every line mark of the part that
    // touches the range: whole, start, middle or end piece. A mark from an earlier row
    // that ends at time 0 of the range's first bar shows nothing here.
    void BuildLineMarkViews(ScoreElement& row, ScorePainter& painter);
    // The piece of a line mark this row shows (a line_mark_segment value), or -1 when the
    // mark has no piece here.
    int SegmentOnRow(const LineMark& mark) const;

    const std::vector<std::shared_ptr<TieViewGroup>>& GetTieViews() const { return tieViews_; }
    const std::vector<std::shared_ptr<LineMarkView>>& GetLineMarkViews() const
    {
        return lineMarkViews_;
    }
    // Drops both lists of views.
    void Clear();

private:
    int FindBarIndex(const ScoreElement* bar) const;

    std::shared_ptr<Part> part_;
    BarRange range_;
    std::vector<std::shared_ptr<TieViewGroup>> tieViews_;
    std::vector<std::shared_ptr<LineMarkView>> lineMarkViews_;
    std::vector<std::size_t> candidates_;  // the places of the row's ties in the part's list
};

}  // namespace quaverly
