#include "engine/xml/page_any_text_converter.h"


#include "engine/model/page_text.h"
#include "engine/model/score.h"
#include "engine/xml/base64_text.h"

namespace quaverly {

void PageAnyTextConverter::Read()
{
    ReadCommon();
    Score* score = GetScore();
    if (!score)
        return;
    PageTextData data;
    int page = -1;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        const std::u16string text = ElementText(*child);
        if (TextEquals(name, u"page"))
            page = TextToIndex(text);
        else if (TextEquals(name, u"text"))
            data.text = DecodeBase64Text(text);
        else if (TextEquals(name, u"rect_left"))
            data.rect.left = TextToInt(text);
        else if (TextEquals(name, u"rect_top"))
            data.rect.top = TextToInt(text);
        else if (TextEquals(name, u"rect_right"))
            data.rect.right = TextToInt(text);
        else if (TextEquals(name, u"rect_bottom"))
            data.rect.bottom = TextToInt(text);
        else
            ReadFontField(name, text, data.font);
    }
    auto pageText = std::make_shared<PageText>();
    pageText->SetPage(page);
    pageText->SetOffset(ReadRelativeXY(Attributes()));
    pageText->SetTextData(data);
    score->AddPageText(std::move(pageText));
}

void PageAnyTextConverter::Write()
{
    if (!text_ || !ParentElement())
        return;
    const PageTextData& data = text_->GetTextData();
    XmlElement* element = AppendElement(*ParentElement(), u"page-any-text");
    WriteRelativeXY(*element, text_->GetOffset());
    AppendTextElement(*element, u"page", IndexToText(text_->GetPage()));
    AppendTextElement(*element, u"text", EncodeBase64Text(data.text));
    AppendTextElement(*element, u"rect_left", IntToText(data.rect.left));
    AppendTextElement(*element, u"rect_top", IntToText(data.rect.top));
    AppendTextElement(*element, u"rect_right", IntToText(data.rect.right));
    AppendTextElement(*element, u"rect_bottom", IntToText(data.rect.bottom));
    WriteFontFields(*element, data.font);
}

}  // namespace quaverly
