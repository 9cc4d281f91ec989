#include "engine/xml/direction_converter.h"

#include <xercesc/dom/DOMElement.hpp>

#include "engine/xml/xml_document_context.h"

namespace quaverly {

void DirectionConverter::Read()
{
    ReadCommon();
    for (dom::DOMElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"direction-type")) {
            DirectionTypeConverter type;
            ReadChild(type, child);
            jumpKind_ = type.GetJumpKind();
            jumpSide_ = type.GetJumpSide();
            jumpOffset_ = type.GetJumpOffset();
        } else if (TextEquals(name, u"sound")) {
            SoundConverter sound;
            ReadChild(sound, child);
        }
    }
}

void DirectionConverter::Write()
{
    if (!ParentElement())
        return;
    dom::DOMElement* element = AppendElement(*ParentElement(), u"direction");
    SetAttribute(*element, u"placement", placement_ == 1 ? u"above" : u"below");
    DirectionTypeConverter type(jumpKind_, jumpSide_, jumpOffset_);
    WriteChild(type, element);
}

void DirectionTypeConverter::Read()
{
    ReadCommon();
    for (dom::DOMElement* child : ChildElements()) {
        const int kind = TextToJumpMark(ElementName(*child));
        if (kind == 0)
            continue;
        const AttributeMap attributes = CollectAttributes(*child);
        const auto position = attributes.find(u"position");
        jumpKind_ = kind;
        jumpSide_ = (position == attributes.end() || TextEquals(position->second, u"left")) ? 0 : 1;
        jumpOffset_ = ReadRelativeXY(attributes);
    }
}

void DirectionTypeConverter::Write()
{
    if (!ParentElement())
        return;
    dom::DOMElement* element = AppendElement(*ParentElement(), u"direction-type");
    const std::u16string name = JumpMarkToText(jumpKind_);
    if (name.empty())
        return;
    dom::DOMElement* mark = AppendElement(*element, name);
    SetAttribute(*mark, u"position", jumpSide_ != 0 ? u"right" : u"left");
    WriteRelativeXY(*mark, jumpOffset_);
}

void SoundConverter::Read()
{
    ReadCommon();
    XmlDocumentContext* context = Context();
    const std::u16string* tempo = FindAttribute(u"tempo");
    if (!context || !tempo)
        return;
    const int value = TextToInt(*tempo);
    if (value > 0)
        context->pageResult.tempo = value;
}

void SoundConverter::Write()
{
    XmlDocumentContext* context = Context();
    if (!context || !ParentElement())
        return;
    dom::DOMElement* element = AppendElement(*ParentElement(), u"sound");
    SetAttribute(*element, u"tempo", IntToText(context->pageResult.tempo));
}

}  // namespace quaverly
