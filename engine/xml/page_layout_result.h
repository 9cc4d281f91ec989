// What a score document says of its pages besides the score itself: the document tempo,
// the paper and the hide-empty-track switch. A load hands it to the caller, a save
// takes it from the caller.
#pragma once

#include <cstdint>
#include <string>

namespace quaverly {

// The paper of the document; sizes and margins in whole millimetres.
struct PageLayout {
    std::u16string paperName;
    std::uint8_t portrait = 1;
    int pageHeight = 0;
    int pageWidth = 0;
    int leftMargin = 0;
    int topMargin = 0;
    int rightMargin = 0;
    int bottomMargin = 0;

    friend bool operator==(const PageLayout&, const PageLayout&) = default;
};

struct PageLayoutResult {
    int tempo = 120;  // beats per minute of the document's "sound" element
    PageLayout page;
    bool hideEmptyTrack = false;

    friend bool operator==(const PageLayoutResult&, const PageLayoutResult&) = default;
};

// The editor and the program know the same record by this name.
using ScoreFileInfo = PageLayoutResult;

}  // namespace quaverly
