#include "engine/xml/notations_converter.h"


#include "engine/model/note.h"
#include "engine/model/note_symbol.h"
#include "engine/model/symbol_mark.h"
#include "engine/xml/other_notation_converter.h"

namespace quaverly {

void NotationsConverter::Read()
{
    ReadCommon();
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"tuplet")) {
            const AttributeMap attributes = CollectAttributes(*child);
            const auto type = attributes.find(u"type");
            links_.tupletStart = type != attributes.end() && TextEquals(type->second, u"start");
            links_.tupletOffset = ReadRelativeXY(attributes);
        } else if (TextEquals(name, u"tied")) {
            const AttributeMap attributes = CollectAttributes(*child);
            const auto type = attributes.find(u"type");
            if (type == attributes.end())
                continue;
            if (TextEquals(type->second, u"start")) {
                links_.tieStart = true;
                links_.tieStartOffset = ReadRelativeXY(attributes);
            } else if (TextEquals(type->second, u"stop")) {
                links_.tieStop = true;
                links_.tieStopOffset = ReadRelativeXY(attributes);
            }
        } else if (TextEquals(name, u"ornaments")) {
            ReadOrnaments(*child);
        } else if (TextEquals(name, u"other-notation")) {
            NoteOtherNotationConverter symbol(note_);
            ReadChild(symbol, child);
        }
    }
}

void NotationsConverter::ReadOrnaments(const XmlElement& element)
{
    if (!note_)
        return;
    for (const XmlElement* child : element.Children()) {
        std::shared_ptr<NoteSymbol> symbol = CreateNoteSymbol(ElementName(*child));
        if (!symbol)
            continue;
        symbol->SetOffset(ReadRelativeXY(CollectAttributes(element)));
        note_->AddOrnament(std::move(symbol));
        return;
    }
}

void NotationsConverter::Write()
{
    if (!note_ || !ParentElement())
        return;
    if (!links_.tupletStart && !links_.tieStart && !links_.tieStop &&
        note_->GetOrnaments().empty() && note_->GetSymbols().empty())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"notations");
    if (links_.tupletStart) {
        XmlElement* tuplet = AppendElement(*element, u"tuplet");
        SetAttribute(*tuplet, u"number", u"1");
        SetAttribute(*tuplet, u"placement", u"above");
        SetAttribute(*tuplet, u"type", u"start");
        WriteRelativeXY(*tuplet, links_.tupletOffset);
    }
    if (links_.tieStart) {
        XmlElement* tied = AppendElement(*element, u"tied");
        SetAttribute(*tied, u"type", u"start");
        WriteRelativeXY(*tied, links_.tieStartOffset);
    }
    if (links_.tieStop) {
        XmlElement* tied = AppendElement(*element, u"tied");
        SetAttribute(*tied, u"type", u"stop");
        WriteRelativeXY(*tied, links_.tieStopOffset);
    }
    for (const std::shared_ptr<NoteSymbol>& symbol : note_->GetOrnaments()) {
        if (symbol)
            WriteOrnaments(*element, *symbol);
    }
    for (const std::shared_ptr<SymbolMark>& symbol : note_->GetSymbols()) {
        if (!symbol)
            continue;
        NoteOtherNotationConverter writer(note_);
        writer.SetSymbol(symbol);
        WriteChild(writer, element);
    }
}

void NotationsConverter::WriteOrnaments(XmlElement& notations, const NoteSymbol& symbol)
{
    const std::u16string name = NotationToText(symbol.GetSymbolCode());
    if (name.empty())
        return;  // a mark without a name cannot be written
    XmlElement* ornaments = AppendElement(notations, u"ornaments");
    AppendElement(*ornaments, name);
    WriteRelativeXY(*ornaments, symbol.GetOffset());
}

}  // namespace quaverly
