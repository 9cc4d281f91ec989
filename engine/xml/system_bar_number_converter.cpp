#include "engine/xml/system_bar_number_converter.h"


namespace quaverly {

void SystemBarNumberConverter::Read()
{
    ReadCommon();
    index_ = 0;
    count_ = 1;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"index"))
            index_ = TextToIndex(ElementText(*child));
        else if (TextEquals(name, u"count"))
            count_ = TextToInt(ElementText(*child));
    }
}

void SystemBarNumberConverter::Write()
{
    if (!ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), ElementNameWritten());
    AppendTextElement(*element, u"index", IndexToText(index_));
    AppendTextElement(*element, u"count", IntToText(count_));
}

}  // namespace quaverly
