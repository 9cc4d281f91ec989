// The state of one scroll bar in the desktop's terms: a range from min to max, a page
// (the part shown) and a position that runs from min to max - page + 1. A view keeps one
// per bar; the bar on the screen only shows it, and the view's scroll handlers decide
// where it moves.
#pragma once

#include <algorithm>

namespace platform {

// Bars.
inline constexpr int kSbHorz = 0;
inline constexpr int kSbVert = 1;

// Scroll codes of the scroll handlers.
inline constexpr int kSbLineUp = 0;
inline constexpr int kSbLineDown = 1;
inline constexpr int kSbPageUp = 2;
inline constexpr int kSbPageDown = 3;
inline constexpr int kSbThumbPosition = 4;
inline constexpr int kSbThumbTrack = 5;
inline constexpr int kSbTop = 6;
inline constexpr int kSbBottom = 7;
inline constexpr int kSbEndScroll = 8;

// Which fields of a ScrollInfo count.
inline constexpr unsigned kSifRange = 0x1;
inline constexpr unsigned kSifPage = 0x2;
inline constexpr unsigned kSifPos = 0x4;
inline constexpr unsigned kSifDisableNoScroll = 0x8;
inline constexpr unsigned kSifTrackPos = 0x10;
inline constexpr unsigned kSifAll = kSifRange | kSifPage | kSifPos | kSifTrackPos;

struct ScrollInfo {
    unsigned mask = kSifAll;
    int min = 0;
    int max = 0;
    unsigned page = 0;
    int pos = 0;
    int trackPos = 0;  // where the thumb is while it is dragged
};

class ScrollBarState {
public:
    // Applies the fields the mask names: the range first (a max below min becomes min),
    // then the page (at most the range's length), then the position; the position is
    // always kept within [min, MaxPosition()].
    void Set(const ScrollInfo& info);
    ScrollInfo Get() const;

    int Min() const { return min_; }
    int Max() const { return max_; }
    unsigned Page() const { return page_; }
    int Pos() const { return pos_; }
    int TrackPos() const { return trackPos_; }
    void SetTrackPos(int pos) { trackPos_ = std::clamp(pos, min_, MaxPosition()); }

    // The largest position: max - page + 1 (max for a page of 0), never below min.
    int MaxPosition() const;
    // Whether the range holds more than a page, so the bar has something to scroll.
    bool CanScroll() const { return MaxPosition() > min_; }

private:
    int min_ = 0;
    int max_ = 0;
    unsigned page_ = 0;
    int pos_ = 0;
    int trackPos_ = 0;
};

}  // namespace platform
