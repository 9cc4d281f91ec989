// Where a pointer position lies in the laid-out score: the line on the page, the row,
// the bar and the time inside that bar.
#pragma once

namespace quaverly {

class ScoreElement;

// The place LocatePointer finds: indices along the path page -> line -> row -> bar, and
// a time in ticks inside the bar.
struct PointerLocation {
    int system = 0;
    int track = 0;
    int bar = 0;
    int time = 0;

    friend bool operator==(const PointerLocation&, const PointerLocation&) = default;
};

// Looks for the bar that holds (x, y) on page `page` of the layout root: lines before
// rows before bars, in child order, hidden rows skipped; a bar's rectangle moved by its
// origin and position holds the point with its edges included, and the first bar found
// wins. The time is 0 left of the bar's first note, the end time of the note to the
// left between two notes, the start time of a note the point lies on, and the end of
// the last note right of it (0 in a bar without notes).
//
// Returns false and leaves `location` untouched when no bar holds the point, also for a
// page index that is no page of the root.
bool LocatePointer(int x, int y, const ScoreElement& root, int page, PointerLocation& location);

}  // namespace quaverly
