#include "engine/xml/header_text_converter.h"


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
    XmlElement* element = AppendElement(*ParentElement(), elementName_);
    if (!creatorType_.empty())
        SetAttribute(*element, u"type", creatorType_);
    AppendText(*element, headerText_->GetText());
    WriteRelativeXY(*element, headerText_->GetOffset());
}

}  // namespace quaverly
