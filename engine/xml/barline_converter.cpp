#include "engine/xml/barline_converter.h"


#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/xml/other_notation_converter.h"

namespace quaverly {

void BarlineConverter::Read()
{
    ReadCommon();
    style_ = 1;
    repeat_ = 0;
    location_ = kRight;
    if (const std::u16string* location = FindAttribute(u"location"))
        location_ = TextEquals(*location, u"right") ? kRight : kLeft;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"bar-style")) {
            style_ = TextToBarStyle(ElementText(*child));
        } else if (TextEquals(name, u"repeat")) {
            const AttributeMap attributes = CollectAttributes(*child);
            const auto direction = attributes.find(u"direction");
            if (direction != attributes.end())
                repeat_ = TextEquals(direction->second, u"forward") ? 1 : 2;
        } else if (TextEquals(name, u"other-notation") && bar_) {
            MeasureOtherNotationConverter symbol(bar_->GetBarline(location_));
            ReadChild(symbol, child);
        }
    }
}

void BarlineConverter::Write()
{
    if (!bar_ || !ParentElement())
        return;
    const std::shared_ptr<Barline>& barline = bar_->GetBarline(location_);
    if (!barline)
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"barline");
    SetAttribute(*element, u"location", location_ == kRight ? u"right" : u"left");
    AppendTextElement(*element, u"bar-style", BarStyleToText(barline->GetType()));
    const int mark = barline->GetMarkValue();
    if (mark == 1 || mark == 2) {
        XmlElement* repeat = AppendElement(*element, u"repeat");
        SetAttribute(*repeat, u"direction", mark == 1 ? u"forward" : u"backward");
    }
    for (const std::shared_ptr<SymbolMark>& symbol : barline->GetSymbols()) {
        MeasureOtherNotationConverter converter(barline);
        converter.SetSymbol(symbol);
        WriteChild(converter, element);
    }
}

}  // namespace quaverly
