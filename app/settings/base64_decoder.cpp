#include "app/settings/base64_decoder.h"

#include "engine/xml/base64_text.h"

namespace brindle {

namespace {

// The text without its line breaks, which settings files may carry inside a long value.
std::u16string WithoutLineBreaks(std::u16string_view text)
{
    std::u16string kept;
    kept.reserve(text.size());
    for (const char16_t c : text)
        if (c != u'\r' && c != u'\n')
            kept.push_back(c);
    return kept;
}

}  // namespace

std::string Base64Decoder::DecodeBytes(std::string_view text) const
{
    std::u16string wide;
    wide.reserve(text.size());
    for (const char c : text)
        wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return DecodeBytes(std::u16string_view(wide));
}

std::string Base64Decoder::DecodeBytes(std::u16string_view text) const
{
    return quaverly::DecodeBase64Bytes(WithoutLineBreaks(text));
}

std::u16string Base64Decoder::Decode(std::u16string_view text) const
{
    return quaverly::DecodeBase64Text(WithoutLineBreaks(text));
}

}  // namespace brindle
