// One user-defined score symbol: a character (or short text) drawn in a chosen font with
// an offset and a placement. Its name is also its section name in the extended symbol
// file.
#pragma once

#include <string>

#include "engine/model/extend_symbol.h"
#include "engine/model/log_font.h"

namespace brindle {

struct ExtendSymbol {
    std::u16string name;
    std::u16string charText;
    quaverly::LogFont font;
    int hOffset = 0;    // 0.01 mm
    int vOffset = 0;    // 0.01 mm
    int placement = 0;  // the symbol dialogs' placement choice

    friend bool operator==(const ExtendSymbol&, const ExtendSymbol&) = default;
};

// The record the score's symbol marks carry, field by field.
inline quaverly::ExtendSymbol ToScoreSymbol(const ExtendSymbol& symbol)
{
    return {symbol.name, symbol.charText, symbol.font, symbol.hOffset, symbol.vOffset, symbol.placement};
}

}  // namespace brindle
