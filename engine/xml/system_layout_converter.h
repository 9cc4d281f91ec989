// The element "system-layout" under the document root: the score's hand-made line
// layout, one "system" per saved line, then one "system-bar-number" per entry of the
// bars-per-line map (the heading is line 0, so the first line of music is written 2).
//
// It touches no score element: reading fills the context's system records and
// bars-per-line map, writing takes them from there. A line index read twice keeps its
// first count; an entry with a line before the heading or a count below 1 is passed
// over.
#pragma once

#include "engine/xml/xml_converter.h"

namespace quaverly {

class SystemLayoutConverter : public XmlConverter {
public:
    void Read() override;
    void Write() override;
};

}  // namespace quaverly
