#include "engine/xml/font_fields_converter.h"

#include <cstdint>


namespace quaverly {

namespace {

std::u16string ByteText(std::uint8_t value)
{
    return IntToText(value);
}

std::uint8_t TextToByte(std::u16string_view text)
{
    return static_cast<std::uint8_t>(static_cast<unsigned>(TextToInt(text)) & 0xFFu);
}

}  // namespace

std::u16string FontFieldsConverter::FittingFaceName(std::u16string_view name)
{
    constexpr std::size_t kMax = LogFont::kFaceNameSize - 1;
    if (name.size() <= kMax)
        return std::u16string(name);
    std::size_t n = kMax;
    // The last unit kept must not be the first half of a pair whose second half is cut.
    if (name[n - 1] >= 0xD800 && name[n - 1] <= 0xDBFF)
        --n;
    return std::u16string(name.substr(0, n));
}

void FontFieldsConverter::WriteFontFields(XmlElement& element, const LogFont& font)
{
    AppendTextElement(element, u"font-height", IntToText(font.height));
    AppendTextElement(element, u"font_width", IntToText(font.width));
    AppendTextElement(element, u"font_escapement", IntToText(font.escapement));
    AppendTextElement(element, u"font_orientation", IntToText(font.orientation));
    AppendTextElement(element, u"font-weight", IntToText(font.weight));
    AppendTextElement(element, u"font-italic", ByteText(font.italic));
    AppendTextElement(element, u"font-underline", ByteText(font.underline));
    AppendTextElement(element, u"font-strike-out", ByteText(font.strikeOut));
    AppendTextElement(element, u"font-char-set", ByteText(font.charSet));
    AppendTextElement(element, u"font-out-precision", ByteText(font.outPrecision));
    AppendTextElement(element, u"font-clip-precision", ByteText(font.clipPrecision));
    AppendTextElement(element, u"font-quality", ByteText(font.quality));
    AppendTextElement(element, u"font-pitch-and-family", ByteText(font.pitchAndFamily));
    AppendTextElement(element, u"font-name", font.FaceName());
}

bool FontFieldsConverter::ReadFontField(std::u16string_view name, std::u16string_view text,
                                        LogFont& font)
{
    if (TextEquals(name, u"font-height"))
        font.height = TextToInt(text);
    else if (TextEquals(name, u"font_width"))
        font.width = TextToInt(text);
    else if (TextEquals(name, u"font_escapement"))
        font.escapement = TextToInt(text);
    else if (TextEquals(name, u"font_orientation"))
        font.orientation = TextToInt(text);
    else if (TextEquals(name, u"font-weight"))
        font.weight = TextToInt(text);
    else if (TextEquals(name, u"font-italic"))
        font.italic = TextToByte(text);
    else if (TextEquals(name, u"font-underline"))
        font.underline = TextToByte(text);
    else if (TextEquals(name, u"font-strike-out"))
        font.strikeOut = TextToByte(text);
    else if (TextEquals(name, u"font-char-set"))
        font.charSet = TextToByte(text);
    else if (TextEquals(name, u"font-out-precision"))
        font.outPrecision = TextToByte(text);
    else if (TextEquals(name, u"font-clip-precision"))
        font.clipPrecision = TextToByte(text);
    else if (TextEquals(name, u"font-quality"))
        font.quality = TextToByte(text);
    else if (TextEquals(name, u"font-pitch-and-family"))
        font.pitchAndFamily = TextToByte(text);
    else if (TextEquals(name, u"font-name"))
        font.SetFaceName(FittingFaceName(text));
    else
        return false;
    return true;
}

}  // namespace quaverly
