// One line (system) of a score's hand-made line layout as a document keeps it: which
// bars it spans, whether it is shown, its offsets, and one record per part row.
//
// The bar range is half-open here, [firstBar, endBar), as the laid-out lines hold it;
// the document writes the first and the last bar, both included, so the heading line
// with no bars comes out with its last bar before its first.
#pragma once

#include <string>
#include <vector>

#include "engine/model/layout_types.h"

namespace quaverly {

// One part row of a saved line.
struct TrackRecord {
    int number = 0;  // 0-based part index
    bool show = true;
    Point offset;
    std::u16string instrumentName;
    Point nameOffset;

    friend bool operator==(const TrackRecord&, const TrackRecord&) = default;
};

struct SystemRecord {
    int number = 0;  // 0-based line index; the heading is line 0
    int firstBar = 0;
    int endBar = 0;  // one past the last bar
    bool show = true;
    Point offset;
    Point rightOffset;
    std::vector<TrackRecord> tracks;

    friend bool operator==(const SystemRecord&, const SystemRecord&) = default;
};

}  // namespace quaverly
