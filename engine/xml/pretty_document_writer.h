// The text of a score document as saved: the DOM document the converters built, written
// as the XML library's own serializer writes it with pretty printing, UTF-8 and CR LF line
// breaks, byte for byte, in a small fraction of its time.
//
// The writer knows the nodes the converters make: one document type, elements,
// attributes and text. For anything else (comments, CDATA sections, entity references,
// processing instructions, namespaces, an XML version other than 1.0) and for text
// holding a unit that XML 1.0 cannot carry or a surrogate without its partner, it gives
// up and the caller writes the document with the library's serializer instead, which
// then does what it always did (such text fails the save).
#pragma once

#include <string>

#include <xercesc/util/XercesDefs.hpp>

XERCES_CPP_NAMESPACE_BEGIN
class DOMDocument;
XERCES_CPP_NAMESPACE_END

namespace quaverly {

// Writes the document with its XML declaration ("UTF-8", standalone "no"), two spaces of
// indent per level, a blank line around the root's children and "\r\n" after each line.
// False, with `out` unspecified, when the document holds something this writer leaves to
// the library.
bool WritePrettyDocument(const xercesc::DOMDocument& document, std::string& out);

}  // namespace quaverly
