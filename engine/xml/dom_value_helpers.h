// Small helpers on document elements and on the text forms of values, shared by every element
// converter of the score document.
//
// Names and values are compared exactly: same length, same UTF-16 units, so "TRUE" is not
// "true". Numbers are read and written in the C locale's decimal form whatever the
// user's locale.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/model/layout_types.h"
#include "engine/xml/xml_element.h"

namespace quaverly {

// True when both texts have the same length and the same units.
bool TextEquals(std::u16string_view text, std::u16string_view literal);

// One decimal integer from the start of the text: leading blanks skipped, an optional
// sign, digits up to the first non-digit. A text without digits gives 0; a number beyond
// the int range gives the nearest end of the range.
int TextToInt(std::u16string_view text);

// Decimal, "-" before negatives, no grouping.
std::u16string IntToText(int value);

// The 0-based index as the document writes it: plus 1 ("1" for 0).
std::u16string IndexToText(int index);
// A 1-based number read back as a 0-based index: TextToInt minus 1, held to the int
// range.
int TextToIndex(std::u16string_view text);

// The element's tag name.
inline const std::u16string& ElementName(const XmlElement& element)
{
    return element.Name();
}

// The element's first run of text (see XmlElement); later runs are not joined. Empty when
// it has none (text in a CDATA section is no text of the element).
inline const std::u16string& ElementText(const XmlElement& element)
{
    return element.Text();
}

// Sets "relative-x" and "relative-y" of the element to the two numbers.
void WriteRelativeXY(XmlElement& element, int x, int y);
inline void WriteRelativeXY(XmlElement& element, Point offset)
{
    WriteRelativeXY(element, offset.x, offset.y);
}

// "brace" for 0, "bracket" for 1, empty for any other group type.
std::u16string GroupSymbolText(int type);

// The text without the units an XML 1.0 document cannot hold: control characters other
// than tab, line feed and carriage return, the non-characters U+FFFE and U+FFFF, and
// halves of surrogate pairs that have no partner. Whatever is written through this opens
// again.
std::u16string XmlSafeText(std::u16string_view text);

}  // namespace quaverly
