// A paper of the score: name, size and margins in millimetres, and its orientation.
// Shared by the page-size file, the page set-up dialog, the new-score wizard and the view.
#pragma once

#include <string>

namespace brindle {

struct PageInfo {
    std::u16string name;
    int width = 210;   // mm
    int height = 297;  // mm
    bool portrait = true;
    int left = 15;     // margins, mm
    int top = 25;
    int right = 10;
    int bottom = 25;

    // Margins 15, 25, 10 and 25 mm (left, top, right, bottom).
    void SetDefaultMargins()
    {
        left = 15;
        top = 25;
        right = 10;
        bottom = 25;
    }

    friend bool operator==(const PageInfo&, const PageInfo&) = default;
};

}  // namespace brindle
