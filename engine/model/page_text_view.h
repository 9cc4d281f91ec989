// The view of a page text on its page: selectable, draggable and nudged like every
// editable element; its offset is the page text's offset. A double click asks the host
// to edit the text in place (13), Delete asks for the text's removal (1028).
#pragma once

#include <memory>

#include "engine/model/editable_element.h"

namespace quaverly {

class PageText;

class PageTextView : public EditableElement {
public:
    // The view shows the page text it is given (which may be empty).
    explicit PageTextView(std::shared_ptr<PageText> text);

    const std::shared_ptr<PageText>& GetPageText() const { return text_; }

    // Sends 1028 through its own Notify with an empty payload; the page fills in the
    // page text.
    void DeleteSelected() override;
    // Sends 13 {the page text, its page, its record} without a sender.
    void RequestEdit() override;
    // Stores the offset and gives the same offset to the page text.
    void SetOffset(Point offset) override;
    // True when the point lies in the record's rectangle moved by origin + position +
    // offset, edges included.
    bool HitTest(Point point) const override;
    // The record with its rectangle moved by origin + position + offset.
    void Draw(ScorePainter& painter) override;

private:
    std::shared_ptr<PageText> text_;
};

}  // namespace quaverly
