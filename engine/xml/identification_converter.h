// The "identification" element: the composer, poet, adapter and singer lines as
// "creator" elements, the rights line, the score's description and, written only, an
// "encoding" record naming the software.
//
// Reading takes the children in document order; a later element of a kind replaces the
// earlier one. A "creator" whose type is none of "composer", "poet", "singer" and
// "adapter" (a lyricist or arranger of another program, say) is passed over, and what a
// document's "encoding" says is not read.
#pragma once

#include "engine/xml/xml_converter.h"

namespace quaverly {

class IdentificationConverter : public XmlConverter {
public:
    void Read() override;
    void Write() override;
};

// A "creator": read into the header text its type names; written by
// HeaderTextConverter.
class CreatorConverter : public XmlConverter {
public:
    void Read() override;
};

// The "encoding" record: the software's name, the encoder and the encoding date of the
// context. Written only.
class EncodingConverter : public XmlConverter {
public:
    void Write() override;
};

}  // namespace quaverly
