// The flat-slur pieces that draw a tie on a laid-out row.
//
// A tie is a model element between two notes; each row it touches shows it through one
// of these views: the whole tie, the start piece running to the end of the start note's
// bar (the end note is on a later row) or the end piece coming in from the row's left
// edge. The row makes them afresh at every layout, places them and gives them their
// length; they may only be dragged up and down, and a selected view moves the tie's own
// offset with it so the next layout keeps it.
#pragma once

#include <memory>
#include <utility>

#include "engine/model/editable_element.h"

namespace quaverly {

class Tie;

class TieViewGroup : public EditableElement {
public:
    TieViewGroup();  // vertical drags only

    void BindModelElement(std::shared_ptr<Tie> tie) { tie_ = std::move(tie); }
    const std::shared_ptr<Tie>& GetTie() const { return tie_; }
    // The horizontal extent of the drawn tie.
    void SetLength(int length) { length_ = length; }
    int GetLength() const { return length_; }

    // Asks for the removal of the tie (1005 through this view's own Notify), then tells
    // the elements that hold the tie's start and end notes that their ties changed
    // (1030, sent to each directly; once when they are the same element).
    void DeleteSelected() override;
    // Sets the view's offset, and the tie's as well while the view is selected.
    void SetOffset(Point offset) override;
    // The children, then the rectangle (0, -flat-slur height, length, 0).
    void Layout(ScorePainter& painter) override;
    // The group itself draws only its children.

private:
    std::shared_ptr<Tie> tie_;
    int length_ = 0;
};

// A tie whose two notes lie on the same row (or that has no end note yet).
class TieView final : public TieViewGroup {
public:
    void Draw(ScorePainter& painter) override;
};

// The start of a tie whose end note lies on a later row.
class TieStartView final : public TieViewGroup {
public:
    void Draw(ScorePainter& painter) override;
};

// The end of a tie whose start note lies on an earlier row.
class TieEndView final : public TieViewGroup {
public:
    void Draw(ScorePainter& painter) override;
};

}  // namespace quaverly
