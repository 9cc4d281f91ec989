#include "engine/xml/value_vocabulary.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "engine/model/line_mark.h"
#include "engine/model/note_style.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_symbol.h"
#include "engine/model/note_symbol_factory.h"

namespace quaverly {

namespace {

// One row of a table: a model value and its document name.
struct NameRow {
    int value;
    std::u16string_view name;
};

template <std::size_t N>
std::u16string NameOf(const std::array<NameRow, N>& table, int value, std::u16string_view fallback)
{
    for (const NameRow& row : table) {
        if (row.value == value)
            return std::u16string(row.name);
    }
    return std::u16string(fallback);
}

template <std::size_t N>
int ValueOf(const std::array<NameRow, N>& table, std::u16string_view name, int fallback)
{
    for (const NameRow& row : table) {
        if (TextEquals(name, row.name))
            return row.value;
    }
    return fallback;
}

constexpr std::array<NameRow, 14> kNoteTypes = {{
    {5160960, u"maximal"},
    {2580480, u"long"},
    {1290240, u"breve"},
    {645120, u"whole"},
    {322560, u"half"},
    {161280, u"quarter"},
    {80640, u"eighth"},
    {40320, u"16th"},
    {20160, u"32nd"},
    {10080, u"64th"},
    {5040, u"128th"},
    {2520, u"256th"},
    {1260, u"512th"},
    {630, u"1024th"},
}};

// The order in which a barline reader tries the names: "none" last.
constexpr std::array<NameRow, 9> kBarStyles = {{
    {1, u"regular"},
    {2, u"dotted"},
    {3, u"dashed"},
    {4, u"heavy"},
    {5, u"light-light"},
    {6, u"light-heavy"},
    {7, u"heavy-light"},
    {8, u"heavy-heavy"},
    {0, u"none"},
}};

constexpr std::array<NameRow, 6> kJumpMarks = {{
    {3, u"dc"},
    {4, u"ds"},
    {5, u"fine"},
    {6, u"coda"},
    {7, u"tocoda"},
    {8, u"segno"},
}};

constexpr std::array<NameRow, 23> kDynamics = {{
    {1, u"p"},      {2, u"pp"},     {3, u"ppp"},     {4, u"pppp"},   {5, u"ppppp"},
    {6, u"pppppp"}, {7, u"f"},      {8, u"ff"},      {9, u"fff"},    {10, u"ffff"},
    {11, u"fffff"}, {12, u"ffffff"}, {13, u"mp"},    {14, u"mf"},    {15, u"sf"},
    {16, u"sfp"},   {17, u"sfpp"},  {18, u"fp"},     {19, u"rf"},    {20, u"rfz"},
    {21, u"sfz"},   {22, u"sffzz"}, {23, u"fz"},
}};

constexpr std::array<NameRow, 11> kSteps = {{
    {2, u"C"},
    {3, u"D"},
    {4, u"E"},
    {5, u"F"},
    {6, u"G"},
    {7, u"A"},
    {8, u"B"},
    {10, u"X"},
    {11, u"X1"},
    {12, u"X2"},
    {13, u"X3"},
}};

constexpr std::array<NameRow, 7> kAccidentals = {{
    {-3, u"natural-flat"},
    {-2, u"flat-flat"},
    {-1, u"flat"},
    {1, u"sharp"},
    {2, u"double-sharp"},
    {3, u"natural-sharp"},
    {4, u"natural"},
}};

constexpr std::array<NameRow, 3> kNoteKinds = {{
    {note_style_kind::kNormal, u"normal"},
    {note_style_kind::kChord, u"chord"},
    {note_style_kind::kGrace, u"grace"},
}};

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

}  // namespace

std::u16string NoteTypeToText(int ticks)
{
    return NameOf(kNoteTypes, ticks, u"quarter");
}

int NoteTypeAtLeast(int ticks)
{
    if (ticks <= 0)
        return 0;
    // The table runs from the longest value to the shortest.
    int value = kNoteTypes.front().value;
    for (const NameRow& row : kNoteTypes) {
        if (row.value >= ticks)
            value = row.value;
    }
    return value;
}

int TextToNoteType(std::u16string_view text)
{
    if (TextEquals(text, u"LENGTH_64"))
        return 10080;
    return ValueOf(kNoteTypes, text, 161280);
}

std::u16string BarStyleToText(int style)
{
    return NameOf(kBarStyles, style, u"regular");
}

int TextToBarStyle(std::u16string_view text)
{
    return ValueOf(kBarStyles, text, 1);
}

std::u16string JumpMarkToText(int mark)
{
    return NameOf(kJumpMarks, mark, u"");
}

int TextToJumpMark(std::u16string_view text)
{
    return ValueOf(kJumpMarks, text, 0);
}

std::u16string DynamicsToText(int code)
{
    return NameOf(kDynamics, code, u"");
}

int TextToDynamics(std::u16string_view text)
{
    return ValueOf(kDynamics, text, 0);
}

std::u16string LineMarkKindToText(int kind)
{
    return std::u16string(GetLineMarkWord(kind));
}

std::shared_ptr<LineMark> CreateLineMark(std::u16string_view text)
{
    if (text.empty())
        return nullptr;
    const int kind = FindLineMarkKind(text);
    return kind < 0 ? nullptr : CreateLineMark(kind);
}

std::u16string StepToText(int code)
{
    return NameOf(kSteps, code, u"");
}

int TextToStep(std::u16string_view text)
{
    return ValueOf(kSteps, text, -1);
}

std::u16string AccidentalToText(int code)
{
    return NameOf(kAccidentals, code, u"");
}

int TextToAccidental(std::u16string_view text)
{
    return ValueOf(kAccidentals, text, 0);
}

std::u16string NoteKindToText(int kind)
{
    return NameOf(kNoteKinds, kind, u"");
}

int TextToNoteKind(std::u16string_view text)
{
    return ValueOf(kNoteKinds, text, -1);
}

std::shared_ptr<NoteStyle> CreateNoteStyle(int kind)
{
    switch (kind) {
    case note_style_kind::kNormal:
        return std::make_shared<NormalNoteStyle>();
    case note_style_kind::kChord:
        return std::make_shared<ChordNoteStyle>();
    case note_style_kind::kGrace:
        return std::make_shared<GraceNoteStyle>();
    default:
        return nullptr;
    }
}

std::u16string NotationToText(int code)
{
    return std::u16string(GetNotationName(code));
}

std::shared_ptr<NoteSymbol> CreateNoteSymbol(std::u16string_view text)
{
    const int code = FindNotationCode(text);
    return code < 0 ? nullptr : CreateNoteSymbol(code);
}

Point ReadRelativeXY(const AttributeMap& attributes)
{
    Point offset;
    for (const auto& [name, value] : attributes) {
        if (TextEquals(name, u"relative-x"))
            offset.x = TextToInt(value);
        else if (TextEquals(name, u"relative-y"))
            offset.y = TextToInt(value);
    }
    return offset;
}

const AttributeMap::List AttributeMap::kNone;

AttributeMap::Iterator AttributeMap::find(std::u16string_view name) const
{
    for (auto at = list_->begin(); at != list_->end(); ++at) {
        if (*at->name == name)
            return Iterator(at);
    }
    return end();
}

AttributeMap CollectAttributes(const XmlElement& element)
{
    return AttributeMap(element.Attributes());
}

double TextToReal(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    // The number's characters are all ASCII; the first other unit ends it.
    std::string ascii;
    for (; i < text.size() && text[i] < 0x80; ++i)
        ascii.push_back(static_cast<char>(text[i]));
    const char* begin = ascii.data();
    const char* end = begin + ascii.size();
    if (begin != end && *begin == '+')
        ++begin;
    // A stream reads no "inf", "nan" or hexadecimal form; only digits or a point may
    // follow the sign.
    const char* digits = (begin != end && *begin == '-') ? begin + 1 : begin;
    if (digits == end || !(*digits == '.' || (*digits >= '0' && *digits <= '9')))
        return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(begin, end, value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

std::u16string RealToText(double value)
{
    char buffer[64];
    std::to_chars_result result{};
    constexpr double kExactLimit = 9007199254740992.0;  // 2^53
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) <= kExactLimit) {
        const auto whole = static_cast<long long>(value);
        result = std::to_chars(buffer, buffer + sizeof buffer, whole);
    } else {
        result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    }
    return std::u16string(buffer, result.ptr);
}

std::u16string RealToExactText(double value)
{
    if (!std::isfinite(value))
        return u"0";
    char buffer[64];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::u16string(buffer, result.ptr);
}

std::u16string FloatToExactText(float value)
{
    if (!std::isfinite(value))
        return u"0";
    char buffer[64];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::u16string(buffer, result.ptr);
}

}  // namespace quaverly
