#include "app/settings/base64_encoder.h"

#include "engine/xml/base64_text.h"

namespace brindle {

std::string Base64Encoder::EncodeBytes(std::string_view bytes)
{
    return quaverly::EncodeBase64Bytes(bytes);
}

std::u16string Base64Encoder::Encode(std::u16string_view text) const
{
    return quaverly::EncodeBase64Text(text);
}

}  // namespace brindle
