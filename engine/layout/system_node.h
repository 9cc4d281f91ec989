// One line of the laid-out score: a band that shows the bars [firstBar, endBar) of every
// part, one row (TrackNode) per part stacked top to bottom.
//
// Besides its rows the line places what belongs to the line as a whole: the key
// signatures of its bars and the opening time signature (in the marks row above the
// first row, next to each other and centred on each other), the tempo marks and
// expression texts above their bars, the part-group braces and brackets, the start line
// joining the rows, two barline views per bar column (joined where a repeat end meets a
// repeat start), the instrument names at the left of the rows, two handles (the left
// indent, which is the line's own offset x, and the right end, which is rightOffset x)
// and two screen-only marks (a forced line break after this line, a bars-per-line entry
// for this line).
//
// The line does not decide where lines and pages break: the editor's walkers make the
// lines with their index (the line number), their bar range and their width, put them
// on pages and lay them out. The line reads the score's tables and layout settings.
//
// Whatever the line places by the bars of its first row uses its first visible row, so
// a hidden first part moves nothing to the top of the page.
#pragma once

#include <memory>
#include <vector>

#include "engine/model/container_element.h"
#include "engine/model/edit_mark.h"

namespace quaverly {

class BarlineView;
class BarsPerLineMarkView;
class ExpressionText;
class KeySignature;
class LineBreakMarkView;
class PartGroupView;
class Score;
class SystemStartLine;
class TempoMark;
class TimeSignature;
class TrackNode;

class SystemNode : public ContainerElement {
public:
    explicit SystemNode(std::shared_ptr<Score> score);
    ~SystemNode() override;

    void SetModel(std::shared_ptr<Score> score) { score_ = std::move(score); }
    const std::shared_ptr<Score>& GetModel() const { return score_; }
    // Stores the range and hands it to every row.
    void SetBarRange(int first, int end);
    BarRange GetBarRange() const { return {firstBar_, endBar_}; }
    // Held to +-kMaxUserOffset, as a user offset is.
    void SetRightOffset(Point offset);
    Point GetRightOffset() const { return rightOffset_; }
    const std::shared_ptr<LayoutMarkC>& GetIndentMark() const { return indentMark_; }
    const std::shared_ptr<LayoutMarkC>& GetRightEndMark() const { return rightEndMark_; }
    void SetBarsPerLineMarkVisible(bool visible);
    // The index of the first row whose vertical band [top, bottom) holds the point's y,
    // or -1.
    int FindTrackAt(Point point) const;
    // Row i, or an empty pointer.
    std::shared_ptr<TrackNode> GetTrack(int i) const;

    const std::vector<std::shared_ptr<KeySignature>>& GetKeySignatures() const
    {
        return keySignatures_;
    }
    const std::vector<std::shared_ptr<TimeSignature>>& GetTimeSignatures() const
    {
        return timeSignatures_;
    }
    const std::vector<std::shared_ptr<TempoMark>>& GetTempoMarks() const { return tempoMarks_; }
    const std::vector<std::shared_ptr<ExpressionText>>& GetExpressionTexts() const
    {
        return expressionTexts_;
    }
    const std::vector<std::shared_ptr<PartGroupView>>& GetPartGroupViews() const
    {
        return partGroupViews_;
    }
    const std::vector<std::shared_ptr<SystemStartLine>>& GetStartLines() const
    {
        return startLines_;
    }
    const std::vector<std::shared_ptr<BarlineView>>& GetBarlineViews() const
    {
        return barlineViews_;
    }
    const std::shared_ptr<LineBreakMarkView>& GetLineBreakMark() const { return lineBreakMark_; }
    const std::shared_ptr<BarsPerLineMarkView>& GetBarsPerLineMark() const
    {
        return barsPerLineMark_;
    }

    // Joins the right barline of a bar ending a repeat with the left barline of a bar
    // starting one, then places and lays out every barline view.
    void JoinRepeatBarlines(ScorePainter& painter);

    // --- Element operations ---

    int Notify(ElementNotification& notification) override;
    void SetOrigin(Point origin) override;
    void SetPosition(Point position) override;
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    void OnButtonDown(Point point, int flags, int& handled) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;
    // {0, 0, left inset + rightOffset.x, 0}: the room the line takes beyond its bars.
    Rect GetExtraRect(ScorePainter& painter) override;
    void LayoutExtras(ScorePainter& painter) override;
    // The rows, then the two handles shown or hidden by the value.
    void BroadcastValue(int value) override;
    // Makes one row per part of the score, in part order.
    virtual void CreateTracks();

protected:
    // The first visible row (row 0 when none is visible), or an empty pointer.
    std::shared_ptr<TrackNode> FirstVisibleTrack() const;

private:
    std::vector<std::shared_ptr<TrackNode>> Tracks() const;
    std::vector<ElementPtr> LineElements() const;
    std::vector<ElementPtr> Marks() const;
    int LeftInset(ScorePainter& painter) const;
    void PlaceOwned();
    void LayoutBarlineViews();
    void StackTracks(ScorePainter& painter);
    void LayoutSystemMarks(ScorePainter& painter);
    void LayoutPartGroupViews(ScorePainter& painter);
    void LayoutInstrumentNames(ScorePainter& painter);
    int OnHandle(int id, const ScoreElement* sender, const NotificationPayload* payload);

    int firstBar_ = 0;
    int endBar_ = 0;
    std::vector<std::shared_ptr<KeySignature>> keySignatures_;
    std::vector<std::shared_ptr<TimeSignature>> timeSignatures_;
    std::vector<std::shared_ptr<TempoMark>> tempoMarks_;
    std::vector<std::shared_ptr<ExpressionText>> expressionTexts_;
    std::vector<std::shared_ptr<PartGroupView>> partGroupViews_;
    std::vector<std::shared_ptr<SystemStartLine>> startLines_;
    std::vector<std::shared_ptr<BarlineView>> barlineViews_;
    Point rightOffset_;
    Point dragStartOffset_;
    Point dragStartRightOffset_;
    std::shared_ptr<LayoutMarkC> indentMark_;
    std::shared_ptr<LayoutMarkC> rightEndMark_;
    std::shared_ptr<LineBreakMarkView> lineBreakMark_;
    std::shared_ptr<BarsPerLineMarkView> barsPerLineMark_;
    std::shared_ptr<Score> score_;
};

}  // namespace quaverly
