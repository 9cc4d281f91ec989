// The font record's fields as child elements, shared by the page texts ("page-any-text")
// and the user symbols ("other-notation"): "font-height", "font_width",
// "font_escapement", "font_orientation", "font-weight" (integers), the eight byte fields
// "font-italic" to "font-pitch-and-family" (0 to 255; a byte read keeps the low 8 bits
// of the number) and "font-name" (the face name as plain text). The names mix "-" and
// "_" as other copies of the program write them.
//
// A face name longer than the record's 31 units is cut to fit, and never in the middle
// of a surrogate pair.
#pragma once

#include <string_view>

#include "engine/model/log_font.h"
#include "engine/xml/xml_converter.h"

namespace quaverly {

class FontFieldsConverter : public XmlConverter {
public:
    // The face name as the record keeps it: at most 31 units, whole characters only.
    static std::u16string FittingFaceName(std::u16string_view name);

protected:
    // Appends the fourteen font children in the written order.
    void WriteFontFields(XmlElement& element, const LogFont& font);
    // Takes a child of that name and text into the font; false when the name is not a
    // font field.
    static bool ReadFontField(std::u16string_view name, std::u16string_view text,
                              LogFont& font);
};

}  // namespace quaverly
