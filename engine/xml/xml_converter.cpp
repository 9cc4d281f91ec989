#include "engine/xml/xml_converter.h"

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMText.hpp>

#include "engine/model/part.h"
#include "engine/model/score.h"

namespace quaverly {

const std::vector<const XmlElement*> XmlConverter::kNoChildren;

XmlConverter::~XmlConverter() = default;

void XmlConverter::Read()
{
    ReadCommon();
}

void XmlConverter::Write() {}

void XmlConverter::ReadCommon()
{
    name_.clear();
    text_.clear();
    attributes_.clear();
    children_ = &kNoChildren;
    if (!element_)
        return;
    name_ = element_->Name();
    text_ = element_->Text();
    attributes_ = CollectAttributes(*element_);
    children_ = &element_->Children();
}

void XmlConverter::ReadChild(XmlConverter& child, const XmlElement* element)
{
    if (!element)
        return;
    child.SetElement(element);
    child.SetContext(context_);
    child.SetScore(score_);
    if (!child.GetModel())
        child.SetModel(model_);
    child.Read();
}

void XmlConverter::WriteChild(XmlConverter& child, dom::DOMElement* parent)
{
    if (!parent || !document_)
        return;
    child.SetDocument(document_);
    child.SetContext(context_);
    child.SetScore(score_);
    child.SetParentElement(parent);
    if (!child.GetModel())
        child.SetModel(model_);
    child.Write();
}

dom::DOMElement* XmlConverter::AppendElement(dom::DOMElement& parent, std::u16string_view name)
{
    const std::u16string tag(name);
    dom::DOMElement* element = document_->createElement(tag.c_str());
    parent.appendChild(element);
    return element;
}

dom::DOMElement* XmlConverter::AppendTextElement(dom::DOMElement& parent,
                                                 std::u16string_view name,
                                                 std::u16string_view text)
{
    const std::u16string tag(name);
    dom::DOMElement* element = document_->createElement(tag.c_str());
    AppendText(*element, text);
    parent.appendChild(element);
    return element;
}

void XmlConverter::AppendText(dom::DOMElement& element, std::u16string_view text)
{
    const std::u16string safe = XmlSafeText(text);
    element.appendChild(document_->createTextNode(safe.c_str()));
}

void XmlConverter::SetAttribute(dom::DOMElement& element, std::u16string_view name,
                                std::u16string_view value)
{
    const std::u16string key(name);
    const std::u16string safe = XmlSafeText(value);
    element.setAttribute(key.c_str(), safe.c_str());
}

std::shared_ptr<Part> XmlConverter::PartAt(const Score& score, int index)
{
    const std::shared_ptr<ScoreElement> container = score.GetChild(index);
    if (!container)
        return nullptr;
    return std::dynamic_pointer_cast<Part>(container->GetChild(0));
}

const std::u16string* XmlConverter::FindAttribute(std::u16string_view name) const
{
    const auto found = attributes_.find(std::u16string(name));
    return found == attributes_.end() ? nullptr : &found->second;
}

}  // namespace quaverly
