#include "app/dialogs/settings_location.h"

#include "app/shell/app_directory.h"
#include "platform/text_encoding.h"

namespace brindle {

SettingsLocation::SettingsLocation(std::u16string folder, std::shared_ptr<ProfileFile> mainFile)
    : folder_(std::move(folder)), mainFile_(mainFile ? std::move(mainFile) : std::make_shared<ProfileFile>())
{
}

SettingsLocation SettingsLocation::Program()
{
    const std::u16string folder = GetAppDirectory();
    return SettingsLocation(folder, std::make_shared<ProfileFile>(folder + std::u16string(kMainSettingsFileName)));
}

SettingsLocation SettingsLocation::InFolder(const std::filesystem::path& folder)
{
    std::u16string text = platform::PathToUtf16(folder);
    if (!text.empty() && text.back() != u'/' && text.back() != u'\\')
        text.push_back(u'/');
    return SettingsLocation(text, std::make_shared<ProfileFile>(text + std::u16string(kMainSettingsFileName)));
}

std::filesystem::path SettingsLocation::NativePathOf(std::u16string_view name) const
{
    return platform::PathFromUtf16(PathOf(name));
}

}  // namespace brindle
