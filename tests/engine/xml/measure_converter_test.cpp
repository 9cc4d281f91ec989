// Measures: bars with their barlines, repeats, jump marks and symbols, bar numbers,
// line breaks, manual widths, keys, times and the parts' staff details survive saving
// and loading; the written order and the reading of other documents' odd measures.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/barline_mark.h"
#include "engine/model/decorator.h"
#include "engine/model/symbol_mark.h"
#include "engine/model/time_signature.h"
#include "engine/xml/part_converter.h"
#include "tests/engine/xml/xml_test_util.h"

namespace quaverly::xml_test {
namespace {

std::shared_ptr<Bar> BarOf(const Score& score, int part, int bar)
{
    const auto own = PartOf(score, part);
    return own ? std::dynamic_pointer_cast<Bar>(own->GetChild(bar)) : nullptr;
}

std::vector<std::shared_ptr<Bar>> AddBars(Part& part, int count)
{
    std::vector<std::shared_ptr<Bar>> bars;
    for (int b = 0; b < count; ++b) {
        auto bar = std::make_shared<Bar>(b);
        part.AppendChild(bar);
        bars.push_back(bar);
    }
    return bars;
}

std::shared_ptr<SymbolMark> MakeSymbol(int index, std::u16string text, Point offset)
{
    ExtendSymbol record;
    record.name = u"{3F2504E0-4F89-11D3-9A0C-0305E82C3301}";
    record.text = std::move(text);
    record.font.height = -24;
    record.font.weight = 400;
    record.font.charSet = 2;
    record.font.quality = 4;
    record.font.SetFaceName(u"Tansy");
    record.hOffset = 120;
    record.vOffset = -35;
    record.placement = 3;
    auto symbol = std::make_shared<SymbolMark>();
    symbol->SetIndex(index);
    symbol->SetSymbolData(record);
    symbol->SetOffset(offset);
    return symbol;
}

// What a bar keeps through a document, as one comparable value.
struct BarValue {
    int leftStyle, rightStyle, leftMark, rightMark;
    Point leftMarkOffset, rightMarkOffset;
    float manualAdjust;
    bool hasDecorator;
    BarNumberFormat format;
    Point decoratorOffset;
    bool hasTime;
    TimeSignatureRecord time;
    Point timeOffset;
    std::vector<ExtendSymbol> leftSymbols, rightSymbols;
    std::vector<Point> symbolOffsets;
    std::vector<int> symbolIndexes;

    friend bool operator==(const BarValue&, const BarValue&) = default;
};

BarValue ValueOf(const Bar& bar)
{
    BarValue v{};
    const Barline& left = *bar.GetBarline(0);
    const Barline& right = *bar.GetBarline(1);
    v.leftStyle = left.GetType();
    v.rightStyle = right.GetType();
    v.leftMark = left.GetMarkValue();
    v.rightMark = right.GetMarkValue();
    v.leftMarkOffset = left.GetMark()->GetOffset();
    v.rightMarkOffset = right.GetMark()->GetOffset();
    v.manualAdjust = bar.GetManualAdjust();
    if (const auto& decorator = bar.GetDecorator()) {
        v.hasDecorator = true;
        v.format = decorator->GetProperties();
        v.decoratorOffset = decorator->GetOffset();
    }
    if (const auto& time = bar.GetTimeSignature()) {
        v.hasTime = true;
        v.time = time->GetValue();
        v.timeOffset = time->GetOffset();
    }
    for (const Barline* barline : {&left, &right}) {
        for (const auto& symbol : barline->GetSymbols()) {
            (barline == &left ? v.leftSymbols : v.rightSymbols).push_back(symbol->GetSymbolData());
            v.symbolOffsets.push_back(symbol->GetOffset());
            v.symbolIndexes.push_back(symbol->GetIndex());
        }
    }
    return v;
}

struct PartValue {
    std::vector<BarValue> bars;
    double staffSize;
    std::vector<int> verseOffsets;

    friend bool operator==(const PartValue&, const PartValue&) = default;
};

std::vector<PartValue> ValuesOf(const Score& score)
{
    std::vector<PartValue> parts;
    for (int p = 0; p < score.GetChildCount(); ++p) {
        const auto part = PartOf(score, p);
        PartValue value{{}, part->GetStaffSize(), {}};
        for (int b = 0; b < part->GetChildCount(); ++b)
            value.bars.push_back(ValueOf(*BarOf(score, p, b)));
        for (int verse = 0; verse < Part::kVerseCount; ++verse)
            value.verseOffsets.push_back(part->GetVerseOffset(verse));
        parts.push_back(std::move(value));
    }
    return parts;
}

void SetTime(Score& score, Bar& bar, TimeSignatureRecord value, Point offset)
{
    auto time = std::make_shared<TimeSignature>();
    time->SetValue(value);
    time->SetOffset(offset);
    bar.SetTimeSignature(time);
    score.SetTimeSignature(value);
}

class MeasureConverterTest : public XmlDocumentTest {
protected:
    // Two parts of six bars with every kind of bar setting.
    void BuildScore()
    {
        const auto first = AddPart(*score, u"P1", u"笛子");
        const auto second = AddPart(*score, u"P2", u"二胡");
        const auto bars = AddBars(*first, 6);
        const auto others = AddBars(*second, 6);
        // Styles 0 to 8 spread over the barlines of both parts.
        for (int b = 0; b < 6; ++b) {
            bars[b]->GetBarline(0)->SetType(b % 9);
            bars[b]->GetBarline(1)->SetType((b + 3) % 9);
            others[b]->GetBarline(1)->SetType((b + 6) % 9);
        }
        bars[1]->GetBarline(0)->SetMarkValue(1);  // repeat forward
        bars[2]->GetBarline(1)->SetMarkValue(2);  // repeat backward
        bars[2]->GetBarline(0)->SetMarkValue(8);  // segno at the left ...
        bars[2]->GetBarline(0)->GetMark()->SetOffset({-14, 22});
        bars[4]->GetBarline(1)->SetMarkValue(7);  // ... to coda at the right
        bars[4]->GetBarline(1)->GetMark()->SetOffset({9, -3});
        others[5]->GetBarline(1)->SetMarkValue(5);  // fine in the second part
        bars[1]->SetManualAdjust(1.25f);
        bars[3]->SetManualAdjust(-0.3f);
        others[2]->SetManualAdjust(0.1f);
        auto decorator = std::make_shared<Decorator>();
        decorator->SetProperties({1, 2, 7, 4, 3, 2, 40, -120, -650});
        decorator->SetOffset({5, 6});
        bars[0]->SetDecorator(decorator);
        others[3]->SetDecorator(std::make_shared<Decorator>());
        SetTime(*score, *bars[0], {0, 2, 4, 0}, {3, -4});
        SetTime(*score, *others[0], {0, 2, 4, 0}, {});
        SetTime(*score, *bars[3], {3, 6, 8, 0}, {});
        SetTime(*score, *others[3], {3, 4, 4, 1}, {0, 11});
        score->SetKeySignature({0, -3, 1});
        score->GetKeySignatureList()[0]->SetOffset({-8, 2});
        score->SetKeySignature({4, 2, 0});
        score->GetLineBreaks() = {2, 5};
        bars[2]->GetBarline(1)->AddSymbol(MakeSymbol(0, u"\uE050", {12, -5}));
        bars[2]->GetBarline(1)->AddSymbol(MakeSymbol(1, u"简\U000F0041", {}));
        others[0]->GetBarline(0)->AddSymbol(MakeSymbol(3, u"𝄞", {0, 40}));
        first->SetStaffSize(0.857142857142857);
        for (int verse = 0; verse < Part::kVerseCount; ++verse)
            first->SetVerseOffset(verse, verse * 150 - 200);
        second->SetVerseOffset(2, 75);  // the others and the staff size stay unset
    }
};

TEST_F(MeasureConverterTest, EveryBarSettingSurvivesTwoCycles)
{
    BuildScore();
    const std::vector<PartValue> want = ValuesOf(*score);
    const auto keys = score->GetKeySignatures();
    const auto times = score->GetTimeSignatures();
    for (int cycle = 0; cycle < 2; ++cycle) {
        SCOPED_TRACE(cycle);
        const std::string text = SaveText();
        ASSERT_TRUE(LoadText(text)) << lastError;
        EXPECT_EQ(validityErrors, 0);
        EXPECT_EQ(ValuesOf(*loaded), want);
        EXPECT_EQ(loaded->GetKeySignatures(), keys);
        EXPECT_EQ(loaded->GetKeySignatureList()[0]->GetOffset(), (Point{-8, 2}));
        EXPECT_EQ(loaded->GetTimeSignatures(), times);
        EXPECT_EQ(loaded->GetLineBreaks(), (std::set<int>{2, 5}));
        EXPECT_EQ(PartOf(*loaded, 1)->GetStaffSize(), kUnsetDouble);
        EXPECT_EQ(loadedPage.tempo, 120);
        std::swap(score, loaded);
        loaded = std::make_shared<Score>();
    }
}

TEST_F(MeasureConverterTest, WrittenOrderOfAMeasure)
{
    BuildScore();
    const std::string text = SaveText();
    const std::size_t secondPart = text.find("<part id=\"P2\"");
    ASSERT_NE(secondPart, std::string::npos);
    const std::string first = text.substr(0, secondPart);
    const std::string second = text.substr(secondPart);
    // Every measure opens with its left barline and closes with its right one.
    std::size_t at = 0;
    int measures = 0;
    while ((at = text.find("<measure ", at)) != std::string::npos) {
        const std::size_t end = text.find("</measure>", at);
        const std::string measure = text.substr(at, end - at);
        const std::size_t body = measure.find('>') + 1;
        EXPECT_EQ(measure.find("<barline location=\"left\">"), measure.find('<', body));
        EXPECT_EQ(measure.rfind("<barline"), measure.find("<barline location=\"right\">"));
        EXPECT_GT(measure.rfind("<barline"), measure.rfind("<attributes"));
        ++measures;
        at = end;
    }
    EXPECT_EQ(measures, 12);
    // Line breaks, the tempo and the divisions only in the first part.
    EXPECT_NE(first.find("<print new-system=\"yes\"/>"), std::string::npos);
    EXPECT_EQ(second.find("<print"), std::string::npos);
    EXPECT_NE(first.find("<sound tempo=\"120\"/>"), std::string::npos);
    EXPECT_EQ(second.find("<sound"), std::string::npos);
    EXPECT_NE(first.find("<divisions>128</divisions>"), std::string::npos);
    EXPECT_EQ(second.find("<divisions>"), std::string::npos);
    EXPECT_NE(second.find("<clef>"), std::string::npos);
    // Verse offsets before the staff size; an unset size is the exact marker.
    const std::size_t details = second.find("<staff-details>");
    EXPECT_LT(second.find("<verse-offset>", details), second.find("<staff-size>", details));
    EXPECT_NE(second.find("<staff-size>-16777216</staff-size>"), std::string::npos);
    // A segno at the left comes as a direction after the left barline, the backward
    // repeat in the right barline.
    const std::size_t bar3 = first.find("<measure manual-adjust=\"0\" number=\"3\">");
    ASSERT_NE(bar3, std::string::npos);
    const std::size_t segno = first.find("<segno", bar3);
    EXPECT_LT(first.find("<barline location=\"left\">", bar3), segno);
    EXPECT_LT(segno, first.find("<bar-style>", segno));
    EXPECT_LT(first.find("<repeat direction=\"backward\"/>", bar3),
              first.find("</measure>", bar3));
    EXPECT_NE(first.find("position=\"left\" relative-x=\"-14\" relative-y=\"22\""),
              std::string::npos);
    // A numeric time stays numeric; the manual width reads back exactly.
    EXPECT_NE(first.find("<time relative-x=\"3\" relative-y=\"-4\" symbol=\"normal\">"),
              std::string::npos);
    EXPECT_NE(first.find("manual-adjust=\"-0.3\""), std::string::npos);
    // A bar without key or time change beyond bar 0 has an empty attributes element.
    EXPECT_NE(first.find("<attributes/>"), std::string::npos);
    // The bar-number mark keeps its first counted bar and range.
    EXPECT_NE(first.find("<count-from>3</count-from>"), std::string::npos);
    EXPECT_NE(first.find("<range-stop>40</range-stop>"), std::string::npos);
}

TEST_F(MeasureConverterTest, BarsAreIndexedByTheirOrder)
{
    ASSERT_TRUE(LoadText(Document(
        "<part-list><score-part id=\"P1\"><part-name/></score-part></part-list>"
        "<part id=\"P1\">"
        "<measure number=\"0\"><print new-system=\"yes\"/></measure>"
        "<measure number=\"12a\"><print new-system=\"no\"/>"
        "<attributes><key><fifths>1</fifths></key></attributes></measure>"
        "<measure number=\"12a\"><print new-system=\"yes\"/>"
        "<attributes><time><beats>3</beats><beat-type>4</beat-type></time></attributes>"
        "</measure>"
        "<measure><direction><direction-type><coda/></direction-type></direction></measure>"
        "</part>")))
        << lastError;
    const auto part = PartOf(*loaded, 0);
    ASSERT_EQ(part->GetChildCount(), 4);
    for (int b = 0; b < 4; ++b)
        EXPECT_EQ(BarOf(*loaded, 0, b)->GetIndex(), b);
    EXPECT_EQ(loaded->GetLineBreaks(), (std::set<int>{0, 2}));
    EXPECT_EQ(loaded->GetKeySignatures().back(), (KeySignatureRecord{1, 1, 1}));
    ASSERT_TRUE(BarOf(*loaded, 0, 2)->GetTimeSignature());
    EXPECT_EQ(BarOf(*loaded, 0, 2)->GetTimeSignature()->GetValue(),
              (TimeSignatureRecord{2, 3, 4, 1}));
    // A jump mark without a position sits at the left barline.
    EXPECT_EQ(BarOf(*loaded, 0, 3)->GetBarline(0)->GetMarkValue(), 6);
    EXPECT_EQ(BarOf(*loaded, 0, 3)->GetBarline(1)->GetMarkValue(), 0);
}

TEST_F(MeasureConverterTest, ReadingOddBarlinesAndAttributes)
{
    ASSERT_TRUE(LoadText(Document(
        "<part-list><score-part id=\"P1\"><part-name/></score-part></part-list>"
        "<part id=\"P1\">"
        "<measure number=\"1\" manual-adjust=\"1e60\">"
        "<barline/>"
        "<barline location=\"left\"><bar-style>Heavy</bar-style><repeat/><ending/></barline>"
        "<attributes>"
        "<key><fifths>2</fifths><mode>minr</mode></key>"
        "<time symbol=\"cut\"><beats>0</beats><beat-type>4</beat-type></time>"
        "<time><beats>3</beats><beat-type>6</beat-type></time>"
        "<time><beats>3329</beats><beat-type>1</beat-type></time>"
        "<staff-details><verse-offset><verse>5</verse><offset>9</offset></verse-offset>"
        "<verse-offset><verse>-1</verse><offset>9</offset></verse-offset>"
        "<verse-offset><verse>4</verse><offset>-30</offset></verse-offset>"
        "<staff-size>big</staff-size></staff-details></attributes>"
        "<direction><direction-type><segno position=\"middle\"/><dc position=\"left\"/>"
        "</direction-type><direction-type><fine position=\"up\"/></direction-type></direction>"
        "</measure>"
        "<measure number=\"2\"><barline location=\"Right\"><bar-style>dashed</bar-style>"
        "<repeat direction=\"back\"/></barline>"
        "<attributes><time symbol=\"common\"><beats>5</beats><beat-type>8</beat-type></time>"
        "<staff-details><staff-size>1.5</staff-size></staff-details></attributes>"
        "</measure></part>")))
        << lastError;
    const auto part = PartOf(*loaded, 0);
    const auto bar = BarOf(*loaded, 0, 0);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->GetManualAdjust(), 0.0f);  // beyond the float range: passed over
    EXPECT_EQ(bar->GetBarline(1)->GetType(), 1);  // no location: right, regular
    EXPECT_EQ(bar->GetBarline(0)->GetType(), 1);  // "Heavy" is not a name
    EXPECT_EQ(bar->GetBarline(0)->GetMarkValue(), 0);  // a repeat without direction
    EXPECT_EQ(bar->GetBarline(1)->GetMarkValue(), 5);  // the later direction-type wins
    // 0 beats, a beat type of 6, a bar too long to count in ticks.
    EXPECT_FALSE(bar->GetTimeSignature());
    ASSERT_EQ(loaded->GetTimeSignatures().size(), 1u);  // only the second bar's
    EXPECT_EQ(loaded->GetTimeSignatures()[0].bar, 1);
    EXPECT_EQ(loaded->GetKeySignatures().front(), (KeySignatureRecord{0, 2, 0}));
    EXPECT_EQ(part->GetVerseOffset(4), -30);
    for (int verse = 0; verse < 4; ++verse)
        EXPECT_EQ(part->GetVerseOffset(verse), kUnset);
    // The second measure: "Right" is not "right"; "back" is still a backward repeat.
    const auto next = BarOf(*loaded, 0, 1);
    EXPECT_EQ(next->GetBarline(0)->GetType(), 3);
    EXPECT_EQ(next->GetBarline(0)->GetMarkValue(), 2);
    ASSERT_TRUE(next->GetTimeSignature());
    EXPECT_EQ(next->GetTimeSignature()->GetValue(), (TimeSignatureRecord{1, 5, 8, 1}));
    EXPECT_EQ(part->GetStaffSize(), 1.5);
}

using PendingPartTest = DomElementTest;

// The pending part that gathers a second staff holds as many bars as the part read,
// with the same barline styles and no repeats.
TEST_F(PendingPartTest, GetsOneBarPerMeasureWithTheStyles)
{
    Score readInto;
    const auto part = AddPart(readInto, u"P1");
    AddBars(*part, 1);  // a bar already there: the next measure is bar 1
    x::DOMElement* element = NewParent(u"part");
    element->setAttribute(u"id", u"P1");
    for (int m = 0; m < 3; ++m) {
        x::DOMElement* measure = document->createElement(u"measure");
        measure->setAttribute(u"number", u"7");
        element->appendChild(measure);
        if (m == 1) {
            x::DOMElement* barline = document->createElement(u"barline");
            barline->setAttribute(u"location", u"left");
            x::DOMElement* style = document->createElement(u"bar-style");
            style->appendChild(document->createTextNode(u"heavy-light"));
            barline->appendChild(style);
            x::DOMElement* repeat = document->createElement(u"repeat");
            repeat->setAttribute(u"direction", u"forward");
            barline->appendChild(repeat);
            measure->appendChild(barline);
        }
    }
    PartConverter reader;
    reader.SetScore(&readInto);
    Read(reader, element);
    EXPECT_EQ(reader.GetMatchedIndex(), 0);
    ASSERT_EQ(part->GetChildCount(), 4);
    EXPECT_EQ(BarOf(readInto, 0, 3)->GetIndex(), 3);
    ASSERT_EQ(context.pendingPart->GetChildCount(), 3);
    const auto own = BarOf(readInto, 0, 2);
    const auto pending = std::dynamic_pointer_cast<Bar>(context.pendingPart->GetChild(1));
    ASSERT_TRUE(pending);
    EXPECT_EQ(own->GetBarline(0)->GetType(), 7);
    EXPECT_EQ(own->GetBarline(0)->GetMarkValue(), 1);
    EXPECT_EQ(pending->GetBarline(0)->GetType(), 7);
    EXPECT_EQ(pending->GetBarline(0)->GetMarkValue(), 0);
}

}  // namespace
}  // namespace quaverly::xml_test
