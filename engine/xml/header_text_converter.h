// One header text of the title block as an element: the text as the element's text, the
// text's user offset as "relative-x"/"relative-y". It carries the title
// ("movement-title"), the subtitle ("movement-subtitle"), the rights line ("rights") and,
// as a "creator" with its "type", the composer, poet, adapter and singer lines.
//
// Reading sets the text (an element without text empties it) and the offset (a missing
// attribute gives 0, so an element without both moves the text back to (0, 0)).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class HeaderText;

class HeaderTextConverter : public XmlConverter {
public:
    // The element name it writes, and the "type" it gives the element (none when empty).
    HeaderTextConverter(std::shared_ptr<HeaderText> text, std::u16string_view elementName,
                        std::u16string_view creatorType = {});

    void Read() override;
    void Write() override;

private:
    std::shared_ptr<HeaderText> headerText_;
    std::u16string elementName_;
    std::u16string creatorType_;
};

}  // namespace quaverly
