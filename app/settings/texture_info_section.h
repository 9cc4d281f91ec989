// "TEXTURE INFO" of the option file: the chosen texture pictures, as file names inside
// the folders that "Foreground File Path" and "Background File Path" of the main
// settings file name. Default empty (no texture).
#pragma once

#include <string>
#include <string_view>

#include "app/settings/settings_section_base.h"

namespace brindle {

class TextureInfoSection : public SettingsSectionBase {
public:
    TextureInfoSection() : SettingsSectionBase(u"TEXTURE INFO") {}

    std::u16string GetForegroundFile() const { return File().ReadString(GetSectionName(), u"Foreground File", u""); }
    bool SetForegroundFile(std::u16string_view name)
    {
        return File().WriteString(GetSectionName(), u"Foreground File", name);
    }
    std::u16string GetBackgroundFile() const { return File().ReadString(GetSectionName(), u"Background File", u""); }
    bool SetBackgroundFile(std::u16string_view name)
    {
        return File().WriteString(GetSectionName(), u"Background File", name);
    }
};

}  // namespace brindle
