#include "engine/xml/system_converter.h"


#include "engine/model/int_clamp.h"

namespace quaverly {

namespace {

std::u16string ShowText(bool show)
{
    return show ? u"TRUE" : u"FALSE";
}

int AttributeNumber(const AttributeMap& attributes, std::u16string_view name)
{
    const auto found = attributes.find(std::u16string(name));
    return found == attributes.end() ? 0 : TextToInt(found->second);
}

}  // namespace

void SystemConverter::Read()
{
    ReadCommon();
    record_ = {};
    int start = 0;
    int stop = 0;
    for (const auto& [name, value] : Attributes()) {
        if (TextEquals(name, u"number"))
            record_.number = TextToIndex(value);
        else if (TextEquals(name, u"start"))
            start = TextToIndex(value);
        else if (TextEquals(name, u"stop"))
            stop = TextToIndex(value);
        else if (TextEquals(name, u"show"))
            record_.show = TextEquals(value, u"TRUE");
    }
    record_.offset = ReadRelativeXY(Attributes());
    record_.rightOffset = {AttributeNumber(Attributes(), u"right-offset-x"),
                           AttributeNumber(Attributes(), u"right-offset-y")};
    record_.firstBar = start;
    record_.endBar = stop < start ? start : ClampToInt(std::int64_t{stop} + 1);
    for (const XmlElement* child : ChildElements()) {
        if (!TextEquals(ElementName(*child), u"track"))
            continue;
        TrackConverter track;
        ReadChild(track, child);
        record_.tracks.push_back(track.GetRecord());
    }
}

void SystemConverter::Write()
{
    if (!ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"system");
    // The last bar included, counted from 1, is the end of the half-open range; a line
    // without bars gets the bar before its first (0 for the heading).
    const int stop = record_.endBar > record_.firstBar ? record_.endBar : record_.firstBar;
    SetAttribute(*element, u"number", IndexToText(record_.number));
    SetAttribute(*element, u"start", IndexToText(record_.firstBar));
    SetAttribute(*element, u"stop", IntToText(stop));
    SetAttribute(*element, u"show", ShowText(record_.show));
    SetAttribute(*element, u"right-offset-x", IntToText(record_.rightOffset.x));
    SetAttribute(*element, u"right-offset-y", IntToText(record_.rightOffset.y));
    WriteRelativeXY(*element, record_.offset);
    for (const TrackRecord& track : record_.tracks) {
        TrackConverter converter(track);
        WriteChild(converter, element);
    }
}

void TrackConverter::Read()
{
    ReadCommon();
    record_ = {};
    if (const std::u16string* number = FindAttribute(u"number"))
        record_.number = TextToIndex(*number);
    if (const std::u16string* show = FindAttribute(u"show"))
        record_.show = TextEquals(*show, u"TRUE");
    record_.offset = ReadRelativeXY(Attributes());
    for (const XmlElement* child : ChildElements()) {
        if (!TextEquals(ElementName(*child), u"instrument-name"))
            continue;
        InstrumentNameConverter name;
        ReadChild(name, child);
        record_.instrumentName = name.GetName();
        record_.nameOffset = name.GetOffset();
    }
}

void TrackConverter::Write()
{
    if (!ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"track");
    SetAttribute(*element, u"number", IndexToText(record_.number));
    SetAttribute(*element, u"show", ShowText(record_.show));
    WriteRelativeXY(*element, record_.offset);
    InstrumentNameConverter name(record_.instrumentName, record_.nameOffset);
    WriteChild(name, element);
}

void InstrumentNameConverter::Read()
{
    ReadCommon();
    name_.clear();
    offset_ = ReadRelativeXY(Attributes());
    for (const XmlElement* child : ChildElements()) {
        if (TextEquals(ElementName(*child), u"name"))
            name_ = ElementText(*child);
    }
}

void InstrumentNameConverter::Write()
{
    if (!ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"instrument-name");
    WriteRelativeXY(*element, offset_);
    AppendTextElement(*element, u"name", name_);
}

}  // namespace quaverly
