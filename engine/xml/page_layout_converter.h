// The element "page-layout" under the document root: the paper (name, orientation, size
// and margins in whole millimetres, the hide-empty-track switch), the lines-per-page map
// ("page-system-number", the page counted from 1) and the score's free page texts
// ("page-any-text").
//
// The paper goes to and comes from the context's page record, the lines-per-page map to
// and from the context's map (a page read twice keeps its first count; a page before the
// first or a count below 1 is passed over), the page texts
// straight to and from the score. "portrait" is "true"/"false" and "hide-empty-track"
// "TRUE"/"FALSE"; each reads as set only in its own spelling.
#pragma once

#include "engine/xml/xml_converter.h"

namespace quaverly {

struct PageLayoutResult;

class PageLayoutConverter : public XmlConverter {
public:
    void Read() override;
    void Write() override;
};

// "page-margins": the four margins and the hide-empty-track switch of the page record.
class PageMarginsConverter : public XmlConverter {
public:
    explicit PageMarginsConverter(PageLayoutResult& result) : result_(result) {}

    void Read() override;
    void Write() override;

private:
    PageLayoutResult& result_;
};

}  // namespace quaverly
