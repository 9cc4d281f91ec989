#include "app/dialogs/font_catalogue.h"

#include <QFontDatabase>
#include <QRawFont>

#include "platform/font_mapper.h"

namespace brindle {
namespace {

FontCatalogue* installed = nullptr;

constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kLastSurrogate = 0xDFFF;
constexpr char32_t kLastBasic = 0xFFFF;

}  // namespace

FontCatalogue& FontCatalogue::Current()
{
    static QtFontCatalogue desktop;
    return installed ? *installed : desktop;
}

FontCatalogue* FontCatalogue::Install(FontCatalogue* catalogue)
{
    FontCatalogue* previous = installed;
    installed = catalogue;
    return previous;
}

std::vector<FontCatalogue::Family> QtFontCatalogue::Families()
{
    std::vector<Family> families;
    for (const QString& name : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(name))
            continue;
        Family family;
        family.font.height = kShownHeight;
        family.font.weight = 400;
        family.font.charSet = 1;
        family.font.SetFaceName(name.toStdU16String());
        family.fontType = QFontDatabase::isSmoothlyScalable(name) ? kTrueTypeFontType : kRasterFontType;
        families.push_back(family);
    }
    return families;
}

std::vector<FontCatalogue::GlyphRange> QtFontCatalogue::UnicodeRanges(const quaverly::LogFont& font)
{
    std::vector<GlyphRange> ranges;
    const QRawFont raw = QRawFont::fromFont(platform::FontMapper::ToQFont(font, -kShownHeight));
    if (!raw.isValid())
        return ranges;
    for (char32_t code = 0; code <= kLastBasic; ++code) {
        if (code >= kFirstSurrogate && code <= kLastSurrogate)
            continue;
        if (!raw.supportsCharacter(static_cast<uint>(code)))
            continue;
        if (!ranges.empty() && ranges.back().low + ranges.back().count == static_cast<int>(code))
            ++ranges.back().count;
        else
            ranges.push_back({static_cast<char16_t>(code), 1});
    }
    return ranges;
}

}  // namespace brindle
