#include "app/settings/system_info_section.h"

namespace brindle {

std::u16string SystemInfoSection::Read(std::u16string_view key) const
{
    if (!file_)
        return {};
    return file_->ReadString(kSectionName, key, u"");
}

}  // namespace brindle
