#include "engine/xml/bar_index_converter.h"


#include "engine/model/bar.h"
#include "engine/model/decorator.h"

namespace quaverly {

void BarIndexConverter::Read()
{
    ReadCommon();
    if (!bar_)
        return;
    BarNumberFormat format;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        const int value = TextToInt(ElementText(*child));
        if (TextEquals(name, u"format"))
            format.format = value;
        else if (TextEquals(name, u"decorator"))
            format.decorator = value;
        else if (TextEquals(name, u"index"))
            format.index = value;
        else if (TextEquals(name, u"interval"))
            format.interval = value;
        else if (TextEquals(name, u"h-offset"))
            format.hOffset = value;
        else if (TextEquals(name, u"v_offset"))
            format.vOffset = value;
        else if (TextEquals(name, u"count-from"))
            format.countFrom = value;
        else if (TextEquals(name, u"range-start"))
            format.firstNumber = value;
        else if (TextEquals(name, u"range-stop"))
            format.lastNumber = value;
    }
    auto decorator = std::make_shared<Decorator>();
    decorator->SetOffset(ReadRelativeXY(Attributes()));
    decorator->SetProperties(format);
    bar_->SetDecorator(std::move(decorator));
}

void BarIndexConverter::Write()
{
    if (!bar_ || !bar_->GetDecorator() || !ParentElement())
        return;
    const Decorator& decorator = *bar_->GetDecorator();
    const BarNumberFormat& format = decorator.GetProperties();
    XmlElement* element = AppendElement(*ParentElement(), u"bar-index");
    WriteRelativeXY(*element, decorator.GetOffset());
    AppendTextElement(*element, u"format", IntToText(format.format));
    AppendTextElement(*element, u"decorator", IntToText(format.decorator));
    AppendTextElement(*element, u"index", IntToText(format.index));
    AppendTextElement(*element, u"interval", IntToText(format.interval));
    AppendTextElement(*element, u"h-offset", IntToText(format.hOffset));
    AppendTextElement(*element, u"v_offset", IntToText(format.vOffset));
    AppendTextElement(*element, u"count-from", IntToText(format.countFrom));
    AppendTextElement(*element, u"range-start", IntToText(format.firstNumber));
    AppendTextElement(*element, u"range-stop", IntToText(format.lastNumber));
}

}  // namespace quaverly
