#include "engine/xml/xml_converter.h"


#include "engine/model/part.h"
#include "engine/model/score.h"

namespace quaverly {

XmlConverter::~XmlConverter() = default;

void XmlConverter::Read()
{
    ReadCommon();
}

void XmlConverter::Write() {}

void XmlConverter::ReadCommon()
{
    read_ = element_;
}

AttributeMap XmlConverter::Attributes() const
{
    return read_ ? CollectAttributes(*read_) : AttributeMap();
}

const std::vector<const XmlElement*>& XmlConverter::ChildElements() const
{
    static const std::vector<const XmlElement*> none;
    return read_ ? read_->Children() : none;
}

const std::u16string& XmlConverter::Name() const
{
    static const std::u16string none;
    return read_ ? read_->Name() : none;
}

const std::u16string& XmlConverter::Text() const
{
    static const std::u16string none;
    return read_ ? read_->Text() : none;
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
    return read_ ? read_->FindAttribute(name) : nullptr;
}

}  // namespace quaverly
