// An articulation or ornament mark written above a note (staccato, tenuto, fermata,
// trill, mordents, turns). The symbol code is the glyph code of the drawing interface
// and the index of the mark's notation name; the order is the mark's place in the
// stack above the note, which keeps its marks sorted on it.
#pragma once

#include "engine/model/editable_element.h"

namespace quaverly {

class NoteSymbol : public EditableElement {
public:
    NoteSymbol() = default;
    NoteSymbol(int symbolCode, int order);

    int GetSymbolCode() const { return symbolCode_; }
    int GetOrder() const { return order_; }

    // Sends 1017 through its own Notify; the note fills in the symbol on the way up.
    void DeleteSelected() override;
    // The rectangle {0, 0, width, height} measured for the code.
    void Layout(ScorePainter& painter) override;
    // Draws the mark at the rectangle's top-left corner moved by origin + position +
    // offset.
    void Draw(ScorePainter& painter) override;

private:
    int symbolCode_ = 0;
    int order_ = 0;
};

}  // namespace quaverly
