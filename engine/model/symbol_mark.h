// A free symbol from the user's symbol library, drawn in a font of its own and attached
// to a note (or to a barline). Its record says where it sits around the note
// (placement) and by how much the user shifted it (offsets); the note places it.
#pragma once

#include "engine/model/editable_element.h"
#include "engine/model/extend_symbol.h"

namespace quaverly {

class SymbolMark : public EditableElement {
public:
    SymbolMark() = default;

    // Copies the record in. The font's face name is taken up to its terminator and kept
    // to at most 31 units, so a face name that fills the whole field still ends in a
    // terminator.
    void SetSymbolData(const ExtendSymbol& symbol);
    const ExtendSymbol& GetSymbolData() const { return symbol_; }

    // Sends 1021 through its own Notify; the owner fills in the symbol on the way up.
    void DeleteSelected() override;
    // The rectangle {0, 0, width, height} measured for the record.
    void Layout(ScorePainter& painter) override;
    // Draws the symbol at the rectangle's top-left corner moved by origin + position +
    // offset.
    void Draw(ScorePainter& painter) override;

private:
    ExtendSymbol symbol_;
};

}  // namespace quaverly
