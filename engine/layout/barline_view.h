// The barlines of one bar position and side across the visible rows of a line, drawn as
// one element: a barline on every row, the joining pieces between the rows of a joined
// group, and the free symbols attached to each barline, stacked around it by placement.
//
// The line gives the view, for each row top to bottom, the bar at that position and
// what the view needs of that bar's barline on its side (a BarlineViewEntry); the view
// lays out and draws from those. Selection and colour are mirrored into every barline,
// and key and pointer events reach every attached symbol.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "engine/model/editable_element.h"

namespace quaverly {

class SymbolMark;

// The side of a bar a barline view shows.
namespace barline_side {
inline constexpr int kLeft = 0;
inline constexpr int kRight = 1;
}  // namespace barline_side

// One row's bar and its barline on the view's side, as the line reads them from the
// bar when it builds the view. A model barline's own style and mark value are read when
// the view draws; type and markValue stand for them when the entry has no model barline.
struct BarlineViewEntry {
    std::shared_ptr<ScoreElement> bar;      // placed by its row: origin, position, rectangle
    std::shared_ptr<ScoreElement> barline;  // the parent of its symbols
    int type = 1;                           // the barline's style
    int markValue = 0;                      // the value of the barline's mark
    std::vector<std::shared_ptr<SymbolMark>> symbols;
};

class BarlineView final : public EditableElement {
public:
    explicit BarlineView(int side = barline_side::kLeft);  // colour 16, not draggable

    int GetSide() const { return side_; }
    // A row's bar; an entry without a bar is ignored.
    void AppendBar(BarlineViewEntry entry);
    const std::vector<BarlineViewEntry>& GetBars() const { return bars_; }
    // A joined group of rows (first, last), as row indices into the bars.
    void AppendJoinedPair(int first, int last);
    void SetJoined(bool joined) { joined_ = joined; }
    bool IsJoined() const { return joined_; }
    // The mark value of the first row's barline; 0 without bars.
    int GetType() const;

    // Relative to the view's absolute point.
    const std::vector<Rect>& GetBarlineRects() const { return barlineRects_; }
    const std::vector<Rect>& GetJoiningRects() const { return joiningRects_; }

    void SetOrigin(Point origin) override;
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    void OnButtonDown(Point point, int flags, int& handled) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    int SetState(int state) override;
    int SetColor(int color) override;
    // Inside any barline or joining rectangle, edges included.
    bool HitTest(Point point) const override;
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;

private:
    template <class F>
    void ForEachSymbol(F&& f);
    void LayoutSymbols(ScorePainter& painter);

    int side_;
    std::vector<BarlineViewEntry> bars_;
    std::vector<std::pair<int, int>> pairs_;
    bool joined_ = false;
    std::vector<Rect> barlineRects_;
    std::vector<Rect> joiningRects_;
};

}  // namespace quaverly
