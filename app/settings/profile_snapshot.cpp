#include "app/settings/profile_snapshot.h"

#include "app/settings/profile_file.h"
#include "platform/private_profile.h"

namespace brindle {

std::u16string ProfileSnapshot::ReadString(std::u16string_view section, std::u16string_view key,
                                           std::u16string_view defaultValue) const
{
    std::optional<std::u16string> stored;
    if (file_)
        stored = file_->document.GetValue(section, key);
    std::u16string value = stored ? std::move(*stored) : std::u16string(defaultValue);
    if (value.size() > ProfileFile::kMaxValueLength) {
        std::size_t cut = ProfileFile::kMaxValueLength;
        if (value[cut - 1] >= 0xD800 && value[cut - 1] <= 0xDBFF)
            --cut;
        value.resize(cut);
    }
    return value;
}

int ProfileSnapshot::ReadInt(std::u16string_view section, std::u16string_view key, int defaultValue) const
{
    int value = defaultValue;
    if (!ProfileFile::ParseInt(ReadString(section, key, ProfileFile::FormatInt(defaultValue)), value))
        return defaultValue;
    return value;
}

double ProfileSnapshot::ReadFloat(std::u16string_view section, std::u16string_view key, double defaultValue) const
{
    float value = 0.0f;
    if (ProfileFile::ParseFloat(ReadString(section, key, ProfileFile::FormatDouble(defaultValue)), value))
        return static_cast<double>(value);
    // The default goes through the same text and single-precision form as a stored value.
    if (ProfileFile::ParseFloat(ProfileFile::FormatDouble(defaultValue), value))
        return static_cast<double>(value);
    return defaultValue;
}

bool ProfileSnapshot::ReadBool(std::u16string_view section, std::u16string_view key, bool defaultValue) const
{
    return ReadString(section, key, ProfileFile::FormatBool(defaultValue)) == u"TRUE";
}

std::vector<std::u16string> ProfileSnapshot::GetSectionNames() const
{
    return file_ ? file_->document.SectionNames() : std::vector<std::u16string>{};
}

int ProfileSnapshot::GetSectionCount() const
{
    return file_ ? static_cast<int>(file_->document.SectionNames().size()) : 0;
}

std::u16string ProfileSnapshot::GetSectionName(int index) const
{
    if (!file_ || index < 0 || static_cast<std::size_t>(index) >= file_->document.SectionNames().size())
        return {};
    return file_->document.SectionNames()[static_cast<std::size_t>(index)];
}

}  // namespace brindle
