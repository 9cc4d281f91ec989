#include "app/settings/font_file.h"

namespace brindle {

namespace {

std::uint8_t LowByte(int value)
{
    return static_cast<std::uint8_t>(static_cast<unsigned>(value) & 0xFFu);
}

// The face name as the record can hold it: at most 31 units, never half a surrogate pair.
std::u16string_view FitFaceName(std::u16string_view name)
{
    constexpr std::size_t max = quaverly::LogFont::kFaceNameSize - 1;
    if (name.size() <= max)
        return name;
    std::size_t cut = max;
    if (name[cut - 1] >= 0xD800 && name[cut - 1] <= 0xDBFF)
        --cut;
    return name.substr(0, cut);
}

}  // namespace

quaverly::LogFont FontFile::GetFont(int kind) const
{
    if (kind < 0 || kind >= kFontKindCount)
        return ReadFont(ProfileSnapshot(), u"");
    return ReadFont(File(), kSections[static_cast<std::size_t>(kind)]);
}

bool FontFile::SetFont(int kind, const quaverly::LogFont& font)
{
    if (kind < 0 || kind >= kFontKindCount)
        return false;
    return WriteFont(File(), kSections[static_cast<std::size_t>(kind)], font);
}

quaverly::LogFont FontFile::ReadFont(const ProfileSnapshot& file, std::u16string_view section)
{
    quaverly::LogFont font;
    font.SetFaceName(FitFaceName(file.ReadString(section, u"Face Name", u"")));
    font.height = file.ReadInt(section, u"Height", 0);
    font.weight = file.ReadInt(section, u"Weight", 400);
    font.italic = file.ReadBool(section, u"Italic", false) ? 1 : 0;
    font.width = file.ReadInt(section, u"Width", 0);
    font.quality = kReadQuality;
    font.charSet = LowByte(file.ReadInt(section, u"CharSet", 1));
    font.escapement = file.ReadInt(section, u"Escapement", 0);
    font.orientation = file.ReadInt(section, u"Orientation", 0);
    font.underline = LowByte(file.ReadInt(section, u"Underline", 0));
    font.strikeOut = LowByte(file.ReadInt(section, u"StrikeOut", 0));
    font.outPrecision = LowByte(file.ReadInt(section, u"OutPrecision", 0));
    font.clipPrecision = LowByte(file.ReadInt(section, u"ClipPrecision", 0));
    font.pitchAndFamily = LowByte(file.ReadInt(section, u"PitchAndFamily", 0));
    return font;
}

std::vector<std::pair<std::u16string, std::u16string>> FontFile::FontEntries(const quaverly::LogFont& font)
{
    const auto number = [](int value) { return ProfileFile::FormatInt(value); };
    return {
        {u"Face Name", font.FaceName()},
        {u"Height", number(font.height)},
        {u"Weight", number(font.weight)},
        {u"Italic", ProfileFile::FormatBool(font.italic != 0)},
        {u"Width", number(font.width)},
        {u"Escapement", number(font.escapement)},
        {u"Orientation", number(font.orientation)},
        {u"Underline", number(font.underline)},
        {u"StrikeOut", number(font.strikeOut)},
        {u"CharSet", number(font.charSet)},
        {u"OutPrecision", number(font.outPrecision)},
        {u"ClipPrecision", number(font.clipPrecision)},
        {u"Quality", number(font.quality)},
        {u"PitchAndFamily", number(font.pitchAndFamily)},
    };
}

bool FontFile::WriteFont(ProfileFile& file, std::u16string_view section, const quaverly::LogFont& font)
{
    return file.WriteStrings(section, FontEntries(font));
}

}  // namespace brindle
