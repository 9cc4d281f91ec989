#include "engine/xml/staff_details_converter.h"

#include <algorithm>


#include "engine/model/part.h"

namespace quaverly {

namespace {

bool HasDigit(std::u16string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

void StaffDetailsConverter::Read()
{
    ReadCommon();
    if (!part_)
        return;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"staff-size")) {
            const std::u16string text = ElementText(*child);
            if (HasDigit(text))
                part_->SetStaffSize(TextToReal(text));
        } else if (TextEquals(name, u"verse-offset")) {
            VerseOffsetConverter verse;
            ReadChild(verse, child);
            if (verse.GetVerse() >= 0 && verse.GetVerse() < Part::kVerseCount)
                part_->SetVerseOffset(verse.GetVerse(), verse.GetOffset());
        }
    }
}

void StaffDetailsConverter::Write()
{
    if (!part_ || !ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"staff-details");
    for (int verse = 0; verse < Part::kVerseCount; ++verse) {
        VerseOffsetConverter converter(verse, part_->GetVerseOffset(verse));
        WriteChild(converter, element);
    }
    AppendTextElement(*element, u"staff-size", RealToExactText(part_->GetStaffSize()));
}

void VerseOffsetConverter::Read()
{
    ReadCommon();
    verse_ = 0;
    offset_ = 0;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"verse"))
            verse_ = TextToInt(ElementText(*child));
        else if (TextEquals(name, u"offset"))
            offset_ = TextToInt(ElementText(*child));
    }
}

void VerseOffsetConverter::Write()
{
    if (!ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"verse-offset");
    AppendTextElement(*element, u"verse", IntToText(verse_));
    AppendTextElement(*element, u"offset", IntToText(offset_));
}

}  // namespace quaverly
