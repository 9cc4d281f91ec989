#include "engine/xml/part_group_converter.h"

#include <cstdint>


#include "engine/model/int_clamp.h"
#include "engine/model/part.h"
#include "engine/model/part_group.h"
#include "engine/model/score.h"
#include "engine/xml/xml_document_context.h"

namespace quaverly {

PartGroupConverter::PartGroupConverter(int partsRead) : partsRead_(partsRead) {}

PartGroupConverter::PartGroupConverter(std::shared_ptr<PartGroup> group, int number, bool start)
    : group_(std::move(group)), number_(number), start_(start)
{
}

void PartGroupConverter::Read()
{
    ReadCommon();
    Score* score = GetScore();
    XmlDocumentContext* context = Context();
    if (!score || !context)
        return;
    int slot = 0;
    bool start = true;
    for (const auto& [name, value] : Attributes()) {
        if (TextEquals(name, u"number"))
            slot = ClampToInt(std::int64_t{TextToInt(value)} - 1);
        else if (TextEquals(name, u"type") && TextEquals(value, u"stop"))
            start = false;
    }
    if (!start) {
        const auto open = context->openGroups.find(slot);
        if (open == context->openGroups.end())
            return;
        open->second->SetLastPart(partsRead_ - 1);
        score->AddPartGroup(open->second);
        context->openGroups.erase(open);
        return;
    }
    int type = part_group_type::kBracket;
    for (const XmlElement* child : ChildElements()) {
        if (!TextEquals(ElementName(*child), u"group-symbol"))
            continue;
        const std::u16string symbol = ElementText(*child);
        if (TextEquals(symbol, u"brace"))
            type = part_group_type::kBrace;
        else if (TextEquals(symbol, u"bracket"))
            type = part_group_type::kBracket;
    }
    auto group = std::make_shared<PartGroup>();
    group->SetType(type);
    group->SetFirstPart(partsRead_);
    group->SetLastPart(partsRead_);
    group->SetOffset(ReadRelativeXY(Attributes()));
    context->openGroups[slot] = std::move(group);
}

void PartGroupConverter::Write()
{
    if (!group_ || !ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"part-group");
    SetAttribute(*element, u"number", IntToText(number_));
    SetAttribute(*element, u"type", start_ ? u"start" : u"stop");
    if (!start_)
        return;
    AppendTextElement(*element, u"group-symbol", GroupSymbolText(group_->GetType()));
    AppendTextElement(*element, u"group-barline", u"yes");
    WriteRelativeXY(*element, group_->GetOffset());
}

void StaffGroupConverter::Read()
{
    ReadCommon();
    Score* score = GetScore();
    if (!score)
        return;
    const int count = score->GetChildCount();
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        int link = 0;
        if (TextEquals(name, u"start"))
            link = staff_link::kFirstOfPair;
        else if (TextEquals(name, u"stop"))
            link = staff_link::kSecondOfPair;
        else
            continue;
        const int position = TextToInt(ElementText(*child));
        if (position < 1 || position > count)
            continue;
        if (const std::shared_ptr<Part> part = PartAt(*score, position - 1))
            part->SetStaffLink(link);
    }
}

void StaffGroupConverter::Write()
{
    if (!ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"staff-group");
    SetAttribute(*element, u"number", IntToText(firstPosition_));
    AppendTextElement(*element, u"start", IntToText(firstPosition_));
    AppendTextElement(*element, u"stop", IntToText(firstPosition_ + 1));
}

}  // namespace quaverly
