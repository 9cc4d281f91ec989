#include "engine/xml/key_converter.h"


#include "engine/model/score.h"

namespace quaverly {

void KeyConverter::Read()
{
    ReadCommon();
    Score* score = GetScore();
    if (!score)
        return;
    KeySignatureRecord value{barIndex_, 0, 1};
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"fifths"))
            value.fifths = TextToInt(ElementText(*child));
        else if (TextEquals(name, u"mode"))
            value.mode = TextEquals(ElementText(*child), u"major") ? 1 : 0;
    }
    if (!score->SetKeySignature(value))
        return;
    for (const std::shared_ptr<KeySignature>& key : score->GetKeySignatureList()) {
        if (key && key->GetValue().bar == barIndex_) {
            key->SetOffset(ReadRelativeXY(Attributes()));
            break;
        }
    }
}

void KeyConverter::Write()
{
    Score* score = GetScore();
    if (!score || !ParentElement())
        return;
    for (const std::shared_ptr<KeySignature>& key : score->GetKeySignatureList()) {
        if (!key || key->GetValue().bar != barIndex_)
            continue;
        const KeySignatureRecord value = key->GetValue();
        XmlElement* element = AppendElement(*ParentElement(), u"key");
        AppendTextElement(*element, u"fifths", IntToText(value.fifths));
        AppendTextElement(*element, u"mode", value.mode != 0 ? u"major" : u"minor");
        WriteRelativeXY(*element, key->GetOffset());
        return;
    }
}

}  // namespace quaverly
