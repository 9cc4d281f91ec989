// X back to time inside the rectangle in which a bar is drawn: the inverse of
// TimePositionMapper, used where the pointer or a dragged mark gives an x.
#pragma once

#include <memory>

#include "engine/model/layout_types.h"

namespace quaverly {

class PositionMap;

class XPositionMapper {
public:
    // Shares the map (which may be empty); the rectangle starts as {0, 0, 0, 0}.
    explicit XPositionMapper(std::shared_ptr<const PositionMap> map);
    virtual ~XPositionMapper();
    XPositionMapper(const XPositionMapper&) = delete;
    XPositionMapper& operator=(const XPositionMapper&) = delete;

    void SetRect(const Rect& rect) { rect_ = rect; }
    const Rect& GetRect() const { return rect_; }

    // The time under x. The x is taken as a distance in the scaled space between the
    // margins: neither the rectangle's left edge nor the left margin is subtracted. It is
    // turned into map units and rounded up to the next whole unit unless its fraction
    // is below 0.01; the extra widths are counted into the extents of the segments that
    // hold their times (records outside every segment are dropped). An x in no segment
    // gives the end time of the last segment. Without segments, without a map, with a
    // total extent of 0 or without room between the margins the result is 0.
    virtual int XToTime(int x) const;

private:
    Rect rect_;
    std::shared_ptr<const PositionMap> map_;
};

}  // namespace quaverly
