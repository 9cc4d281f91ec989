// The row of one part inside one laid-out line.
//
// A row shows the part's bars [firstBar, endBar) without owning them: seen through the
// element interface its children are those bars of the part, and inserting or removing
// children changes nothing. Its layout spreads the bars over the row's width in
// proportion to their natural widths (the last bar takes what is left, so the row ends
// exactly at its width), places the lines of the five lyric verses, and makes afresh
// the views of the part's ties and line marks that touch its bars. It holds the
// instrument name shown at the start of the row (the line places it), draws the row's
// base line and its selection frame, and owns seven screen-only handles: the position
// handle moves the row up and down (its own offset), the spacing handle changes the
// part's staff size (the room below the bar line) and the five verse handles change
// the distance of each verse. The handles never change the part themselves: every drag
// step reports a change in progress (1032, 1038, 1042) and the release one recorded
// change (1033, 1039, 1043) to the value the steps reached, when that differs from the
// value at the press. The release goes by what the row itself reported, never by the
// part, whose values change only when the steps' queued commands run.
//
// The row is hit by a point inside its own rectangle or inside one of its bars; a press
// elsewhere deselects it, a double click on it with the keep-selection flag selects it.
//
// The staff size and verse offsets are used as they stand; a value still marked as not
// set (or negative) counts as 0, so an unfinished part never folds the row upward.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "engine/layout/track_mark_views.h"
#include "engine/model/container_element.h"
#include "engine/model/edit_mark.h"

namespace quaverly {

class Bar;
class InstrumentNameText;
class LineMarkView;
class Part;
class TieViewGroup;

class TrackNode : public ContainerElement {
public:
    static constexpr int kVerseCount = 5;

    TrackNode();
    ~TrackNode() override;

    void SetPart(std::shared_ptr<Part> part);
    const std::shared_ptr<Part>& GetPart() const { return part_; }
    void SetBarRange(int first, int end);
    BarRange GetBarRange() const { return {firstBar_, endBar_}; }
    // Bar i of the row (bar firstBar + i of the part), or an empty pointer.
    std::shared_ptr<Bar> GetBar(int i) const;

    void SetInstrumentName(std::shared_ptr<InstrumentNameText> name);
    const std::shared_ptr<InstrumentNameText>& GetInstrumentName() const { return name_; }
    void ClearInstrumentName();

    const std::shared_ptr<LayoutMarkA>& GetPositionMark() const { return positionMark_; }
    const std::shared_ptr<CursorLineMark>& GetSpacingMark() const { return spacingMark_; }
    const std::shared_ptr<LayoutMarkF>& GetVerseMark(int verse) const;
    void SetShowBaseLine(bool show) { showBaseLine_ = show; }
    bool GetShowBaseLine() const { return showBaseLine_; }
    // Shows or hides the verse handles 0 to k, k the highest verse with text on a note
    // of the row (0 when none).
    void ShowVerseMarks(bool visible);

    // The views made by the last layout.
    const std::vector<std::shared_ptr<TieViewGroup>>& GetTieViews() const
    {
        return marks_.GetTieViews();
    }
    const std::vector<std::shared_ptr<LineMarkView>>& GetLineMarkViews() const
    {
        return marks_.GetLineMarkViews();
    }
    // Rebuild the views (the layout does both; commands that change a line mark
    // rebuild the rows of its two ends).
    void BuildTieViews(ScorePainter& painter) { marks_.BuildTieViews(*this, painter); }
    void BuildLineMarkViews(ScorePainter& painter) { marks_.BuildLineMarkViews(*this, painter); }
    bool HasBarInRange(const ScoreElement* bar) const { return marks_.HasBarInRange(bar); }

    // Gives every bar of the row the place of each verse's lyric line and puts the
    // verse handles at the bottom of those lines.
    void PlaceVerses(ScorePainter& painter);
    // How far below the row's top its wedges and dynamics reach; 0 without any.
    int MarksBelowBottom(ScorePainter& painter, const std::vector<std::shared_ptr<Bar>>& bars) const;
    // The room kept between those marks and the first verse line, 0.01 mm: two pixels at
    // 96 dpi at the smallest zoom, with a pixel each side for the soft edges of the ink.
    static constexpr int kMarkClearance = 212;

    // --- Element operations ---

    int Notify(ElementNotification& notification) override;
    int GetChildCount() const override;
    ElementPtr GetChild(int i) const override;
    void InsertChild(int i, ElementPtr child) override;  // nothing
    void RemoveChild(int i) override;                    // nothing
    void Select() override;    // state 2 only
    void Deselect() override;  // state 1 only
    // {0, 0, 0, staff size + bar-line height}; empty when hidden.
    Rect GetExtent(ScorePainter& painter) override;
    // Store the point, then give the row's absolute point to its bars, views and
    // handles.
    void SetOrigin(Point origin) override;
    void SetPosition(Point position) override;
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    void OnButtonDown(Point point, int flags, int& handled) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    void OnDoubleClick(Point point, int flags, int& handled) override;
    bool HitTest(Point point) const override;
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;
    // Places the position and spacing handles.
    void LayoutExtras(ScorePainter& painter) override;
    // Nothing: a row makes no rows.
    virtual void CreateTracks() {}

private:
    std::vector<std::shared_ptr<Bar>> RangeBars() const;
    // Per column of the range, the largest position-map extent among the bars of that
    // column in the line's visible rows of the same range (this row included).
    std::vector<double> ColumnExtents() const;
    // The views, the handles and the name, in event order.
    std::vector<ElementPtr> OwnedElements() const;
    void PlaceOwned();
    int StaffSize() const;
    int VerseOffset(int verse) const;
    int OnHandle(int id, const ScoreElement* sender, const NotificationPayload* payload);
    int SendChange(int id, NotificationPayload& payload);

    int firstBar_ = 0;
    int endBar_ = 0;
    std::shared_ptr<Part> part_;
    TrackMarkViews marks_;
    std::shared_ptr<InstrumentNameText> name_;
    int dragTotal_ = 0;
    int dragStartSpacing_ = 0;
    Point dragStartOffset_;
    int dragStartVerseOffset_ = 0;
    std::shared_ptr<LayoutMarkA> positionMark_;
    std::shared_ptr<CursorLineMark> spacingMark_;
    std::array<std::shared_ptr<LayoutMarkF>, kVerseCount> verseMarks_;
    bool showBaseLine_ = true;
};

}  // namespace quaverly
