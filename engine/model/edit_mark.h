// Screen-only handles that let the user see and drag layout values: line positions and
// spacings, indents and right ends of lines, part-group bounds, bar widths, lyric lines
// and the handles of line-mark views. They are never part of the printed music.
//
// An edit mark never moves itself. A press that selects it reports 1051, every drag
// step reports the pointer's movement (1053, masked by the axis mask and the freeze
// flags) and the release of a selected mark reports 1052; its owner turns these into
// its own notifications and layout commands. A hidden mark takes no pointer input and
// draws nothing (LayoutMarkG alone ignores the visible flag and draws only while its
// colour index is 1, which its line-mark view sets while the handle is active).
//
// Edit marks use colour index 34 when not selected. All but LayoutMarkG start hidden;
// their owners show them according to the view flags.
#pragma once

#include "engine/model/editable_element.h"

namespace quaverly {

class EditMark : public EditableElement {
public:
    EditMark();  // colour 34, hidden
    ~EditMark() override = default;

    // Hidden: nothing. Otherwise reports {1053, delta} through its own Notify, the
    // delta keeping x only when the flags do not freeze x and the axis mask allows it,
    // y likewise. The offset is not changed.
    void MoveBy(Point delta, int flags) override;
    // Hidden: nothing. Otherwise the editable element's press; a mark selected by it
    // then reports 1051 through its own Notify.
    void OnButtonDown(Point point, int flags, int& handled) override;
    // Hidden: nothing. Otherwise the editable element's release; when it ends a press
    // the mark saw, a selected mark then reports 1052 through its own Notify.
    void OnButtonUp(Point point, int flags) override;

protected:
    EditMark(const EditMark& other) = default;
};

// Line-position handle of a track row. Rectangle (-w, -h/2, 0, h/2).
class LayoutMarkA final : public EditMark {
public:
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;  // at the rectangle's top-left
};

// Line-spacing handle of a track row: a cursor line from the mark down or up to one
// bar-line height from the owner's origin. Rectangle (-a-w, -h, -a, 0) with a the
// painter's edit-mark size.
class CursorLineMark final : public EditMark {
public:
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;
};

// Indent and right-end handles of a line. Rectangle (0, 0, w, h); Layout sets the
// position to (0, -h).
class LayoutMarkC final : public EditMark {
public:
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;  // at origin + position + offset
};

// Bound handle of a part-group view. Rectangle (0, 0, w, h); Layout sets the position
// to (0, -h).
class LayoutMarkD final : public EditMark {
public:
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;  // at origin + position + offset
};

// Width handle of a bar. Rectangle (-w/2, -h, w/2, 0).
class BarWidthMark final : public EditMark {
public:
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;  // at the rectangle's top-left
};

// Lyric-line handle of a track row. Rectangle (-w, -h, 0, 0).
class LayoutMarkF final : public EditMark {
public:
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;  // at the rectangle's top-left
};

// Handle of a line-mark view; visible from construction. Rectangle (0, -h/2, w, h/2).
class LayoutMarkG final : public EditMark {
public:
    LayoutMarkG();

    void Layout(ScorePainter& painter) override;
    // At the rectangle's top-left, only while the colour index is 1, visible or not.
    void Draw(ScorePainter& painter) override;
};

}  // namespace quaverly
