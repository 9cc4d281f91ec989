#include "engine/xml/attributes_converter.h"


#include "engine/model/bar.h"
#include "engine/model/part.h"
#include "engine/xml/key_converter.h"
#include "engine/xml/staff_details_converter.h"
#include "engine/xml/time_converter.h"
#include "engine/xml/xml_document_context.h"

namespace quaverly {

std::shared_ptr<Part> AttributesConverter::GetPart() const
{
    return partEntry_ ? std::dynamic_pointer_cast<Part>(partEntry_->GetChild(0)) : nullptr;
}

void AttributesConverter::Read()
{
    ReadCommon();
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"divisions")) {
            // Every later duration is divided by it: a document whose divisions are 0
            // or less cannot be read.
            const int divisions = TextToInt(ElementText(*child));
            if (!Context())
                continue;
            if (divisions > 0) {
                Context()->divisions = divisions;
            } else {
                Context()->unreadable = true;
                Context()->unreadableReason = "divisions of 0 or less";
            }
        } else if (TextEquals(name, u"key")) {
            KeyConverter key(bar_ ? bar_->GetIndex() : barIndex_);
            ReadChild(key, child);
        } else if (TextEquals(name, u"time")) {
            TimeConverter time(bar_);
            ReadChild(time, child);
        } else if (TextEquals(name, u"staff-details")) {
            StaffDetailsConverter details(GetPart());
            ReadChild(details, child);
        }
    }
}

void AttributesConverter::Write()
{
    if (!ParentElement() || !Context())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"attributes");
    if (barIndex_ == 0 && partIndex_ == 0)
        AppendTextElement(*element, u"divisions", IntToText(Context()->divisions));
    KeyConverter key(barIndex_);
    WriteChild(key, element);
    TimeConverter time(bar_);
    WriteChild(time, element);
    if (barIndex_ != 0)
        return;
    XmlElement* clef = AppendElement(*element, u"clef");
    AppendTextElement(*clef, u"sign", u"G");
    AppendTextElement(*clef, u"line", u"2");
    StaffDetailsConverter details(GetPart());
    WriteChild(details, element);
}

}  // namespace quaverly
