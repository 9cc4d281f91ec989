// What makes a paper unusable for laying out a score: no width or height, or margins
// that leave nothing to print on. The page set-up dialog and the wizard's paper page
// refuse such a paper with the message of its fault.
#pragma once

#include "app/settings/page_info.h"

#include <string_view>

namespace brindle {

enum class PaperFault {
    None,
    EmptySize,          // width or height 0 or less
    WideMargins,        // left + right margins not below the width
    TallMargins,        // top + bottom margins not below the height
};

// Width, height and margins are those of the upright paper: the margins turn with it, so
// the check holds for either orientation.
PaperFault CheckPaper(const PageInfo& paper);

std::u16string_view PaperFaultMessage(PaperFault fault);

}  // namespace brindle
