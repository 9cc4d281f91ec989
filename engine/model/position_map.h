// A bar's time-to-x map.
//
// The layout engine fills one map for every bar of a laid-out column: the bar's length
// and meter, its margins, and the pieces that turn a time position inside the bar
// (ticks, note_time.h) into a horizontal distance:
// - segments {start time, time length, x offset, x extent}, in time order: inside a
//   segment the x grows linearly with the time;
// - extra widths {time, width}: room inserted in front of the note that starts at that
//   time (an accidental, a grace list, a beat gap), one record per distinct time.
// Offsets, extents, margins and widths are map units: layout units of the bar laid out
// at its natural width. A bar drawn in a rectangle of another width scales everything
// between its two margins alike (TimePositionMapper, XPositionMapper); the margins
// themselves never scale.
//
// The bar holds its map through a shared pointer and gets a new one at every layout of
// its column.
#pragma once

#include <utility>
#include <vector>

namespace quaverly {

// One linear piece of the map: times [startTime, startTime + timeLength) cover the x
// range [xOffset, xOffset + xExtent).
struct MapSegment {
    int startTime = 0;
    int timeLength = 0;
    int xOffset = 0;
    int xExtent = 0;

    friend bool operator==(const MapSegment&, const MapSegment&) = default;
};

// Room inserted before the note that starts at `time`.
struct ExtraWidth {
    int time = 0;
    int width = 0;

    friend bool operator==(const ExtraWidth&, const ExtraWidth&) = default;
};

class PositionMap {
public:
    // Length 0, a 4/4 meter, no margins, column adjust 0, scale 1, no segments and no
    // extra widths.
    PositionMap() = default;

    // The bar's length in ticks (whole beats covering its notes).
    void SetLength(int length) { length_ = length; }
    int GetLength() const { return length_; }
    // {beats, beat type}.
    void SetMeter(int beats, int beatType);
    std::pair<int, int> GetMeter() const { return {beats_, beatType_}; }
    void SetLeftMargin(int margin) { leftMargin_ = margin; }
    int GetLeftMargin() const { return leftMargin_; }
    void SetRightMargin(int margin) { rightMargin_ = margin; }
    int GetRightMargin() const { return rightMargin_; }
    // The sum of the manual width adjustments of the bars of the column.
    void SetColumnAdjust(float adjust) { columnAdjust_ = adjust; }
    float GetColumnAdjust() const { return columnAdjust_; }
    // The factor by which the row stretched the bar's notes when it placed the bar.
    void SetScale(float scale) { scale_ = scale; }
    float GetScale() const { return scale_; }

    // Appends a segment; the layout appends them in time order.
    void AddSegment(const MapSegment& segment) { segments_.push_back(segment); }
    std::vector<MapSegment>& GetSegments() { return segments_; }
    const std::vector<MapSegment>& GetSegments() const { return segments_; }

    // Adds the width to the record of that time, or appends a record {time, width} when
    // there is none yet.
    void AddExtraWidth(int time, int width);
    // Orders the extra-width records by time (records of equal time keep their order).
    void SortExtraWidths();
    std::vector<ExtraWidth>& GetExtraWidths() { return extraWidths_; }
    const std::vector<ExtraWidth>& GetExtraWidths() const { return extraWidths_; }

    // The sum of all segment extents and all extra widths (held to the int range).
    int GetTotalExtent() const;

private:
    int length_ = 0;
    int beats_ = 4;
    int beatType_ = 4;
    int leftMargin_ = 0;
    int rightMargin_ = 0;
    float columnAdjust_ = 0.0f;
    float scale_ = 1.0f;
    std::vector<MapSegment> segments_;
    std::vector<ExtraWidth> extraWidths_;
};

// The piecewise-linear mapping of a time through the segments, extra widths left out.
// The first segment with start <= time < start + length gives
// xOffset + trunc((time - start) / length * xExtent), computed in floating point. A time
// in no segment (before the first, in a gap, at or after the end of the last) gives the
// right end (xOffset + xExtent) of the last segment; no segments give 0.
int MapTimeThroughSegments(const std::vector<MapSegment>& segments, int time);

}  // namespace quaverly
