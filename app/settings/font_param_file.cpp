#include "app/settings/font_param_file.h"

#include <cmath>
#include <limits>

namespace brindle {

namespace {

constexpr std::u16string_view kNoteSpacingSection = u"NOTE SPACING PARAM";

}  // namespace

std::u16string_view GetNoteSpacingKey(int durationTicks)
{
    switch (durationTicks) {
    case 5040:
        return u"128th";
    case 10080:
        return u"64th";
    case 20160:
        return u"32nd";
    case 40320:
        return u"16th";
    case 80640:
        return u"eighth";
    case 161280:
        return u"quarter";
    case 322560:
        return u"half";
    case 645120:
        return u"whole";
    case 1290240:
        return u"breve";
    default:
        return u"quarter";
    }
}

double FontParamFile::GetNoteSpacing(int durationTicks) const
{
    return File().ReadFloat(kNoteSpacingSection, GetNoteSpacingKey(durationTicks), 1.0);
}

bool FontParamFile::SetNoteSpacing(int durationTicks, double value)
{
    return File().WriteDouble(kNoteSpacingSection, GetNoteSpacingKey(durationTicks), value);
}

IntPair FontParamFile::GetPair(std::u16string_view section, std::u16string_view key) const
{
    return ParseIntPair(File().ReadString(section, key, u""));
}

bool FontParamFile::SetPair(std::u16string_view section, std::u16string_view key, const IntPair& value)
{
    return File().WriteString(section, key, FormatIntPair(value.x, value.y));
}

int FontParamFile::GetTruncated(std::u16string_view section, std::u16string_view key, double defaultValue) const
{
    const double value = std::trunc(File().ReadFloat(section, key, defaultValue));
    // A number beyond the int range cannot be a layout distance: take the default.
    if (!(value >= static_cast<double>(std::numeric_limits<int>::min()) &&
          value <= static_cast<double>(std::numeric_limits<int>::max())))
        return static_cast<int>(std::trunc(defaultValue));
    return static_cast<int>(value);
}

}  // namespace brindle
