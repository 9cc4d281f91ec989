// The common base of the views that show one line mark on one laid-out row.
//
// A line mark is stored once, by its start bar and time, its duration and one shape
// value (the radian). Every row it touches makes a view of its own for the piece that
// row shows: the whole mark (segment 0), its start piece running to the row's end (1),
// a middle piece through the whole row (2) or an end piece from the row's start (3).
// The views are made afresh at every layout of the row, compute their start and end
// points from the part's bars and draw them through one painter operation; they never
// change the line mark (edits go up the tree as notifications).
//
// The view's absolute point is origin (the row's absolute point) + position (set from
// the kind's placement) + offset (the line mark's user offset); the start and end points
// are relative to it. What differs between the kinds is read from their style row
// (line_mark_style.h); what differs between whole, start and continued pieces lives in
// the three piece bases.
#pragma once

#include <memory>
#include <utility>

#include "engine/layout/line_mark_style.h"
#include "engine/model/edit_mark.h"
#include "engine/model/editable_element.h"

namespace quaverly {

class LineMark;
class Part;

// The piece of a line mark that a row shows.
namespace line_mark_segment {
inline constexpr int kWhole = 0;
inline constexpr int kStart = 1;
inline constexpr int kMiddle = 2;
inline constexpr int kEnd = 3;
}  // namespace line_mark_segment

class LineMarkView : public EditableElement {
public:
    ~LineMarkView() override;

    void SetSegment(int segment) { segment_ = segment; }
    int GetSegment() const { return segment_; }
    // The part whose bars the mark lies on (its children by global bar index).
    void SetPart(std::shared_ptr<Part> part) { part_ = std::move(part); }
    const std::shared_ptr<Part>& GetPart() const { return part_; }
    void SetLineMark(std::shared_ptr<LineMark> mark) { lineMark_ = std::move(mark); }
    const std::shared_ptr<LineMark>& GetLineMark() const { return lineMark_; }
    // The row's bars [first, end).
    void SetBarRange(int first, int end);
    int GetFirstBar() const { return firstBar_; }
    int GetEndBar() const { return endBar_; }

    // Relative to the view's absolute point.
    Point GetStartPoint() const { return start_; }
    Point GetEndPoint() const { return end_; }

    const LineMarkStyle& GetStyle() const { return *style_; }
    // The style row of this view's own class.
    const LineMarkPieceStyle& GetPieceStyle() const { return *piece_; }
    // The class name of the table, for diagnostics and tests.
    const char* GetClassName() const { return piece_->className; }
    // The end handle and the smooth slur's bulge handle; empty where the class has none.
    const std::shared_ptr<LayoutMarkG>& GetEndHandle() const { return endHandle_; }
    const std::shared_ptr<LayoutMarkG>& GetBulgeHandle() const { return bulgeHandle_; }

    // Asks for the removal of the line mark (1020 with the mark and its part).
    void DeleteSelected() override;

    // --- Editing on screen ---
    //
    // The view never changes its line mark: moves report 1047 while the pointer moves
    // and 1048 at the release, reshapes through the end or bulge handle 1049 and 1050;
    // the edit controller turns them into commands and the next layout shows the
    // result. Whole and start pieces move the mark's start; continued pieces move as
    // any editable element.

    // Records of the view's handles are answered first; every record is then passed on
    // to the parent.
    int Notify(ElementNotification& notification) override;
    // Moves the start to the bar and time under the start x at the press (or before the
    // nudge) plus the delta, and reports 1047.
    void MoveBy(Point delta, int flags) override;
    void NudgeLeft() override;
    void NudgeRight() override;
    void NudgeUp() override;
    void NudgeDown() override;
    // Selection (continued pieces never take a press), the handles, and the span saved
    // for the drag; the selection state is copied into the line mark so that the views
    // of the next layout come up selected.
    void OnButtonDown(Point point, int flags, int& handled) override;
    // A grabbed whole or start piece moves by the pointer's total movement since the
    // press; then the handles.
    void OnPointerMove(Point point, int flags) override;
    // Reports the finished move, then the handles; a finished bulge drag reports 1050.
    void OnButtonUp(Point point, int flags) override;
    // The end handle was dragged: the duration and slope that put the mark's end under
    // the pointer (1049). Nothing when the pointer lies outside every bar of the row.
    virtual void DragEndTo(Point delta);
    // Also gives the handles the origin.
    void SetOrigin(Point origin) override;
    // Per the piece's hit kind (slope line, rectangle or never).
    bool HitTest(Point point) const override;
    // Placement, the line mark's offset, the two points, then the rectangle and the
    // handles.
    void Layout(ScorePainter& painter) override;
    // The piece through its painter operation, then the handles.
    void Draw(ScorePainter& painter) override;

protected:
    // `style` and `piece` are rows of the style table and outlive the view.
    LineMarkView(const LineMarkStyle& style, const LineMarkPieceStyle& piece);

    virtual void ComputeStart() = 0;
    virtual void ComputeEnd() = 0;

    void SetStartPoint(Point point) { start_ = point; }
    void SetEndPoint(Point point) { end_ = point; }

    // Start rule of whole and start pieces: x of the mark's start time, y 0.
    void ComputeStartAtMark();
    // Start rule of continued pieces: the left edge of the row's first bar, at the
    // height the sloped line has reached there (0 for the smooth slur).
    void ComputeStartAtRowStart();
    // The end x (relative to the view) of a piece whose mark ends in bar e at time t:
    // past the row's last bar, the right edge of that bar; otherwise the left edge of
    // bar e for t <= 0 (for t = 0 the x of time 0 when `leftEdgeAtZero` is false), the x
    // of t inside it, or its right edge for t at or past its length.
    int EndX(bool leftEdgeAtZero) const;
    // The end point from the end x: sloped by the radian for straight kinds and flat
    // slurs, level for smooth slurs, straight down by the radian for arpeggios.
    void SetEndFromX(int x);
    // The right edge of the row's last bar, relative to the view.
    int RowEndX() const;

    // The flat slur's start piece stops half a note short of its end point.
    virtual bool ShortensFlatSlur() const { return false; }

private:
    bool IsContinued() const;
    // The mark's span and offset and the piece's start x (relative to the origin).
    void SaveSpan();
    void SaveShape();  // duration and radian, at a handle press
    // 1048 when the start or offset this view last reported (1047) differs from the
    // saved span.
    void ReportMove();
    // The later of the end bars of the saved span and of the same span from (bar,
    // position).
    int LastBarOfMove(int bar, int position) const;
    // 1050 when the shape this view last reported (1049) differs from the one saved at
    // the handle's press: in radian, or in duration too when asked.
    void ReportReshape(bool durationToo);
    void SendReshape(int id, int newDuration, double newRadian);
    void DragBulge();
    void ShowHandleFor(Point point);
    // Whether the point lies on the drawn piece as `hit` takes it: near the slope line,
    // or inside the rectangle (continued pieces never hit-test, but their handle shows
    // on a press on them).
    bool LiesOnPiece(Point point, LineMarkHit hit) const;
    void PlaceHandles(ScorePainter& painter);
    Point AbsoluteStart() const;
    float Radian() const;

    const LineMarkStyle* style_;
    const LineMarkPieceStyle* piece_;
    int segment_ = 0;
    std::shared_ptr<Part> part_;
    std::shared_ptr<LineMark> lineMark_;
    int firstBar_ = 0;
    int endBar_ = 0;
    Point start_;
    Point end_;
    std::shared_ptr<LayoutMarkG> endHandle_;
    std::shared_ptr<LayoutMarkG> bulgeHandle_;

    // Saved at a press, before a nudge and at a handle press; lost at the next layout.
    int savedBar_ = 0;
    int savedPosition_ = 0;
    int savedDuration_ = 0;
    Point savedOffset_;
    int savedStartX_ = 0;  // x_start + position x + offset x
    Point pressPoint_;
    int shapeDuration_ = 0;
    double shapeRadian_ = 0.0;
    bool bulgeDragging_ = false;  // the bulge handle was pressed and not yet released
    // The last place (1047) and shape (1049) this view asked for since the press.
    struct ReportedMove {
        bool sent = false;
        int bar = 0;
        int position = 0;
        Point offset;
    };
    struct ReportedShape {
        bool sent = false;
        int duration = 0;
        double radian = 0.0;
    };
    ReportedMove reportedMove_;
    ReportedShape reportedShape_;
};

}  // namespace quaverly
