// The bar number shown at a bar: it keeps the bar-number record (numbering mode, frame,
// the number, interval, range and placement) and hands it to the drawing interface.
// Its size never depends on the number shown; Delete asks for its removal (1025), the
// bar fills in the element on the way up.
#pragma once

#include "engine/model/bar_number_format.h"
#include "engine/model/editable_element.h"

namespace quaverly {

class Decorator : public EditableElement {
public:
    Decorator() = default;  // the default record

    void SetProperties(const BarNumberFormat& properties) { properties_ = properties; }
    const BarNumberFormat& GetProperties() const { return properties_; }

    void DeleteSelected() override;
    // The rectangle {0, 0, w, h} measured for the default record and the number 100.
    void Layout(ScorePainter& painter) override;
    // Draws the record's number at origin + position + offset.
    void Draw(ScorePainter& painter) override;

private:
    BarNumberFormat properties_;
};

}  // namespace quaverly
