#include "engine/xml/dom_value_helpers.h"

#include <charconv>
#include <cstdint>
#include <limits>


#include "engine/model/int_clamp.h"

namespace quaverly {

namespace {

// The blanks a C-locale stream skips before a number.
bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

bool TextEquals(std::u16string_view text, std::u16string_view literal)
{
    return text == literal;
}

int TextToInt(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // The magnitude is held just past the int range, so any longer run of digits stays
    // clamped instead of overflowing.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > kLimit)
            value = kLimit;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

std::u16string IntToText(int value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::u16string(buffer, result.ptr);
}

std::u16string IndexToText(int index)
{
    return IntToText(ClampToInt(std::int64_t{index} + 1));
}

int TextToIndex(std::u16string_view text)
{
    return ClampToInt(std::int64_t{TextToInt(text)} - 1);
}

void WriteRelativeXY(XmlElement& element, int x, int y)
{
    element.SetAttribute(u"relative-x", IntToText(x));
    element.SetAttribute(u"relative-y", IntToText(y));
}

std::u16string GroupSymbolText(int type)
{
    switch (type) {
    case 0:
        return u"brace";
    case 1:
        return u"bracket";
    default:
        return {};
    }
}

std::u16string XmlSafeText(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
            continue;
        if (c == 0xFFFE || c == 0xFFFF)
            continue;
        if (IsHighSurrogate(c)) {
            if (i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
                out.push_back(c);
                out.push_back(text[++i]);
            }
            continue;
        }
        if (IsLowSurrogate(c))
            continue;
        out.push_back(c);
    }
    return out;
}

}  // namespace quaverly
