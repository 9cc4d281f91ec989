#include "app/settings/profile_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/private_profile.h"
#include "platform/text_encoding.h"

namespace brindle {

namespace {

bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

std::u16string_view SkipSpace(std::u16string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    return text;
}

std::u16string ToU16(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace

void ProfileFile::SetPath(std::u16string_view path)
{
    path_ = platform::PathFromUtf16(path);
}

ProfileSnapshot ProfileFile::Snapshot() const
{
    return ProfileSnapshot(platform::LoadSharedIniFile(path_));
}

std::u16string ProfileFile::ReadString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue) const
{
    return Snapshot().ReadString(section, key, defaultValue);
}

bool ProfileFile::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value)
{
    return platform::WriteProfileString(path_, section, key, value);
}

bool ProfileFile::WriteStrings(std::u16string_view section,
                               const std::vector<std::pair<std::u16string, std::u16string>>& entries)
{
    return platform::WriteProfileStrings(path_, section, entries);
}

std::u16string ProfileFile::FormatInt(int value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ToU16(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

std::u16string ProfileFile::FormatDouble(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return ToU16(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

bool ProfileFile::ParseInt(std::u16string_view text, int& value)
{
    text = SkipSpace(text);
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < u'0' || text.front() > u'9')
        return false;
    // Too many digits clamp to the int range instead of wrapping.
    std::int64_t magnitude = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    while (!text.empty() && text.front() >= u'0' && text.front() <= u'9') {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text.front() - u'0'), limit);
        text.remove_prefix(1);
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    value = static_cast<int>(std::clamp<std::int64_t>(signedValue, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
    return true;
}

bool ProfileFile::ParseFloat(std::u16string_view text, float& value)
{
    text = SkipSpace(text);
    std::string ascii;
    for (char16_t c : text) {
        if (c >= 0x80)
            break;
        ascii.push_back(static_cast<char>(c));
        if (ascii.size() > 64)
            break;
    }
    std::string_view s = ascii;
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // Only digits or a decimal point may start a number (no "inf" or "nan").
    if (s.empty() || !((s.front() >= '0' && s.front() <= '9') || s.front() == '.'))
        return false;
    float parsed = 0.0f;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), parsed, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(parsed))
        return false;
    value = negative ? -parsed : parsed;
    return true;
}

int ProfileFile::ReadInt(std::u16string_view section, std::u16string_view key, int defaultValue) const
{
    return Snapshot().ReadInt(section, key, defaultValue);
}

bool ProfileFile::WriteInt(std::u16string_view section, std::u16string_view key, int value)
{
    return WriteString(section, key, FormatInt(value));
}

bool ProfileFile::WriteUInt(std::u16string_view section, std::u16string_view key, unsigned int value)
{
    return WriteInt(section, key, static_cast<int>(value));
}

double ProfileFile::ReadFloat(std::u16string_view section, std::u16string_view key, double defaultValue) const
{
    return Snapshot().ReadFloat(section, key, defaultValue);
}

bool ProfileFile::WriteDouble(std::u16string_view section, std::u16string_view key, double value)
{
    return WriteString(section, key, FormatDouble(value));
}

bool ProfileFile::ReadBool(std::u16string_view section, std::u16string_view key, bool defaultValue) const
{
    return Snapshot().ReadBool(section, key, defaultValue);
}

bool ProfileFile::WriteBool(std::u16string_view section, std::u16string_view key, bool value)
{
    return WriteString(section, key, FormatBool(value));
}

std::vector<std::u16string> ProfileFile::GetSectionNames() const
{
    return Snapshot().GetSectionNames();
}

bool ProfileFile::DeleteSection(std::u16string_view section)
{
    return platform::DeleteProfileSection(path_, section);
}

std::u16string FormatIntPair(int x, int y)
{
    return ProfileFile::FormatInt(x) + u";" + ProfileFile::FormatInt(y);
}

IntPair ParseIntPair(std::u16string_view text)
{
    IntPair pair;
    const std::size_t semicolon = text.find(u';');
    const std::u16string_view first = text.substr(0, semicolon);
    if (!ProfileFile::ParseInt(first, pair.x))
        pair.x = 0;
    if (semicolon != std::u16string_view::npos) {
        std::u16string_view second = text.substr(semicolon + 1);
        second = second.substr(0, second.find(u';'));
        if (!ProfileFile::ParseInt(second, pair.y))
            pair.y = 0;
    }
    return pair;
}

}  // namespace brindle
