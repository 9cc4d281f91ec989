#include "engine/xml/page_layout_converter.h"


#include "engine/model/page_text.h"
#include "engine/model/score.h"
#include "engine/xml/page_any_text_converter.h"
#include "engine/xml/system_bar_number_converter.h"
#include "engine/xml/xml_document_context.h"

namespace quaverly {

void PageLayoutConverter::Read()
{
    ReadCommon();
    XmlDocumentContext* context = Context();
    if (!context)
        return;
    PageLayout& page = context->pageResult.page;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        const std::u16string text = ElementText(*child);
        if (TextEquals(name, u"name")) {
            page.paperName = text;
        } else if (TextEquals(name, u"portrait")) {
            page.portrait = TextEquals(text, u"true") ? 1 : 0;
        } else if (TextEquals(name, u"page-height")) {
            page.pageHeight = TextToInt(text);
        } else if (TextEquals(name, u"page-width")) {
            page.pageWidth = TextToInt(text);
        } else if (TextEquals(name, u"page-margins")) {
            PageMarginsConverter margins(context->pageResult);
            ReadChild(margins, child);
        } else if (TextEquals(name, u"page-system-number")) {
            PageSystemNumberConverter entry;
            ReadChild(entry, child);
            if (entry.IsUsable())
                context->linesPerPage.emplace(entry.GetIndex(), entry.GetCount());
        } else if (TextEquals(name, u"page-any-text")) {
            PageAnyTextConverter pageText;
            ReadChild(pageText, child);
        }
    }
}

void PageLayoutConverter::Write()
{
    XmlDocumentContext* context = Context();
    if (!context || !ParentElement())
        return;
    const PageLayout& page = context->pageResult.page;
    XmlElement* element = AppendElement(*ParentElement(), u"page-layout");
    AppendTextElement(*element, u"name", page.paperName);
    AppendTextElement(*element, u"portrait", page.portrait ? u"true" : u"false");
    AppendTextElement(*element, u"page-height", IntToText(page.pageHeight));
    AppendTextElement(*element, u"page-width", IntToText(page.pageWidth));
    PageMarginsConverter margins(context->pageResult);
    WriteChild(margins, element);
    for (const auto& [pageIndex, count] : context->linesPerPage) {
        PageSystemNumberConverter entry(pageIndex, count);
        WriteChild(entry, element);
    }
    if (Score* score = GetScore()) {
        for (const std::shared_ptr<PageText>& text : score->GetPageTexts()) {
            PageAnyTextConverter pageText(text);
            WriteChild(pageText, element);
        }
    }
}

void PageMarginsConverter::Read()
{
    ReadCommon();
    PageLayout& page = result_.page;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        const std::u16string text = ElementText(*child);
        if (TextEquals(name, u"left-margin"))
            page.leftMargin = TextToInt(text);
        else if (TextEquals(name, u"right-margin"))
            page.rightMargin = TextToInt(text);
        else if (TextEquals(name, u"top-margin"))
            page.topMargin = TextToInt(text);
        else if (TextEquals(name, u"bottom-margin"))
            page.bottomMargin = TextToInt(text);
        else if (TextEquals(name, u"hide-empty-track"))
            result_.hideEmptyTrack = TextEquals(text, u"TRUE");
    }
}

void PageMarginsConverter::Write()
{
    if (!ParentElement())
        return;
    const PageLayout& page = result_.page;
    XmlElement* element = AppendElement(*ParentElement(), u"page-margins");
    AppendTextElement(*element, u"left-margin", IntToText(page.leftMargin));
    AppendTextElement(*element, u"right-margin", IntToText(page.rightMargin));
    AppendTextElement(*element, u"top-margin", IntToText(page.topMargin));
    AppendTextElement(*element, u"bottom-margin", IntToText(page.bottomMargin));
    AppendTextElement(*element, u"hide-empty-track", result_.hideEmptyTrack ? u"TRUE" : u"FALSE");
}

}  // namespace quaverly
