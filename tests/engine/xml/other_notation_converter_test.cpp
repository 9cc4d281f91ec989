// User symbols and bar-number marks as elements: one form at a note and at a barline,
// the zeroed start of a read, and the mark's default record.
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <xercesc/dom/DOM.hpp>

#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/decorator.h"
#include "engine/model/note.h"
#include "engine/model/symbol_mark.h"
#include "engine/xml/bar_index_converter.h"
#include "engine/xml/other_notation_converter.h"
#include "tests/engine/xml/xml_test_util.h"

namespace quaverly::xml_test {
namespace {

using SymbolElementTest = DomElementTest;

std::shared_ptr<SymbolMark> MakeSymbol()
{
    ExtendSymbol record;
    record.name = u"符号一";
    record.text = u"\uF041中";
    record.font.height = -32;
    record.font.width = 3;
    record.font.escapement = 900;
    record.font.orientation = -900;
    record.font.weight = 700;
    record.font.italic = 255;
    record.font.underline = 1;
    record.font.strikeOut = 1;
    record.font.charSet = 2;
    record.font.outPrecision = 3;
    record.font.clipPrecision = 2;
    record.font.quality = 4;
    record.font.pitchAndFamily = 34;
    record.font.SetFaceName(u"Tansy Signature");
    record.hOffset = -25;
    record.vOffset = 60;
    record.placement = 1;
    auto symbol = std::make_shared<SymbolMark>();
    symbol->SetIndex(4);
    symbol->SetSymbolData(record);
    symbol->SetOffset({12, -5});
    return symbol;
}

TEST_F(SymbolElementTest, ASymbolAtANoteAndAtABarlineGivesTheSameElement)
{
    const auto symbol = MakeSymbol();
    const auto barline = std::make_shared<Barline>();
    const auto note = std::make_shared<Note>();
    x::DOMElement* atBarline = NewParent(u"barline");
    x::DOMElement* atNote = NewParent(u"notations");
    MeasureOtherNotationConverter barlineWriter(barline);
    barlineWriter.SetSymbol(symbol);
    Write(barlineWriter, atBarline);
    NoteOtherNotationConverter noteWriter(note);
    noteWriter.SetSymbol(symbol);
    Write(noteWriter, atNote);
    ASSERT_NE(atBarline->getFirstElementChild(), nullptr);
    const std::u16string written = Serialize(atBarline->getFirstElementChild());
    EXPECT_EQ(written, Serialize(atNote->getFirstElementChild()));
    // The offset is the attributes, the record's own offsets are children.
    EXPECT_NE(written.find(u"relative-x=\"12\" relative-y=\"-5\""), std::u16string::npos);
    EXPECT_NE(written.find(u"<h-offset>-25</h-offset>"), std::u16string::npos);
    EXPECT_NE(written.find(u"<font-italic>255</font-italic>"), std::u16string::npos);

    // And each reads back into its owner unchanged.
    NoteOtherNotationConverter noteReader(note);
    Read(noteReader, atNote->getFirstElementChild());
    MeasureOtherNotationConverter barlineReader(barline);
    Read(barlineReader, atBarline->getFirstElementChild());
    for (const auto& symbols : {note->GetSymbols(), barline->GetSymbols()}) {
        ASSERT_EQ(symbols.size(), 1u);
        EXPECT_EQ(symbols[0]->GetSymbolData(), symbol->GetSymbolData());
        EXPECT_EQ(symbols[0]->GetOffset(), symbol->GetOffset());
        EXPECT_EQ(symbols[0]->GetIndex(), 4);
    }
}

TEST_F(SymbolElementTest, ReadingASymbolStartsZeroedAndNeedsItsType)
{
    const auto note = std::make_shared<Note>();
    x::DOMElement* plain = ParseInto(u"other-notation", u"char=QQA=");
    plain->setAttribute(u"type", u"font-symbol");
    NoteOtherNotationConverter reader(note);
    Read(reader, plain);
    ASSERT_EQ(note->GetSymbols().size(), 1u);
    ExtendSymbol zeroed;
    zeroed.text = u"A";
    EXPECT_EQ(note->GetSymbols()[0]->GetSymbolData(), zeroed);
    EXPECT_EQ(note->GetSymbols()[0]->GetOffset(), (Point{}));

    for (const char16_t* type : {u"Font-Symbol", u"text", static_cast<const char16_t*>(nullptr)}) {
        x::DOMElement* other = ParseInto(u"other-notation", u"char=QQA=;index=2");
        if (type)
            other->setAttribute(u"type", type);
        NoteOtherNotationConverter skip(note);
        Read(skip, other);
    }
    EXPECT_EQ(note->GetSymbols().size(), 1u);

    x::DOMElement* bytes = ParseInto(
        u"other-notation",
        u"font-italic=257;font-weight=700;font-quality=-1;placement=2;placement=3;"
        u"font-name=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    bytes->setAttribute(u"type", u"font-symbol");
    const auto barline = std::make_shared<Barline>();
    MeasureOtherNotationConverter byteReader(barline);
    Read(byteReader, bytes);
    ASSERT_EQ(barline->GetSymbols().size(), 1u);
    const ExtendSymbol& read = barline->GetSymbols()[0]->GetSymbolData();
    EXPECT_EQ(read.font.italic, 1);
    EXPECT_EQ(read.font.weight, 700);
    EXPECT_EQ(read.font.quality, 255);
    EXPECT_EQ(read.placement, 3);  // the last one
    EXPECT_EQ(read.font.FaceName(), u"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
}

TEST_F(SymbolElementTest, BarNumberMarkReadsFromItsDefaultRecord)
{
    const auto bar = std::make_shared<Bar>(0);
    BarIndexConverter reader(bar);
    Read(reader, ParseInto(u"bar-index", u"format=1;unknown=7"));
    ASSERT_TRUE(bar->GetDecorator());
    EXPECT_EQ(bar->GetDecorator()->GetProperties(),
              (BarNumberFormat{1, 0, 0, 5, 0, 0, 1000, 0, -500}));

    // Written with its first counted bar and range, and read back whole.
    BarNumberFormat format{1, 3, 9, 4, 2, 1, 4, 30, -700};
    auto decorator = std::make_shared<Decorator>();
    decorator->SetProperties(format);
    decorator->SetOffset({-3, 8});
    bar->SetDecorator(decorator);
    x::DOMElement* measure = NewParent(u"measure");
    BarIndexConverter writer(bar);
    Write(writer, measure);
    const auto again = std::make_shared<Bar>(0);
    BarIndexConverter rereader(again);
    Read(rereader, measure->getFirstElementChild());
    ASSERT_TRUE(again->GetDecorator());
    EXPECT_EQ(again->GetDecorator()->GetProperties(), format);
    EXPECT_EQ(again->GetDecorator()->GetOffset(), (Point{-3, 8}));

    // A bar without a mark writes none.
    x::DOMElement* empty = NewParent(u"measure");
    BarIndexConverter none(std::make_shared<Bar>(1));
    Write(none, empty);
    EXPECT_EQ(empty->getFirstElementChild(), nullptr);
}

}  // namespace
}  // namespace quaverly::xml_test
