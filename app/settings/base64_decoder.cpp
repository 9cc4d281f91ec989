#include "app/settings/base64_decoder.h"

#include "engine/xml/base64_text.h"

namespace brindle {

namespace {

bool InAlphabet(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           c == u'+' || c == u'/';
}

}  // namespace

std::optional<std::u16string> Base64Decoder::Checked(std::u16string_view text)
{
    std::u16string kept;
    kept.reserve(text.size());
    std::size_t padding = 0;
    for (const char16_t c : text) {
        if (c == u'\r' || c == u'\n' || c == u' ' || c == u'\t')
            continue;
        if (c == u'=') {
            if (++padding > 2)
                return std::nullopt;
            continue;
        }
        if (padding > 0 || !InAlphabet(c))
            return std::nullopt;
        kept.push_back(c);
    }
    // The fill is left off: the codec takes a cut last group as far as it goes, which
    // is what "=" says.
    return kept;
}

std::optional<std::string> Base64Decoder::DecodeBytes(std::u16string_view text) const
{
    const std::optional<std::u16string> kept = Checked(text);
    if (!kept)
        return std::nullopt;
    return quaverly::DecodeBase64Bytes(*kept);
}

std::u16string Base64Decoder::Decode(std::u16string_view text) const
{
    const std::optional<std::u16string> kept = Checked(text);
    if (!kept)
        return {};
    return quaverly::DecodeBase64Text(*kept);
}

}  // namespace brindle
