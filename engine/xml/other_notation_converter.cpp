#include "engine/xml/other_notation_converter.h"


#include "engine/model/barline.h"
#include "engine/model/note.h"
#include "engine/model/symbol_mark.h"
#include "engine/xml/base64_text.h"

namespace quaverly {

void OtherNotationConverter::Read()
{
    ReadCommon();
    const std::u16string* type = FindAttribute(u"type");
    if (!type || !TextEquals(*type, u"font-symbol"))
        return;
    auto symbol = std::make_shared<SymbolMark>();
    ExtendSymbol record;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        const std::u16string text = ElementText(*child);
        if (TextEquals(name, u"index"))
            symbol->SetIndex(TextToInt(text));
        else if (TextEquals(name, u"id"))
            record.name = text;
        else if (TextEquals(name, u"char"))
            record.text = DecodeBase64Text(text);
        else if (TextEquals(name, u"placement"))
            record.placement = TextToInt(text);
        else if (TextEquals(name, u"h-offset"))
            record.hOffset = TextToInt(text);
        else if (TextEquals(name, u"v-offset"))
            record.vOffset = TextToInt(text);
        else
            ReadFontField(name, text, record.font);
    }
    symbol->SetSymbolData(record);
    symbol->SetOffset(ReadRelativeXY(Attributes()));
    AddToOwner(std::move(symbol));
}

void OtherNotationConverter::Write()
{
    if (!symbol_ || !ParentElement())
        return;
    const ExtendSymbol& record = symbol_->GetSymbolData();
    XmlElement* element = AppendElement(*ParentElement(), u"other-notation");
    SetAttribute(*element, u"type", u"font-symbol");
    WriteRelativeXY(*element, symbol_->GetOffset());
    AppendTextElement(*element, u"index", IntToText(symbol_->GetIndex()));
    AppendTextElement(*element, u"id", record.name);
    AppendTextElement(*element, u"char", EncodeBase64Text(record.text));
    AppendTextElement(*element, u"placement", IntToText(record.placement));
    AppendTextElement(*element, u"h-offset", IntToText(record.hOffset));
    AppendTextElement(*element, u"v-offset", IntToText(record.vOffset));
    WriteFontFields(*element, record.font);
}

void MeasureOtherNotationConverter::AddToOwner(std::shared_ptr<SymbolMark> symbol)
{
    if (owner_)
        owner_->AddSymbol(std::move(symbol));
}

void NoteOtherNotationConverter::AddToOwner(std::shared_ptr<SymbolMark> symbol)
{
    if (owner_)
        owner_->AddSymbol(std::move(symbol));
}

}  // namespace quaverly
