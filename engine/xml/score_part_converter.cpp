#include "engine/xml/score_part_converter.h"


#include "engine/model/container_element.h"
#include "engine/model/part.h"
#include "engine/model/score.h"

namespace quaverly {

ScorePartConverter::ScorePartConverter(std::shared_ptr<Part> part, int index)
    : part_(std::move(part)), index_(index)
{
}

std::u16string ScorePartConverter::PartIdOf(int index)
{
    return u"P" + IntToText(index + 1);
}

void ScorePartConverter::Read()
{
    ReadCommon();
    Score* score = GetScore();
    if (!score)
        return;
    auto part = std::make_shared<Part>();
    auto container = std::make_shared<ContainerElement>();
    container->AppendChild(part);
    if (const std::u16string* id = FindAttribute(u"id"))
        part->SetId(*id);
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"part-name"))
            part->SetName(ElementText(*child));
        else if (TextEquals(name, u"score-instrument"))
            ReadInstrument(*child, *part);
        else if (TextEquals(name, u"midi-instrument"))
            ReadMidi(*child, *part);
    }
    score->AppendChild(container);
}

void ScorePartConverter::ReadInstrument(const XmlElement& element, Part& part)
{
    for (const XmlElement* child : element.Children()) {
        if (TextEquals(ElementName(*child), u"instrument-name"))
            part.SetInstrumentName(ElementText(*child));
    }
}

void ScorePartConverter::ReadMidi(const XmlElement& element, Part& part)
{
    for (const XmlElement* child : element.Children()) {
        const std::u16string name = ElementName(*child);
        const int value = TextToInt(ElementText(*child));
        if (TextEquals(name, u"midi-channel")) {
            if (value >= 1 && value <= kMidiChannels)
                part.SetChannel(value - 1);
        } else if (TextEquals(name, u"midi-program")) {
            if (value >= 1 && value <= kMidiPrograms)
                part.SetProgram(value - 1);
        }
    }
}

void ScorePartConverter::Write()
{
    if (!part_ || !ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"score-part");
    SetAttribute(*element, u"id", PartIdOf(index_));
    AppendTextElement(*element, u"part-name", part_->GetName());
    XmlElement* instrument = AppendElement(*element, u"score-instrument");
    AppendTextElement(*instrument, u"instrument-name", part_->GetInstrumentName());
    XmlElement* midi = AppendElement(*element, u"midi-instrument");
    AppendTextElement(*midi, u"midi-channel", IntToText(part_->GetChannel() + 1));
    AppendTextElement(*midi, u"midi-program", IntToText(part_->GetProgram() + 1));
}

}  // namespace quaverly
