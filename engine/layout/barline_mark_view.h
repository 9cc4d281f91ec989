// The view of a barline's mark value: the jump or repeat glyph drawn at a barline, above
// the bar-line area for the values 6 to 8 and below it for the others. The bar makes a
// new view for each barline whose mark shows something at every layout.
//
// Dragging the view moves it; while it is selected the drag is written into the mark's
// own offset too, so it is kept with the score. Delete asks for the mark to be reset
// (1015, the mark filled in).
#pragma once

#include <memory>

#include "engine/model/editable_element.h"

namespace quaverly {

class BarlineMark;

class BarlineMarkView final : public EditableElement {
public:
    BarlineMarkView() = default;

    void BindModelElement(std::shared_ptr<BarlineMark> mark) { mark_ = std::move(mark); }
    const std::shared_ptr<BarlineMark>& GetModelElement() const { return mark_; }

    // Sends 1015 through its own Notify with the mark.
    void DeleteSelected() override;
    // Stores the offset; a selected view gives the same offset to its mark.
    void SetOffset(Point offset) override;
    // With H the bar-line height, (ox, oy) the jump-mark offset and (w, h) the glyph's
    // size: rectangle {ox - w/2, y, ox + w/2, y + h} with y = -h - oy above (values 6
    // to 8) and H + oy below. Without a mark the rectangle is empty.
    void Layout(ScorePainter& painter) override;
    // The glyph at the rectangle's top-left corner moved by origin + position + offset.
    void Draw(ScorePainter& painter) override;

private:
    int MarkValue() const;

    std::shared_ptr<BarlineMark> mark_;
};

}  // namespace quaverly
