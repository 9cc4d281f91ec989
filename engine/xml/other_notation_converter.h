// A user symbol ("other-notation" with type "font-symbol"): a character drawn in a font
// of its own, attached to a barline or to a note. The element has the same form in both
// places: the symbol's user offset in "relative-x"/"relative-y", and the children
// "index" (its sort key among its owner's symbols), "id" (the library name, plain text),
// "char" (the character text in Base64, so a private-use or Chinese character survives),
// "placement", "h-offset", "v-offset" and the font fields.
//
// Reading starts from a zeroed record; an element of any other type, or without one,
// adds nothing. A child read twice keeps its last value. The two converters differ only
// in the owner that receives the symbol read.
#pragma once

#include <memory>

#include "engine/xml/font_fields_converter.h"

namespace quaverly {

class Barline;
class Note;
class SymbolMark;

class OtherNotationConverter : public FontFieldsConverter {
public:
    // For writing: the symbol.
    void SetSymbol(std::shared_ptr<SymbolMark> symbol) { symbol_ = std::move(symbol); }

    void Read() override;
    void Write() override;

protected:
    virtual void AddToOwner(std::shared_ptr<SymbolMark> symbol) = 0;

private:
    std::shared_ptr<SymbolMark> symbol_;
};

// A symbol at a barline.
class MeasureOtherNotationConverter final : public OtherNotationConverter {
public:
    explicit MeasureOtherNotationConverter(std::shared_ptr<Barline> owner)
        : owner_(std::move(owner))
    {
    }

protected:
    void AddToOwner(std::shared_ptr<SymbolMark> symbol) override;

private:
    std::shared_ptr<Barline> owner_;
};

// A symbol at a note.
class NoteOtherNotationConverter final : public OtherNotationConverter {
public:
    explicit NoteOtherNotationConverter(std::shared_ptr<Note> owner) : owner_(std::move(owner)) {}

protected:
    void AddToOwner(std::shared_ptr<SymbolMark> symbol) override;

private:
    std::shared_ptr<Note> owner_;
};

}  // namespace quaverly
