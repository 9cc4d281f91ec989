#include "app/dialogs/data_folder.h"

#include "app/shell/app_directory.h"
#include "platform/text_encoding.h"

namespace brindle {

DataFolder DataFolder::Program() { return DataFolder(GetAppDirectory()); }

DataFolder DataFolder::InFolder(const std::filesystem::path& folder)
{
    return DataFolder(platform::PathToUtf16(folder));
}

DataFolder::DataFolder(std::u16string folder) : folder_(std::move(folder))
{
    if (!folder_.empty() && folder_.back() != u'/' && folder_.back() != u'\\')
        folder_ += u'/';
}

SystemInfoSection DataFolder::SystemInfo() const
{
    if (folder_.empty())
        return SystemInfoSection();
    return SystemInfoSection(std::make_shared<ProfileFile>(folder_ + std::u16string(kMainSettingsFileName)));
}

std::u16string DataFolder::PathOf(std::u16string_view name) const
{
    if (name.empty() || folder_.empty())
        return {};
    return folder_ + std::u16string(name);
}

std::filesystem::path DataFolder::NativePathOf(std::u16string_view name) const
{
    return platform::PathFromUtf16(PathOf(name));
}

std::shared_ptr<ProfileFile> DataFolder::Open(std::u16string_view name) const
{
    auto file = std::make_shared<ProfileFile>();
    const std::u16string path = PathOf(name);
    if (!path.empty())
        file->SetPath(path);
    return file;
}

}  // namespace brindle
