// One page of the laid-out score. Its children are the lines the editor's walkers put on
// it; besides them it owns the views of the free page texts of its page and the marker
// of a fixed number of lines on it, rebuilt at every layout of the page (the lines lay
// themselves out). It draws its border while the page-border view flag is on.
//
// Every record from below climbs through the page, which writes in which of its lines
// (or page-text views) the record came through. A page-text view released after a drag
// asks for a move of its page text: the page turns that request (1060) into its own
// record (1067) carrying the page text, so the controller records the move of the text,
// not of its short-lived view.
//
// The page's element index is its page number, counted from 0, with no upper limit.
#pragma once

#include <memory>
#include <vector>

#include "engine/model/container_element.h"

namespace quaverly {

class LinesPerPageMarkView;
class PageTextView;
class Score;

class PageNode : public ContainerElement {
public:
    // How far (layout units) what a line or a row draws may reach past its rectangle:
    // stacked note marks, tempo marks and texts above it, a little below and to the sides.
    static constexpr int kInkReachAbove = 3000;
    static constexpr int kInkReachBelow = 1000;
    // The rectangle widened by that reach.
    static Rect InkReach(const Rect& rect);

    explicit PageNode(std::shared_ptr<Score> score = nullptr);  // colour 4, border on
    ~PageNode() override;

    void SetModel(std::shared_ptr<Score> score) { score_ = std::move(score); }
    const std::shared_ptr<Score>& GetModel() const { return score_; }
    void SetShowBorder(bool show) { showBorder_ = show; }
    bool GetShowBorder() const { return showBorder_; }
    const std::shared_ptr<LinesPerPageMarkView>& GetLinesPerPageMark() const { return marker_; }
    const std::vector<std::shared_ptr<PageTextView>>& GetPageTextViews() const
    {
        return textViews_;
    }

    int Notify(ElementNotification& notification) override;
    void SetOrigin(Point origin) override;
    void SetPosition(Point position) override;
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    void OnButtonDown(Point point, int flags, int& handled) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    void OnDoubleClick(Point point, int flags, int& handled) override;
    // The marker and the page-text views; the lines are laid out by themselves.
    void Layout(ScorePainter& painter) override;
    // The lines, the border while it is on, the marker and the page texts.
    void Draw(ScorePainter& painter) override;

private:
    std::vector<ElementPtr> Owned() const;
    void PlaceOwned();

    bool showBorder_ = true;
    std::shared_ptr<LinesPerPageMarkView> marker_;
    std::vector<std::shared_ptr<PageTextView>> textViews_;
    std::shared_ptr<Score> score_;
};

}  // namespace quaverly
