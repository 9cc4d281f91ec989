// The record of a free text placed on a page: its font, its rectangle in page
// coordinates (0.01 mm) and its text. The drawing interface word-wraps the text in the
// rectangle.
#pragma once

#include <string>

#include "engine/model/layout_types.h"
#include "engine/model/log_font.h"

namespace quaverly {

struct PageTextData {
    LogFont font;
    Rect rect;
    std::u16string text;

    friend bool operator==(const PageTextData&, const PageTextData&) = default;
};

}  // namespace quaverly
