// Builds an XmlTree from the events of the XML library's SAX parser: the elements with
// their attributes (those the document type supplies by default among them), each
// element's first run of text, and nothing outside the root element. Register it as the
// parser's content handler and as its lexical handler (comments, CDATA sections).
#pragma once

#include <vector>

#include <xercesc/sax2/DefaultHandler.hpp>

#include "engine/xml/xml_element.h"

namespace quaverly {

class XmlTreeBuilder : public xercesc::DefaultHandler {
public:
    explicit XmlTreeBuilder(XmlTree& tree) : tree_(tree) {}

    void startElement(const XMLCh* uri, const XMLCh* localName, const XMLCh* qualifiedName,
                      const xercesc::Attributes& attributes) override;
    void endElement(const XMLCh* uri, const XMLCh* localName,
                    const XMLCh* qualifiedName) override;
    void characters(const XMLCh* chars, XMLSize_t length) override;
    void processingInstruction(const XMLCh* target, const XMLCh* data) override;
    void comment(const XMLCh* chars, XMLSize_t length) override;
    void startCDATA() override;
    void endCDATA() override;

private:
    // Where the text of an open element stands.
    enum class TextRun { None, Open, Closed };
    struct Open {
        XmlElement* element;
        TextRun text;
        std::size_t firstChild;  // where its children start in pending_
    };

    // A child element, a comment, a processing instruction or a CDATA section ends the
    // open element's text run.
    void EndTextRun();

    XmlTree& tree_;
    std::vector<Open> open_;
    // The children of the open elements, each element's after its parent's earlier ones;
    // an element takes its own at its end, all at once.
    std::vector<const XmlElement*> pending_;
    bool inCdata_ = false;
};

}  // namespace quaverly
