// A free text on a page ("page-any-text"): its offset in "relative-x"/"relative-y", and
// the children "page" (the page counted from 1; an unplaced text, page -1, is written
// 0), "text" (the text in Base64, so any character survives), the rectangle
// "rect_left", "rect_top", "rect_right", "rect_bottom", and the font fields.
//
// Reading starts from a zeroed record, takes the children by name in any order and adds
// a new page text to the score. A text without "page" stays unplaced (-1).
#pragma once

#include <memory>

#include "engine/xml/font_fields_converter.h"

namespace quaverly {

class PageText;

class PageAnyTextConverter : public FontFieldsConverter {
public:
    PageAnyTextConverter() = default;
    // For writing: the text.
    explicit PageAnyTextConverter(std::shared_ptr<PageText> text) : text_(std::move(text)) {}

    void Read() override;
    void Write() override;

private:
    std::shared_ptr<PageText> text_;
};

}  // namespace quaverly
