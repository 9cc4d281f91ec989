// A free text placed on a page: its record (font, rectangle in page coordinates, text)
// and the page it sits on. The score keeps the page texts; a PageTextView shows one on
// its page.
#pragma once

#include "engine/model/page_text_data.h"
#include "engine/model/score_element.h"

namespace quaverly {

class PageText : public ScoreElement {
public:
    PageText() = default;  // page -1, zeroed font, empty rectangle and text

    // Copies the record in. The font's face name is taken up to its terminator and
    // kept to at most 31 units, so a face name that fills the whole field still ends
    // in a terminator.
    void SetTextData(const PageTextData& data);
    const PageTextData& GetTextData() const { return data_; }
    // The page index; -1 until the text is placed on a page.
    void SetPage(int page) { page_ = page; }
    int GetPage() const { return page_; }

private:
    int page_ = -1;
    PageTextData data_;
};

}  // namespace quaverly
