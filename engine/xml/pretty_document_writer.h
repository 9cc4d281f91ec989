// The text of a saved score document: the element tree the converters built, written as
// the XML library's serializer writes a DOM of the same content with pretty printing,
// UTF-8 and CR LF line breaks, byte for byte.
//
// That is: the XML declaration ("UTF-8", standalone "no"), the document type, each
// element on a line of its own indented two spaces per level, a blank line around the
// root's children, an element holding only text on one line, an element without text or
// children as an empty-element tag, attributes in the order of their names, escapes for
// "&", "<" and ">" and a carriage return in text, and for "&", "<", the double quote,
// tab, line feed and carriage return in attribute values.
#pragma once

#include <string>
#include <string_view>

namespace quaverly {

class XmlElement;

// Writes the document of that root and document type (public and system identifier).
// False, with `out` unspecified, when a text or name holds a unit that XML 1.0 cannot
// carry or a surrogate without its partner; the serializer refuses such a document too.
bool WritePrettyDocument(const XmlElement& root, std::u16string_view publicId,
                         std::u16string_view systemId, std::string& out);

}  // namespace quaverly
