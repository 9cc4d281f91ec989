#include "engine/xml/reader/xml_tree_builder.h"

#include <string_view>

#include <xercesc/sax2/Attributes.hpp>

namespace quaverly {

namespace {

std::u16string_view View(const XMLCh* text)
{
    return text ? std::u16string_view(text) : std::u16string_view();
}

}  // namespace

void XmlTreeBuilder::EndTextRun()
{
    if (!open_.empty() && open_.back().text == TextRun::Open)
        open_.back().text = TextRun::Closed;
}

void XmlTreeBuilder::startElement(const XMLCh*, const XMLCh*, const XMLCh* qualifiedName,
                                  const xercesc::Attributes& attributes)
{
    EndTextRun();
    XmlElement& element = open_.empty() ? tree_.AddElement(nullptr, View(qualifiedName))
                                        : tree_.AddDetachedElement(View(qualifiedName));
    element.ReserveAttributes(attributes.getLength());
    for (XMLSize_t i = 0; i < attributes.getLength(); ++i)
        element.SetAttribute(View(attributes.getQName(i)), View(attributes.getValue(i)));
    open_.push_back({&element, TextRun::None, pending_.size()});
}

void XmlTreeBuilder::endElement(const XMLCh*, const XMLCh*, const XMLCh*)
{
    if (open_.empty())
        return;
    const Open done = open_.back();
    open_.pop_back();
    XmlTree::AdoptChildren(*done.element, pending_.data() + done.firstChild,
                           pending_.data() + pending_.size());
    pending_.resize(done.firstChild);
    if (!open_.empty())
        pending_.push_back(done.element);
}

void XmlTreeBuilder::characters(const XMLCh* chars, XMLSize_t length)
{
    if (open_.empty() || inCdata_)
        return;
    Open& current = open_.back();
    const std::u16string_view text(chars, length);
    if (current.text == TextRun::None)
        current.text = TextRun::Open;
    if (current.text == TextRun::Open)
        current.element->AppendText(text);
}

void XmlTreeBuilder::processingInstruction(const XMLCh*, const XMLCh*)
{
    EndTextRun();
}

void XmlTreeBuilder::comment(const XMLCh*, XMLSize_t)
{
    EndTextRun();
}

void XmlTreeBuilder::startCDATA()
{
    EndTextRun();
    inCdata_ = true;
}

void XmlTreeBuilder::endCDATA()
{
    inCdata_ = false;
}

}  // namespace quaverly
