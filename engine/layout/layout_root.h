// The root of the laid-out score: its children are the pages. Keys, pointer events and
// drawing go to the current page only. The root keeps the block selection: a click on
// a bar with the keep-selection flag grows the block to that bar, a click on a bar
// inside the block keeps it, any other click clears it; a double click on a bar starts
// a block there. On their way to the edit controller the records from a page get the
// page's index (or the page itself) written in.
//
// The current page is whatever index the editor's page operations set, with no upper
// limit; an index that is no page reaches no page and draws nothing but the block.
#pragma once

#include <memory>

#include "engine/layout/selection_range.h"
#include "engine/model/container_element.h"

namespace quaverly {

class SystemNode;

// The first line, over the pages of the root in order, whose bar range holds the bar;
// empty when none does.
std::shared_ptr<SystemNode> FindSystemOfBar(const ScoreElement& root, int bar);
// The same, with the index of the page it lies on.
std::shared_ptr<SystemNode> FindSystemOfBar(const ScoreElement& root, int bar, int* page);

class LayoutRoot final : public ContainerElement {
public:
    LayoutRoot();
    ~LayoutRoot() override;
    LayoutRoot(const LayoutRoot&) = delete;

    std::shared_ptr<SelectionRange> GetSelection() const { return selection_; }
    void SetCurrentPage(int page) { currentPage_ = page; }
    int GetCurrentPage() const { return currentPage_; }
    // The page shown, or an empty pointer when the current index is no page.
    ElementPtr GetCurrentPageNode() const { return GetChild(currentPage_); }
    // {part, bar} of the bar the current press selected; bar -1 when none.
    Point GetAnchor() const { return anchor_; }

    std::shared_ptr<SystemNode> FindSystemOfBar(int bar) const
    {
        return quaverly::FindSystemOfBar(*this, bar);
    }

    int Notify(ElementNotification& notification) override;
    // Removes the pages, goes back to page 0 and clears the block.
    void ClearChildren() override;
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    void OnButtonDown(Point point, int flags, int& handled) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    void OnDoubleClick(Point point, int flags, int& handled) override;
    void Layout(ScorePainter& painter) override;
    // The current page, then the block's highlight.
    void Draw(ScorePainter& painter) override;

private:
    int currentPage_ = 0;
    Point anchor_{0, -1};  // x: part index, y: bar index
    std::shared_ptr<SelectionRange> selection_;
};

}  // namespace quaverly
