// The brace or bracket of a part group at the left end of a line, over the rows of the
// parts the group covers, with two handles that move the group's first and last part.
//
// Dragging a handle reports the bound being moved (1044 on every step, the row under the
// pointer is found by the line above) and, at release, one recorded change (1045) to
// the bound the steps reached, when it differs from the bound at the press. Dragging the view itself moves the group's offset.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "engine/model/edit_mark.h"
#include "engine/model/editable_element.h"

namespace quaverly {

class PartGroup;

class PartGroupView final : public EditableElement {
public:
    PartGroupView();  // horizontal drags only; two hidden handles

    void BindModelElement(std::shared_ptr<PartGroup> group) { group_ = std::move(group); }
    const std::shared_ptr<PartGroup>& GetPartGroup() const { return group_; }
    // The rows the group covers, top to bottom.
    void AppendTrack(std::shared_ptr<ScoreElement> track);
    const std::vector<std::shared_ptr<ScoreElement>>& GetTracks() const { return tracks_; }
    const std::shared_ptr<LayoutMarkD>& GetTopHandle() const { return topHandle_; }
    const std::shared_ptr<LayoutMarkD>& GetBottomHandle() const { return bottomHandle_; }
    // The pointer at the last move.
    Point GetLastPointer() const { return pointer_; }

    // Records from the handles: a press saves the group's bounds, a drag step sends
    // 1044, a release 1045 when the bound the steps asked for differs from the saved
    // one (the group itself changes only when the steps' commands run). Every record
    // then goes on to the parent with this view as its sender.
    int Notify(ElementNotification& notification) override;
    // Also forgets the rows.
    void ClearChildren() override;
    // 1011: remove the part group.
    void DeleteSelected() override;
    void SetOrigin(Point origin) override;
    // The view's offset; while selected also the group's, and then 1046.
    void SetOffset(Point offset) override;
    // Each event also goes to both handles; a move also stores the pointer.
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    void OnButtonDown(Point point, int flags, int& handled) override;
    void OnPointerMove(Point point, int flags) override;
    void OnButtonUp(Point point, int flags) override;
    // Left of the first row, from its top to the bottom of the last row's bar-line
    // area; the handles at the top and the bottom. Nothing without rows.
    void Layout(ScorePainter& painter) override;
    // The bracket (a non-zero group type) or the brace, then the handles while the view
    // or that handle is selected.
    void Draw(ScorePainter& painter) override;

private:
    std::shared_ptr<PartGroup> group_;
    std::vector<std::shared_ptr<ScoreElement>> tracks_;
    Point pointer_;
    std::shared_ptr<LayoutMarkD> topHandle_;
    std::shared_ptr<LayoutMarkD> bottomHandle_;
    int savedFirst_ = 0;
    int savedLast_ = 0;
    int reportedPart_ = -1;  // the bound the last accepted drag step asked for
};

}  // namespace quaverly
