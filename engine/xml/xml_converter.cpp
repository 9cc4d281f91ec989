#include "engine/xml/xml_converter.h"


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

void XmlConverter::WriteChild(XmlConverter& child, XmlElement* parent)
{
    if (!parent)
        return;
    child.SetContext(context_);
    child.SetScore(score_);
    child.SetParentElement(parent);
    if (!child.GetModel())
        child.SetModel(model_);
    child.Write();
}

XmlElement* XmlConverter::AppendElement(XmlElement& parent, std::u16string_view name)
{
    return &parent.AppendChild(name);
}

XmlElement* XmlConverter::AppendTextElement(XmlElement& parent, std::u16string_view name,
                                            std::u16string_view text)
{
    XmlElement* element = AppendElement(parent, name);
    AppendText(*element, text);
    return element;
}

void XmlConverter::AppendText(XmlElement& element, std::u16string_view text)
{
    element.AppendText(XmlSafeText(text));
}

void XmlConverter::SetAttribute(XmlElement& element, std::u16string_view name,
                                std::u16string_view value)
{
    element.SetAttribute(name, XmlSafeText(value));
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
