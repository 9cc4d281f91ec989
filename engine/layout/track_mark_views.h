// The tie and line-mark views of one row: the pieces of the part's ties and line marks
// that fall into the row's bars [first, end).
//
// Ties and line marks are stored once per part, whatever the rows they cross; every row
// decides from bar indices alone which piece it shows (whole, start, middle or end) and
// makes its views afresh at each layout. The row element itself is passed in: the views
// take it as their parent and its absolute point as their origin. Building the views only
// reads the score: a tie whose end note is missing is drawn open; giving it an end is the
// work of the command that changed the notes (FindOpenTieEnd).
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "engine/model/layout_types.h"
#include "engine/model/tie.h"

namespace quaverly {

class Bar;
class LineMark;
class LineMarkView;
class Note;
class Part;
class ScoreElement;
class ScorePainter;
class TieViewGroup;

// The first note of the bar whose start time is after `time`, or an empty pointer; a
// time of -1 gives the bar's first note.
std::shared_ptr<Note> FindFirstElementAfter(const Bar& bar, int time);

// Where a tie without end note would end: the next note of its start bar (or the first
// note of the following bar) when that note has the start note's pitch code; an empty
// anchor otherwise, and for a tie whose start bar is not one of the part's bars.
NoteAnchor FindOpenTieEnd(const Part& part, const Tie& tie);

class TrackMarkViews {
public:
    void SetPart(std::shared_ptr<Part> part) { part_ = std::move(part); }
    const std::shared_ptr<Part>& GetPart() const { return part_; }
    void SetBarRange(int first, int end) { range_ = {first, end}; }
    BarRange GetBarRange() const { return range_; }

    // True when one of the part's bars first .. end - 1 is that bar.
    bool HasBarInRange(const ScoreElement* bar) const;

    // Erases the tie views and makes one for every tie of the part that starts or ends
    // in the range; an open tie is drawn twice the note height long.
    void BuildTieViews(ScoreElement& row, ScorePainter& painter);
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
    std::shared_ptr<Part> part_;
    BarRange range_;
    std::vector<std::shared_ptr<TieViewGroup>> tieViews_;
    std::vector<std::shared_ptr<LineMarkView>> lineMarkViews_;
    std::vector<std::size_t> candidates_;  // the places of the row's ties in the part's list
};

}  // namespace quaverly
