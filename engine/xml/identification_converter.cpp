#include "engine/xml/identification_converter.h"


#include "engine/model/score.h"
#include "engine/xml/header_text_converter.h"
#include "engine/xml/xml_document_context.h"

namespace quaverly {

void IdentificationConverter::Read()
{
    ReadCommon();
    Score* score = GetScore();
    if (!score)
        return;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"creator")) {
            CreatorConverter creator;
            ReadChild(creator, child);
        } else if (TextEquals(name, u"encoding")) {
            continue;
        } else if (TextEquals(name, u"rights")) {
            HeaderTextConverter rights(score->GetRightsText(), u"rights");
            ReadChild(rights, child);
        } else if (TextEquals(name, u"description")) {
            score->SetDescription(ElementText(*child));
        }
    }
}

void IdentificationConverter::Write()
{
    Score* score = GetScore();
    if (!score || !ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"identification");
    HeaderTextConverter composer(score->GetComposerText(), u"creator", u"composer");
    WriteChild(composer, element);
    HeaderTextConverter poet(score->GetPoetText(), u"creator", u"poet");
    WriteChild(poet, element);
    HeaderTextConverter adapter(score->GetAdapterText(), u"creator", u"adapter");
    WriteChild(adapter, element);
    HeaderTextConverter singer(score->GetSingerText(), u"creator", u"singer");
    WriteChild(singer, element);
    HeaderTextConverter rights(score->GetRightsText(), u"rights");
    WriteChild(rights, element);
    AppendTextElement(*element, u"description", score->GetDescription());
    EncodingConverter encoding;
    WriteChild(encoding, element);
}

void CreatorConverter::Read()
{
    ReadCommon();
    Score* score = GetScore();
    const XmlElement* self = Element();
    if (!score || !self)
        return;
    for (const auto& [attribute, value] : Attributes()) {
        std::shared_ptr<HeaderText> target;
        if (TextEquals(value, u"composer"))
            target = score->GetComposerText();
        else if (TextEquals(value, u"poet"))
            target = score->GetPoetText();
        else if (TextEquals(value, u"singer"))
            target = score->GetSingerText();
        else if (TextEquals(value, u"adapter"))
            target = score->GetAdapterText();
        if (!target)
            continue;
        HeaderTextConverter text(target, u"creator");
        ReadChild(text, self);
    }
}

void EncodingConverter::Write()
{
    if (!ParentElement() || !Context())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"encoding");
    AppendTextElement(*element, u"software", u"Verdane");
    AppendTextElement(*element, u"encoder", Context()->encoder);
    AppendTextElement(*element, u"encoding-date", Context()->encodingDate);
}

}  // namespace quaverly
