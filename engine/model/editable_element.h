// The intermediate class of every element the user can select with the pointer, drag,
// nudge with the arrow keys and delete: notes and their sub-elements, symbols, texts,
// marks and line marks.
//
// It turns the pointer and key events that reach it through the tree into selection,
// into a live drag of its own offset and into move requests that climb the tree to
// the edit controller, which records them as undoable commands:
// - a press that hits the element (and that no earlier element took) selects it and
//   grabs it; a press elsewhere deselects it unless the flags keep selections;
// - every pointer move while grabbed moves the offset at once (MoveBy) and reports a
//   move in progress (1059);
// - the release reports one move request (1060) from the offset at the press to the
//   current one, when they differ;
// - with the keep-selection flag, the arrow keys move the offset by 31 units and ask
//   for that move (1060), so a second key before the first move was drawn goes on
//   from where the first one ended.
// Move reports start at the parent: the element's own Notify is bypassed.
#pragma once

#include "engine/model/score_element.h"

namespace quaverly {

// Bits of the axis mask: which offset components the user may drag.
namespace drag_axis {
inline constexpr int kX = 1;
inline constexpr int kY = 2;
inline constexpr int kBoth = kX | kY;
}  // namespace drag_axis

// The distance of one nudge with an arrow key, in layout units.
inline constexpr int kNudgeStep = 31;

class EditableElement : public ScoreElement {
public:
    EditableElement() = default;

    void SetAxisMask(int mask) { axisMask_ = mask; }
    int GetAxisMask() const { return axisMask_; }
    // Forgets that the button is held: the element follows no further pointer moves
    // until the next press reaches it.
    void ReleaseButton() { buttonDown_ = false; }

    // Moves the offset by the delta, leaving out an axis that the flags freeze
    // (input_flag::kFreezeX, kFreezeY) or the axis mask forbids, then reports 1059
    // {old offset, new offset} starting at the parent.
    void MoveBy(Point delta, int flags) override;
    // Each asks (1060, starting at the parent) for a move of kNudgeStep units; the offset
    // changes only when the command built from the request runs.
    void NudgeLeft() override;
    void NudgeRight() override;
    void NudgeUp() override;
    void NudgeDown() override;

    // The base behaviour (children, then Delete on a selected element); then, on a
    // selected element and with the keep-selection flag, the arrow keys nudge.
    void OnKeyDown(int key, int flags) override;
    void OnInputEvent(int first, int second) override;
    // Visible children first; then select and grab on a hit that nobody took yet (and
    // mark the press taken), else deselect unless the flags keep selections.
    void OnButtonDown(Point point, int flags, int& handled) override;
    // Visible children first; then, while grabbed with the button down, MoveBy the
    // pointer's movement since the last event.
    void OnPointerMove(Point point, int flags) override;
    // Visible children first; then, when the release ends a press this element saw, a
    // selected element whose offset differs from the offset at the press reports 1060
    // {offset at the press, current offset}. A release with no press of its own (a
    // second release, one after a double click, one after a command moved the element)
    // reports nothing.
    void OnButtonUp(Point point, int flags) override;
    // The base behaviour (which asks for an edit on a hit); then a hit marks the double
    // click taken.
    void OnDoubleClick(Point point, int flags, int& handled) override;

protected:
    EditableElement(const EditableElement& other) = default;

    // The drag state, for subclasses that run their own drag steps.
    bool IsGrabbed() const { return grabbed_; }
    // Whether the last release that reached this element ended a press that reached it
    // too. Overrides of OnButtonUp read it after the editable element's release has run,
    // so that they finish a drag by the same rule: only a release that ends a press
    // seen by this element finishes anything.
    bool ReleaseEndsPress() const { return releaseEndsPress_; }
    // That release ends a press, the element is selected and its offset differs from
    // the offset at the press: the release finishes a move.
    bool ReleaseEndsMove() const;
    bool IsButtonDown() const { return buttonDown_; }
    Point GetDragStart() const { return dragStart_; }
    Point GetLastPointer() const { return lastPointer_; }
    void SetLastPointer(Point point) { lastPointer_ = point; }
    // The part of a pointer movement that the axis mask and the freeze flags let through.
    Point MaskedDelta(Point delta, int flags) const;

    // Sends a move report {from, to, empty element slot} starting at the parent; a nudge's
    // report is marked as one (NotificationPayload::nudge).
    int SendMove(int id, Point from, Point to, bool nudge = false);
    // A nudge: reports {offset, offset + step} under the id, marked as a nudge, and leaves
    // the offset alone; nothing along an axis the axis mask forbids.
    void NudgeBy(int id, Point step);

private:
    Point dragStart_;          // the offset when the button went down
    Point lastPointer_;        // the pointer at the last press or drag step
    bool grabbed_ = false;     // this element took the last press
    bool buttonDown_ = false;  // the button is held since a press that reached it
    bool releaseEndsPress_ = false;  // the last release ended such a press
    int axisMask_ = drag_axis::kBoth;
};

}  // namespace quaverly
