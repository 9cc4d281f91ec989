// A free symbol drawn in a font of its own: the user's symbol library entry and the
// record a symbol mark carries under a note or a barline. The drawing interface reads
// its character text and its font.
#pragma once

#include <string>

#include "engine/model/log_font.h"

namespace quaverly {

// Where a symbol sits relative to what it is attached to.
namespace symbol_placement {
inline constexpr int kAbove = 0;
inline constexpr int kBelow = 1;
inline constexpr int kLeft = 2;
inline constexpr int kRight = 3;
}  // namespace symbol_placement

struct ExtendSymbol {
    std::u16string name;  // the symbol's name in the library (its identifier)
    std::u16string text;  // the characters drawn
    LogFont font;
    int hOffset = 0;
    int vOffset = 0;
    int placement = 0;  // symbol_placement

    friend bool operator==(const ExtendSymbol&, const ExtendSymbol&) = default;
};

}  // namespace quaverly
