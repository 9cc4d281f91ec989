// Every name table of the score document, in both directions, with its fallback for a
// value outside the table and for an unknown or wrongly spelt name; the factories; the
// attribute and real-number helpers.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/line_mark.h"
#include "engine/model/note_style.h"
#include "engine/model/note_symbol.h"
#include "engine/xml/value_vocabulary.h"

namespace quaverly {
namespace {

struct Row {
    int value;
    std::u16string name;
};

std::string Show(const std::u16string& text)
{
    std::string out;
    for (char16_t c : text)
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

// Each row's value writes its name and the name reads back as the value.
template <class Write, class Read>
void ExpectBothWays(const std::vector<Row>& rows, Write write, Read read)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(Show(row.name));
        EXPECT_EQ(write(row.value), row.name);
        EXPECT_EQ(read(row.name), row.value);
    }
}

TEST(ValueVocabularyTest, NoteTypes)
{
    const std::vector<Row> rows = {
        {5160960, u"maximal"}, {2580480, u"long"}, {1290240, u"breve"}, {645120, u"whole"},
        {322560, u"half"},   {161280, u"quarter"}, {80640, u"eighth"}, {40320, u"16th"},
        {20160, u"32nd"},    {10080, u"64th"},     {5040, u"128th"},   {2520, u"256th"},
        {1260, u"512th"},    {630, u"1024th"},
    };
    ExpectBothWays(rows, NoteTypeToText, TextToNoteType);
    EXPECT_EQ(TextToNoteType(u"LENGTH_64"), 10080);
    for (int ticks : {0, -161280, 161281, 10321920, 15120})
        EXPECT_EQ(NoteTypeToText(ticks), u"quarter") << ticks;
    // The value that holds a length: itself, the next longer one, the longest at most.
    const std::pair<int, int> holding[] = {{1, 630},           {630, 630},
                                           {631, 1260},        {161281, 322560},
                                           {241920, 322560},   {5160960, 5160960},
                                           {10321920, 5160960}, {0, 0}, {-5, 0}};
    for (const auto& [ticks, value] : holding)
        EXPECT_EQ(NoteTypeAtLeast(ticks), value) << ticks;
    for (const char16_t* name : {u"Quarter", u" quarter", u"", u"64TH", u"eighth "})
        EXPECT_EQ(TextToNoteType(name), 161280) << Show(name);
    // The fallback of a misspelt name is the quarter even for a longer value.
    EXPECT_EQ(TextToNoteType(u"Whole"), 161280);
}

TEST(ValueVocabularyTest, BarStyles)
{
    const std::vector<Row> rows = {
        {0, u"none"},        {1, u"regular"},     {2, u"dotted"},
        {3, u"dashed"},      {4, u"heavy"},       {5, u"light-light"},
        {6, u"light-heavy"}, {7, u"heavy-light"}, {8, u"heavy-heavy"},
    };
    ExpectBothWays(rows, BarStyleToText, TextToBarStyle);
    for (int style : {-1, 9, 100})
        EXPECT_EQ(BarStyleToText(style), u"regular") << style;
    for (const char16_t* name : {u"Heavy", u"None", u"", u"light_light"})
        EXPECT_EQ(TextToBarStyle(name), 1) << Show(name);
}

TEST(ValueVocabularyTest, JumpMarks)
{
    const std::vector<Row> rows = {
        {3, u"dc"}, {4, u"ds"}, {5, u"fine"}, {6, u"coda"}, {7, u"tocoda"}, {8, u"segno"},
    };
    ExpectBothWays(rows, JumpMarkToText, TextToJumpMark);
    for (int mark : {0, 1, 2, 9, -3})
        EXPECT_EQ(JumpMarkToText(mark), u"") << mark;
    for (const char16_t* name : {u"Coda", u"DC", u"", u"to-coda"})
        EXPECT_EQ(TextToJumpMark(name), 0) << Show(name);
}

TEST(ValueVocabularyTest, Dynamics)
{
    const std::vector<Row> rows = {
        {1, u"p"},      {2, u"pp"},      {3, u"ppp"},    {4, u"pppp"},  {5, u"ppppp"},
        {6, u"pppppp"}, {7, u"f"},       {8, u"ff"},     {9, u"fff"},   {10, u"ffff"},
        {11, u"fffff"}, {12, u"ffffff"}, {13, u"mp"},    {14, u"mf"},   {15, u"sf"},
        {16, u"sfp"},   {17, u"sfpp"},   {18, u"fp"},    {19, u"rf"},   {20, u"rfz"},
        {21, u"sfz"},   {22, u"sffzz"},  {23, u"fz"},
    };
    ExpectBothWays(rows, DynamicsToText, TextToDynamics);
    for (int code : {0, -1, 24})
        EXPECT_EQ(DynamicsToText(code), u"") << code;
    for (const char16_t* name : {u"FZ", u"Mf", u"", u"fffffff"})
        EXPECT_EQ(TextToDynamics(name), 0) << Show(name);
}

TEST(ValueVocabularyTest, LineMarkKindsAndTheirClasses)
{
    const std::vector<Row> rows = {
        {0, u"cresc"},           {1, u"decresc"},           {2, u"flat-slur"},
        {3, u"smooth-slur"},     {4, u"trill"},             {5, u"high-octive"},
        {6, u"low-octive"},      {7, u"first-ending"},      {8, u"second-ending"},
        {9, u"arpeggio"},        {10, u"arpeggio-upwards"}, {11, u"arpeggio-downwards"},
        {12, u"glissandi"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Show(row.name));
        EXPECT_EQ(LineMarkKindToText(row.value), row.name);
        const std::shared_ptr<LineMark> mark = CreateLineMark(row.name);
        ASSERT_NE(mark, nullptr);
        EXPECT_EQ(mark->GetKind(), row.value);
        EXPECT_EQ(mark->GetDuration(), 161280);
    }
    EXPECT_FLOAT_EQ(CreateLineMark(u"smooth-slur")->GetRadian(), -300.0f);
    EXPECT_FLOAT_EQ(CreateLineMark(u"arpeggio-upwards")->GetRadian(), 500.0f);
    EXPECT_FLOAT_EQ(CreateLineMark(u"trill")->GetRadian(), 0.0f);
    EXPECT_NE(CreateLineMark(u"cresc"), CreateLineMark(u"cresc"));  // always a new object
    for (int kind : {-1, 13})
        EXPECT_EQ(LineMarkKindToText(kind), u"") << kind;
    for (const char16_t* name : {u"Cresc", u"high-octave", u"", u"glissando"})
        EXPECT_EQ(CreateLineMark(std::u16string_view(name)), nullptr) << Show(name);
}

TEST(ValueVocabularyTest, PitchSteps)
{
    const std::vector<Row> rows = {
        {2, u"C"},  {3, u"D"},   {4, u"E"},   {5, u"F"},   {6, u"G"},  {7, u"A"},
        {8, u"B"},  {10, u"X"},  {11, u"X1"}, {12, u"X2"}, {13, u"X3"},
    };
    ExpectBothWays(rows, StepToText, TextToStep);
    for (int code : {0, 1, 9, 14, -1})
        EXPECT_EQ(StepToText(code), u"") << code;
    for (const char16_t* name : {u"c", u"x1", u"", u"H", u"X4"})
        EXPECT_EQ(TextToStep(name), -1) << Show(name);
}

TEST(ValueVocabularyTest, Accidentals)
{
    const std::vector<Row> rows = {
        {-3, u"natural-flat"}, {-2, u"flat-flat"},    {-1, u"flat"},    {1, u"sharp"},
        {2, u"double-sharp"},  {3, u"natural-sharp"}, {4, u"natural"},
    };
    ExpectBothWays(rows, AccidentalToText, TextToAccidental);
    for (int code : {0, -4, 5})
        EXPECT_EQ(AccidentalToText(code), u"") << code;
    for (const char16_t* name : {u"Sharp", u"", u"double-flat"})
        EXPECT_EQ(TextToAccidental(name), 0) << Show(name);
}

TEST(ValueVocabularyTest, NoteKindsAndTheirStyles)
{
    const std::vector<Row> rows = {{0, u"normal"}, {1, u"chord"}, {2, u"grace"}};
    ExpectBothWays(rows, NoteKindToText, TextToNoteKind);
    for (const Row& row : rows) {
        const std::shared_ptr<NoteStyle> style = CreateNoteStyle(row.value);
        ASSERT_NE(style, nullptr) << row.value;
        EXPECT_EQ(style->GetKind(), row.value);
    }
    for (int kind : {-1, 3}) {
        EXPECT_EQ(NoteKindToText(kind), u"") << kind;
        EXPECT_EQ(CreateNoteStyle(kind), nullptr) << kind;
    }
    EXPECT_EQ(TextToNoteKind(u"Grace"), -1);
}

TEST(ValueVocabularyTest, NotationSymbols)
{
    const std::vector<std::u16string> names = {
        u"",          u"accent",        u"strong-accent",  u"staccato",     u"tenuto",
        u"detached-legato", u"staccatissimo", u"spiccato", u"scoop",        u"plop",
        u"doit",      u"falloff",       u"breath-mark",    u"caesura",      u"fermata",
        u"glissando", u"slide",         u"arpeggiate",     u"non-arpeggiate", u"trill-mark",
        u"turn",      u"delayed-turn",  u"shake",          u"wavy-line",    u"mordent",
        u"inverted-mordent", u"schleifer", u"tremolo",
    };
    const std::vector<int> made = {2, 3, 4, 6, 14, 19, 20, 21, 24, 25};
    for (int code = 0; code < static_cast<int>(names.size()); ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(NotationToText(code), names[static_cast<std::size_t>(code)]);
        const std::shared_ptr<NoteSymbol> symbol =
            CreateNoteSymbol(std::u16string_view(names[static_cast<std::size_t>(code)]));
        const bool makes = std::find(made.begin(), made.end(), code) != made.end();
        ASSERT_EQ(symbol != nullptr, makes);
        if (symbol) {
            EXPECT_EQ(symbol->GetSymbolCode(), code);
        }
    }
    for (int code : {-1, 28})
        EXPECT_EQ(NotationToText(code), u"") << code;
    for (const char16_t* name : {u"Staccato", u"fermata ", u"unknown"})
        EXPECT_EQ(CreateNoteSymbol(std::u16string_view(name)), nullptr) << Show(name);
}

TEST(ValueVocabularyTest, ReadRelativeXYTakesEachAttributeOrZero)
{
    XmlTree tree;
    auto offsetOf = [&tree](std::initializer_list<std::pair<const char16_t*, const char16_t*>> list) {
        XmlElement& element = tree.AddElement(nullptr, u"e");
        for (const auto& [name, value] : list)
            element.SetAttribute(name, value);
        return ReadRelativeXY(CollectAttributes(element));
    };
    EXPECT_EQ(ReadRelativeXY({}), (Point{0, 0}));
    EXPECT_EQ(offsetOf({{u"relative-y", u"-40"}}), (Point{0, -40}));
    EXPECT_EQ(offsetOf({{u"relative-x", u"15"}, {u"relative-y", u"x"}, {u"type", u"3"}}),
              (Point{15, 0}));
    EXPECT_EQ(offsetOf({{u"Relative-X", u"9"}}), (Point{0, 0}));
}

TEST(ValueVocabularyTest, RealToTextWritesTheShortDefaultForm)
{
    struct Case {
        double value;
        std::u16string text;
    };
    const Case cases[] = {
        {1.0, u"1"},
        {-300.0, u"-300"},
        {1.5, u"1.5"},
        {1.0 / 3.0, u"0.333333"},
        {0.25, u"0.25"},
        {500.0, u"500"},
        {-16777216.0, u"-16777216"},  // the not-set marker reads back as itself
        {1234567.5, u"1.23457e+06"},
        {1e-7, u"1e-07"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RealToText(c.value), c.text) << c.value;
    EXPECT_EQ(TextToReal(RealToText(-16777216.0)), -16777216.0);
}

TEST(ValueVocabularyTest, ExactTextReadsBackAsTheSameValue)
{
    const double doubles[] = {1.0, -16777216.0, 0.857142857142857, 1.0 / 3.0, 1e-7, 1e20,
                              -2.5, 1234567.5, 0.0};
    for (const double value : doubles)
        EXPECT_EQ(TextToReal(RealToExactText(value)), value) << value;
    const float floats[] = {1.25f, -0.3f, 0.1f, 1.0f / 3.0f, 3.4e38f, 0.0f};
    for (const float value : floats)
        EXPECT_EQ(static_cast<float>(TextToReal(FloatToExactText(value))), value) << value;
    // The short forms stay short.
    EXPECT_EQ(RealToExactText(-16777216.0), u"-16777216");
    EXPECT_EQ(RealToExactText(1.5), u"1.5");
    EXPECT_EQ(FloatToExactText(-0.3f), u"-0.3");
    EXPECT_EQ(FloatToExactText(0.0f), u"0");
}

TEST(ValueVocabularyTest, TextToRealReadsTheLeadingNumber)
{
    struct Case {
        std::u16string text;
        double value;
    };
    const Case cases[] = {
        {u"1.5", 1.5},      {u"  -300", -300.0}, {u"+2.5e2", 250.0}, {u".5", 0.5},
        {u"3x", 3.0},       {u"1e", 1.0},        {u"", 0.0},         {u"abc", 0.0},
        {u"inf", 0.0},      {u"nan", 0.0},       {u"1e999", 0.0},    {u"0x10", 0.0},
        {u"-", 0.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextToReal(c.text), c.value) << Show(c.text);
}

}  // namespace
}  // namespace quaverly
