#include "engine/xml/header_text_converter.h"

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>

#include "engine/model/header_text.h"

namespace quaverly {

HeaderTextConverter::HeaderTextConverter(std::shared_ptr<HeaderText> text,
                                         std::u16string_view elementName,
                                         std::u16string_view creatorType)
    : headerText_(std::move(text)), elementName_(elementName), creatorType_(creatorType)
{
    SetModel(headerText_);
}

void HeaderTextConverter::Read()
{
    ReadCommon();
    if (!headerText_)
        return;
    headerText_->SetText(Text());
    headerText_->SetOffset(ReadRelativeXY(Attributes()));
}

void HeaderTextConverter::Write()
{
    if (!headerText_ || !ParentElement())
        return;
    dom::DOMElement* element = Document()->createElement(elementName_.c_str());
    if (!creatorType_.empty())
        SetAttribute(*element, u"type", creatorType_);
    AppendText(*element, headerText_->GetText());
    ParentElement()->appendChild(element);
    WriteRelativeXY(*element, headerText_->GetOffset());
}

}  // namespace quaverly
